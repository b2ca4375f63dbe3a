#pragma once
// The tray monitor's once-a-second view of the link: adapter ready or not, connected or
// not, a three-level signal grade, the SSID, the icon and its tip.

#include <cstdint>
#include <string>

namespace kestrel {

class Adapter;

enum class TrayLinkState { NotReady, Connected, NotConnected };
enum class SignalGrade { Strong, Medium, Weak };

namespace tray_icon {
inline constexpr int kStrong = 152;
inline constexpr int kMedium = 151;
inline constexpr int kWeak = 153;  // also not connected
inline constexpr int kNotConnected = 153;
}  // namespace tray_icon

struct TrayLinkSummary {
  TrayLinkState state = TrayLinkState::NotReady;
  SignalGrade grade = SignalGrade::Strong;  // when connected
  std::string ssidText;                     // when connected
  int icon = 0;                             // 0 when not ready
  bool hasTip = false;                      // false: the tip stays as it was
  std::string tip;
};

// Truncation of (rssi + 100) / 65 x 120, not limited to 100.
int TraySignalPercent(std::int32_t rssi);

// Called only while an adapter is present at all.
TrayLinkSummary TraySummary(Adapter& adapter);

}  // namespace kestrel
