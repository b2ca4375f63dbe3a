#pragma once
// Texts of the link monitors as the pages show them, in the ANSI code page 932. Each
// Japanese text is written as escaped Shift-JIS bytes with the text itself in a comment.

namespace kestrel::monitor_texts {

// "<<< スキャン中... >>>"
inline constexpr char kScanning[] = "<<< \x83\x58\x83\x4C\x83\x83\x83\x93\x92\x86... >>>";
// "スキャン終了"
inline constexpr char kScanFinished[] = "\x83\x58\x83\x4C\x83\x83\x83\x93\x8F\x49\x97\xB9";
// "アクセス・ポイント"
inline constexpr char kAccessPoint[] =
    "\x83\x41\x83\x4E\x83\x5A\x83\x58\x81\x45\x83\x7C\x83\x43\x83\x93\x83\x67";
inline constexpr char kAdHoc[] = "Ad-Hoc";

// "スキャン中…"
inline constexpr char kLinkScanning[] = "\x83\x58\x83\x4C\x83\x83\x83\x93\x92\x86\x81\x63";
// "接続しています…"
inline constexpr char kConnecting[] =
    "\x90\xDA\x91\xB1\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x63";
// "認証しています…"
inline constexpr char kAuthenticating[] =
    "\x94\x46\x8F\xD8\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x63";
// "不明"
inline constexpr char kRateUnknown[] = "\x95\x73\x96\xBE";
// "信号"
inline constexpr char kSignalLabel[] = "\x90\x4D\x8D\x86";

inline constexpr char kTrayConnectedFormat[] = "Kestrel LX740N is Connected to %s";
inline constexpr char kTrayDisconnected[] = "Disconnect";

inline constexpr char kNotAvailable[] = "N/A";

}  // namespace kestrel::monitor_texts
