#pragma once
// Radio conditions forced on the simulated adapter, faster than its own timing moves:
// a connected link at a chosen signal, no link, the card out or in.

#include <cstdint>
#include <string>

#include "model/dot1x_journal.h"
#include "store/shared_adapter_store.h"

namespace kestrel::endurance {

class LinkControl {
 public:
  LinkControl();
  // The network's mean level and the walk's offset from it.
  bool connect(std::int32_t levelDbm, std::int32_t offsetDb = 0);
  bool disconnect();
  bool setPresent(bool present);
  // Every request fails for the next `ms`.
  bool failRequests(std::uint32_t ms);
  // The simulated 802.1X client answers every call with an error while on.
  bool failDot1x(bool failing);
  // The 802.1X client's calls from `processId` still in its journal: how many, and the
  // status of the newest one of `call` (-1 when there is none).
  int dot1xCallsBy(std::uint32_t processId);
  int lastDot1xStatus(std::uint32_t processId, sim::Dot1xCall call);
  // Networks and facts from a scenario file's text; false when it does not parse.
  bool loadScenario(const std::string& text);
  // The SSID the driver was last asked to join; setting it marks the next push's arrival.
  std::string desiredSsid();
  bool setDesiredSsid(const std::string& ssid);
  // The link as the driver reports it, for a failure's message.
  std::string describe();
  // Power-on state with the built-in scenario, for the programs that run next.
  bool reset();

 private:
  sim::SharedAdapterStore store_;
  std::int32_t network_ = -1;
};

}  // namespace kestrel::endurance
