#include "ctl_escaping.h"

#include <algorithm>
#include <cstdio>

namespace kestrel::ctl {

namespace {

bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsTrailByte(unsigned char c) {
  return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

// One step of the walk: how many bytes the character at `at` takes, 0 for a byte that is
// not text.
std::size_t CharacterAt(const std::string& text, std::size_t at) {
  const auto c = static_cast<unsigned char>(text[at]);
  if (c < 0x80 || (c >= 0xA1 && c <= 0xDF))
    return 1;
  if (IsLeadByte(c) && at + 1 < text.size() &&
      IsTrailByte(static_cast<unsigned char>(text[at + 1])))
    return 2;
  return 0;
}

std::string Escaped(const char* format, unsigned char c) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, format, c);
  return escaped;
}

}  // namespace

std::string JsonString(const std::string& coreText) {
  std::string json = "\"";
  for (std::size_t at = 0; at < coreText.size();) {
    const std::size_t length = CharacterAt(coreText, at);
    const auto c = static_cast<unsigned char>(coreText[at]);
    if (length == 0) {
      json += "\\ufffd";
      at += 1;
      continue;
    }
    if (length == 1 && (c == '"' || c == '\\')) {
      json += '\\';
      json += static_cast<char>(c);
    } else if (length == 1 && IsControl(c)) {
      json += Escaped("\\u%04x", c);
    } else {
      json.append(coreText, at, length);
    }
    at += length;
  }
  return json + "\"";
}

std::string CsvField(const std::string& coreText) {
  std::string field;
  bool quote = !coreText.empty() && (coreText.front() == ' ' || coreText.back() == ' ');
  for (std::size_t at = 0; at < coreText.size();) {
    const std::size_t length = CharacterAt(coreText, at);
    const auto c = static_cast<unsigned char>(coreText[at]);
    if (length == 0 || (length == 1 && IsControl(c))) {
      field += '?';
      at += 1;
      continue;
    }
    if (length == 1 && (c == ',' || c == '"'))
      quote = true;
    if (length == 1 && c == '"')
      field += '"';
    field.append(coreText, at, length);
    at += length;
  }
  return quote ? "\"" + field + "\"" : field;
}

std::string TableText(const std::string& coreText) {
  std::string shown;
  for (std::size_t at = 0; at < coreText.size();) {
    const std::size_t length = CharacterAt(coreText, at);
    const auto c = static_cast<unsigned char>(coreText[at]);
    if (length == 0 || (length == 1 && IsControl(c))) {
      shown += Escaped("\\x%02X", c);
      at += 1;
      continue;
    }
    shown.append(coreText, at, length);
    at += length;
  }
  return shown;
}

std::string HexBytes(const std::string& bytes) {
  std::string hex;
  for (const char c : bytes)
    hex += Escaped("%02X", static_cast<unsigned char>(c));
  return hex;
}

std::size_t CharacterCount(const std::string& coreText) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < coreText.size(); ++count)
    at += std::max<std::size_t>(CharacterAt(coreText, at), 1);
  return count;
}

}  // namespace kestrel::ctl
