#pragma once
// The link-status rules of the main sheet's status panel.

#include <cstdint>
#include <string>

namespace kestrel {

class Adapter;
struct SsidRecord;

enum class PollMode { Tick, Refresh };

struct LinkStatus {
  bool associated = false;  // the link state code of this poll is non-zero
  std::uint32_t stateCode = 0;
  std::uint32_t previousStateCode = 0;
  std::uint32_t infrastructureMode = 0;
  std::string networkText;  // "%s %s" of SSID and bracketed BSSID
  std::string channelText;
  bool encrypted = false;
  std::uint32_t rateCode = 0;
  int signalPercent = 0;  // 0..100
  int signalBars = 0;     // 0..8
};

// Truncation of (rssi + 100) / 65 x 120, limited to 0..100.
int SignalPercent(std::int32_t rssi);
// Truncation of the single-precision sqrt(percent) x 10 divided by 12: 0..8.
int SignalBars(int percent);
// The SSID bytes up to the length, cut at the first zero; empty when the length
// exceeds 32.
std::string SsidText(const SsidRecord& ssid);

// Polls the adapter for the status panel. Lives with the main sheet, which keeps the
// link state codes between polls.
class LinkStatusPoller {
 public:
  explicit LinkStatusPoller(Adapter& adapter);

  LinkStatus PollLinkStatus(PollMode mode);

  std::uint32_t stateCode() const { return stateCode_; }
  std::uint32_t previousStateCode() const { return previousStateCode_; }

 private:
  void pollAssociated(PollMode mode, LinkStatus& status);

  Adapter& adapter_;
  std::uint32_t stateCode_ = 0;
  std::uint32_t previousStateCode_ = 0;
};

}  // namespace kestrel
