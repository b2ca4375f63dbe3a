#include "monitor/tray_summary.h"

#include <cstdio>

#include "adapter/adapter.h"
#include "monitor/link_status.h"
#include "monitor/monitor_texts.h"

namespace kestrel {

namespace {

constexpr std::uint32_t kHardwareReady = 0;
constexpr std::uint32_t kInfrastructure = 1;
constexpr int kWeakBelow = 10;
constexpr int kMediumUpTo = 65;

SignalGrade Grade(int percent, std::uint32_t mode) {
  if (mode != kInfrastructure || percent > kMediumUpTo)
    return SignalGrade::Strong;
  return percent < kWeakBelow ? SignalGrade::Weak : SignalGrade::Medium;
}

int IconOf(SignalGrade grade) {
  switch (grade) {
    case SignalGrade::Strong:
      return tray_icon::kStrong;
    case SignalGrade::Medium:
      return tray_icon::kMedium;
    case SignalGrade::Weak:
      break;
  }
  return tray_icon::kWeak;
}

}  // namespace

int TraySignalPercent(std::int32_t rssi) {
  // The adapter limits the RSSI to -200..-10 dBm; the bounds only keep other input defined.
  const double percent = (static_cast<double>(rssi) + 100.0) / 65.0 * 120.0;
  if (percent <= -1e6)
    return -1000000;
  if (percent >= 1e6)
    return 1000000;
  return static_cast<int>(percent);
}

TrayLinkSummary TraySummary(Adapter& adapter) {
  TrayLinkSummary summary;
  std::uint32_t hardware = 0;
  if (!adapter.GetHardwareStatus(hardware) || hardware != kHardwareReady)
    return summary;

  if (!adapter.IsMediaConnected()) {
    summary.state = TrayLinkState::NotConnected;
    summary.icon = tray_icon::kNotConnected;
    summary.hasTip = true;
    summary.tip = monitor_texts::kTrayDisconnected;
    return summary;
  }

  summary.state = TrayLinkState::Connected;
  std::int32_t rssi = 0;  // a failed query reads as 0 dBm
  adapter.GetRssi(rssi);
  std::uint32_t mode = 0;
  adapter.GetInfrastructureMode(mode);
  summary.grade = Grade(TraySignalPercent(rssi), mode);
  summary.icon = IconOf(summary.grade);

  SsidRecord ssid;
  if (adapter.GetSsid(ssid)) {
    summary.ssidText = SsidText(ssid);
    char tip[128];
    std::snprintf(tip, sizeof tip, monitor_texts::kTrayConnectedFormat, summary.ssidText.c_str());
    summary.tip = tip;
    summary.hasTip = true;
  }
  return summary;
}

}  // namespace kestrel
