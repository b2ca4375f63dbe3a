#include "monitor/status_panel.h"

#include <cstdio>

#include "monitor/monitor_texts.h"

namespace kestrel {

namespace {

constexpr std::uint32_t kRateInKbits = 0x80000000u;
constexpr std::uint32_t kRateFivePointFive = 5;

void ChooseBars(const LinkStatus& status, StatusPanelDisplay& display) {
  for (int bar = 1; bar <= 8; ++bar) {
    int picture = panel_picture::kBarLit;
    if (!status.associated) {
      picture = bar == 1 ? panel_picture::kFirstBarNotAssociated : panel_picture::kBarDark;
    } else if (status.infrastructureMode == 1 && bar > status.signalBars) {
      picture = panel_picture::kBarDark;
    }
    display.pictures[static_cast<std::size_t>(bar + 1)] = picture;
  }
}

}  // namespace

std::string RateText(std::uint32_t rateCode) {
  char text[24];
  if (rateCode == 0)
    return monitor_texts::kRateUnknown;
  if ((rateCode & kRateInKbits) != 0) {
    std::snprintf(text, sizeof text, "%d Kbps", static_cast<int>(rateCode & ~kRateInKbits));
  } else if (rateCode == kRateFivePointFive) {
    return "5.5Mbps";
  } else {
    std::snprintf(text, sizeof text, "%d Mbps", static_cast<int>(rateCode));
  }
  return text;
}

StatusPanelDisplay PresentStatusPanel(const LinkStatus& status) {
  StatusPanelDisplay display;
  display.networkText = " " + status.networkText;
  display.channelText = status.channelText;
  display.signalLabel = monitor_texts::kSignalLabel;
  if (status.associated) {
    display.pictures[0] =
        status.infrastructureMode == 0 ? panel_picture::kAdHoc : panel_picture::kInfrastructure;
    display.pictures[1] =
        status.encrypted ? panel_picture::kLockEncrypted : panel_picture::kLockOpen;
    display.networkColour = kPanelWhite;
    display.channelColour = kPanelYellowGreen;
    display.rateText = RateText(status.rateCode);
    display.rateColour = status.rateCode == 0 ? kPanelRed : kPanelYellowGreen;
    display.signalLabelColour = kPanelWhite;
  } else {
    display.pictures[0] = panel_picture::kNotAssociated;
    display.pictures[1] = panel_picture::kLockNotAssociated;
    display.networkColour = kPanelRed;
    display.channelColour = kPanelRed;
    display.rateText = monitor_texts::kRateUnknown;
    display.rateColour = kPanelRed;
    display.signalLabelColour = kPanelRed;
  }
  ChooseBars(status, display);
  return display;
}

}  // namespace kestrel
