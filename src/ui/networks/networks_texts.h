#pragma once
// Texts of the networks page in the ANSI code page 932. Each Japanese text is written as
// escaped Shift-JIS bytes with the text itself in a comment.

namespace kestrel::networks_texts {

// The table's columns: title and initial width, entries separated by ";".
// "ネットワーク名(SSID),100;XR,100;チャンネル,100;セキュリティ,100;信号,100;MACアドレス,100;モード,100"
inline constexpr char kColumnLayout[] =
    "\x83\x6C\x83\x62\x83\x67\x83\x8F\x81\x5B\x83\x4E\x96\xBC(SSID),100;XR,100;"
    "\x83\x60\x83\x83\x83\x93\x83\x6C\x83\x8B,100;"
    "\x83\x5A\x83\x4C\x83\x85\x83\x8A\x83\x65\x83\x42,100;\x90\x4D\x8D\x86,100;"
    "MAC\x83\x41\x83\x68\x83\x8C\x83\x58,100;\x83\x82\x81\x5B\x83\x68,100";

// "新しいプロファイル": the profile name of record after a connect from the table.
inline constexpr char kNewProfileName[] =
    "\x90\x56\x82\xB5\x82\xA2\x83\x76\x83\x8D\x83\x74\x83\x40\x83\x43\x83\x8B";

inline constexpr char kSecurityNone[] = "none";
inline constexpr char kSecurityWep[] = "WEP";

}  // namespace kestrel::networks_texts
