#pragma once
// Texts of the main sheet's own buttons, in the ANSI code page 932. Each Japanese text is
// written as escaped Shift-JIS bytes with the text itself in a comment.

namespace kestrel::sheet_texts {

// "閉じる"
inline constexpr char kClose[] = "\x95\xC2\x82\xB6\x82\xE9";
// "スキャン"
inline constexpr char kScan[] = "\x83\x58\x83\x4C\x83\x83\x83\x93";
// "接続"
inline constexpr char kConnect[] = "\x90\xDA\x91\xB1";
// "キャンセル"
inline constexpr char kCancel[] = "\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B";
// "ヘルプ"
inline constexpr char kHelp[] = "\x83\x77\x83\x8B\x83\x76";
// "ヘルプを閉じる"
inline constexpr char kCloseHelp[] = "\x83\x77\x83\x8B\x83\x76\x82\xF0\x95\xC2\x82\xB6\x82\xE9";

}  // namespace kestrel::sheet_texts
