#pragma once
// The Japanese texts the two dialogs put into their lists and message, as code page 932
// bytes; the templates hold the labels.

namespace kestrel::dialog_texts {

// 無効
inline constexpr char kOff[] = "\x96\xB3\x8C\xF8";
// 有効
inline constexpr char kOn[] = "\x97\x4C\x8C\xF8";
// オフ
inline constexpr char kPowerSaveOff[] = "\x83\x49\x83\x74";
// 最大
inline constexpr char kPowerSaveMaximum[] = "\x8D\xC5\x91\xE5";
// ノーマル
inline constexpr char kPowerSaveNormal[] = "\x83\x6D\x81\x5B\x83\x7D\x83\x8B";
// 自動
inline constexpr char kAutomatic[] = "\x8E\xA9\x93\xAE";
// 最小
inline constexpr char kMinimum[] = "\x8D\xC5\x8F\xAC";
// 少なくとも1つのモードを選択してください。
inline constexpr char kSelectOneModeMessage[] =
    "\x8F\xAD\x82\xC8\x82\xAD\x82\xC6\x82\xE0\x31\x82\xC2\x82\xCC\x83\x82\x81\x5B\x83\x68\x82\xF0"
    "\x91\x49\x91\xF0\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42";

inline constexpr char kLongPreamble[] = "Long";
inline constexpr char kFiveGhzBand[] = "5GHz(802.11a)";
inline constexpr char kTwoFourGhzBand[] = "2.4GHz(802.11b/g)";
// The 2.4 GHz entry while the modes are changed but not yet applied.
inline constexpr char kTwoFourGhzBandShort[] = "802.11b/g";

}  // namespace kestrel::dialog_texts
