#pragma once
// The shell's fixed names and texts (all ASCII).

namespace kestrel::shell_texts {

inline constexpr char kOemFileName[] = "oem.tmp";
inline constexpr char kCompanionProgram[] = "QMVXlink.exe";
inline constexpr char kFirstRunFlag[] = "CheckDP";
inline constexpr char kCountryCodeValue[] = "ccode";
inline constexpr char kConfigurationsSubKey[] = "\\CustomParams\\Configurations\\";
inline constexpr char kZeroConfigCheckMessageName[] = "WLANSTAT_ZEROCFG_CHK";
// The tip of the icon added at start, before the first monitor tick.
inline constexpr char kFirstTrayTip[] = "Kestrel LX740N is Connected to";

}  // namespace kestrel::shell_texts
