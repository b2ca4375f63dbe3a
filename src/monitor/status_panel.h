#pragma once
// What the main sheet's status panel shows for one link status: pictures by resource id,
// texts and their colours. The sheet owns the cells; these are the decisions.

#include <array>
#include <cstdint>
#include <string>

#include "monitor/link_status.h"

namespace kestrel {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

inline constexpr Rgb kPanelRed{255, 0, 0};
inline constexpr Rgb kPanelWhite{255, 255, 255};
inline constexpr Rgb kPanelYellowGreen{214, 255, 41};

namespace panel_picture {
inline constexpr int kNotAssociated = 179;
inline constexpr int kInfrastructure = 180;
inline constexpr int kAdHoc = 188;
inline constexpr int kLockNotAssociated = 183;
inline constexpr int kLockEncrypted = 186;
inline constexpr int kLockOpen = 190;
inline constexpr int kBarLit = 185;
inline constexpr int kBarDark = 174;
inline constexpr int kFirstBarNotAssociated = 191;
}  // namespace panel_picture

struct StatusPanelDisplay {
  // Picture controls in panel order: network type, lock, bars 1 to 8.
  std::array<int, 10> pictures{};
  std::string networkText;  // " %s" of the status's network text
  Rgb networkColour;
  std::string channelText;
  Rgb channelColour;
  std::string rateText;
  Rgb rateColour;
  std::string signalLabel;
  Rgb signalLabelColour;
};

StatusPanelDisplay PresentStatusPanel(const LinkStatus& status);

// "不明" for 0, "%d Kbps" of the low 31 bits with bit 31 set, "5.5Mbps" for 5, else
// "%d Mbps".
std::string RateText(std::uint32_t rateCode);

}  // namespace kestrel
