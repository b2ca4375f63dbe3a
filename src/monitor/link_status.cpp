#include "monitor/link_status.h"

#include <algorithm>
#include <cmath>

#include "adapter/adapter.h"
#include "adapter/oid_conversions.h"
#include "monitor/monitor_texts.h"

namespace kestrel {

namespace {

constexpr std::uint32_t kHighestStateCode = 4;
constexpr std::uint32_t kStateAuthenticating = 2;
constexpr std::uint32_t kStateConnecting = 3;
constexpr std::uint32_t kEncryptionDisabled = 1;
constexpr std::size_t kLongestSsid = 32;

}  // namespace

int SignalPercent(std::int32_t rssi) {
  const double percent = (static_cast<double>(rssi) + 100.0) / 65.0 * 120.0;
  if (percent > 100.0)
    return 100;
  if (percent < 0.0)
    return 0;
  return static_cast<int>(percent);
}

int SignalBars(int percent) {
  const int bounded = std::clamp(percent, 0, 100);
  const float tenfoldRoot = std::sqrt(static_cast<float>(bounded)) * 10.0f;
  return static_cast<int>(tenfoldRoot / 12.0f);
}

std::string SsidText(const SsidRecord& ssid) {
  if (ssid.length > kLongestSsid)
    return std::string();
  const auto begin = ssid.ssid.begin();
  const auto end = begin + static_cast<std::ptrdiff_t>(ssid.length);
  return std::string(begin, std::find(begin, end, 0));
}

LinkStatusPoller::LinkStatusPoller(Adapter& adapter) : adapter_(adapter) {}

// A failed state query shows the not-associated display and keeps the stored code.
LinkStatus LinkStatusPoller::PollLinkStatus(PollMode mode) {
  LinkStatus status;
  std::uint32_t code = 0;
  if (adapter_.GetConnectionState(code) && code <= kHighestStateCode)
    stateCode_ = code;

  adapter_.GetChannelText(status.channelText);

  status.associated = code != 0;
  if (status.associated) {
    pollAssociated(mode, status);
  } else {
    status.networkText = monitor_texts::kLinkScanning;
    status.infrastructureMode = 1;
  }

  status.signalBars = SignalBars(status.signalPercent);
  status.stateCode = stateCode_;
  status.previousStateCode = previousStateCode_;
  previousStateCode_ = stateCode_;
  return status;
}

void LinkStatusPoller::pollAssociated(PollMode mode, LinkStatus& status) {
  adapter_.GetInfrastructureMode(status.infrastructureMode);

  SsidRecord ssid;
  std::string ssidText;
  bool progressShown = false;
  if (adapter_.GetSsid(ssid)) {
    ssidText = SsidText(ssid);
    if (mode == PollMode::Tick) {
      if (stateCode_ == kStateConnecting && previousStateCode_ != kStateConnecting) {
        ssidText = monitor_texts::kConnecting;
        progressShown = true;
      } else if (stateCode_ == kStateAuthenticating && previousStateCode_ != kStateAuthenticating) {
        ssidText = monitor_texts::kAuthenticating;
        progressShown = true;
      }
    }
  }

  std::string bssidText;
  MacAddress bssid{};
  if (adapter_.GetBssid(bssid) && !progressShown)
    bssidText = "(" + MacAddressText(bssid) + ")";
  status.networkText = ssidText + " " + bssidText;

  adapter_.GetTxRate(status.rateCode);  // a failed query leaves 0, the unknown rate

  std::uint32_t encryption = 0;
  status.encrypted = adapter_.GetWepStatus(encryption) && encryption != kEncryptionDisabled;

  if (mode == PollMode::Tick && adapter_.GetLinkFlag() == 1) {
    status.signalPercent = 2;
    return;
  }
  std::int32_t rssi = 0;
  status.signalPercent = adapter_.GetRssi(rssi) ? SignalPercent(rssi) : 0;
}

}  // namespace kestrel
