#pragma once
// How kestrelctl writes core texts (code page 932 bytes) into its three output forms. An
// SSID is up to 32 arbitrary bytes, so every form must survive bytes that are not text:
//
// - JSON: the bytes are walked as code page 932 characters. '"', '\' and the control
//   characters (0x00-0x1F, 0x7F) are escaped ("\"", "\\", "\u00XX"); whole characters,
//   double-byte ones included (their second byte may be 0x5C), pass on for the console to
//   convert; a byte that cannot begin or complete a character becomes "\ufffd". The exact
//   bytes are always given beside the text as upper-case hex ("ssid_hex").
// - CSV (RFC 4180): a field is quoted when it holds a comma, a quote or a blank at either
//   end, quotes doubled; control characters and bytes that are not text become '?'. The
//   hex column is exact.
// - Table: control characters and bytes that are not text are shown as "\xNN".

#include <string>

namespace kestrel::ctl {

// A JSON string literal, quotes included.
std::string JsonString(const std::string& coreText);
std::string CsvField(const std::string& coreText);
std::string TableText(const std::string& coreText);
// Two upper-case hex digits per byte.
std::string HexBytes(const std::string& bytes);
// Characters (single- or double-byte) in a code page 932 text; a stray byte counts as one.
std::size_t CharacterCount(const std::string& coreText);

}  // namespace kestrel::ctl
