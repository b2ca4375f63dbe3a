#pragma once
// kestrelctl monitor: the link polled at the tray's period with the status panel's rules,
// and each change told as one event.

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "monitor/link_status.h"

namespace kestrel::ctl {

// The link state as kestrelctl names it ("not associated", "connecting", ...).
const char* LinkStateName(std::uint32_t stateCode);
// Megabits per second of a rate code, as the panel's rate text gives it; empty for
// "unknown" (0).
std::string RateMbps(std::uint32_t rateCode);

// What one poll saw.
struct LinkSample {
  bool present = false;
  std::string link;  // LinkStateName of the state code
  std::string ssid;  // while connected
  std::string bssid;
  bool channelKnown = false;
  std::uint32_t channel = 0;
  std::string band;
  std::uint32_t frequencyMhz = 0;
  std::string rateMbps;
  int signalBars = 0;
  int signalPercent = 0;
};

// One change: the text line and the JSON object, both without the time.
struct LinkEvent {
  std::string text;
  std::string jsonFields;  // members, comma-separated, for an object that leads with the time
};

class LinkMonitor {
 public:
  LinkMonitor(Adapter& adapter, AdapterDiscovery& discovery, bool& adapterFound,
              bool& channelOpened);
  // One poll; the first tells the state found, later ones only what changed.
  std::vector<LinkEvent> tick();

 private:
  LinkSample sample();

  Adapter& adapter_;
  AdapterDiscovery& discovery_;
  bool& adapterFound_;
  bool& channelOpened_;
  LinkStatusPoller poller_;
  bool first_ = true;
  LinkSample last_;
};

}  // namespace kestrel::ctl
