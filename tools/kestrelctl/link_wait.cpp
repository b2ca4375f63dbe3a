#include "link_wait.h"

#include "adapter/adapter.h"
#include "monitor/link_status.h"
#include "monitor/monitor_texts.h"
#include "platform/clock.h"
#include "ui/settings/settings_rules.h"

namespace kestrel::ctl {

namespace {

constexpr std::uint32_t kAuthenticatingState = 2;
constexpr std::uint32_t kConnectingState = 3;

bool TakesAnyNetwork(const std::string& ssid) {
  return ssid.empty() || EqualsIgnoringCase(ssid, "Any");
}

// The panel's words for a link that is not up yet, whatever tick it is seen on.
std::string PendingText(const LinkStatus& link) {
  if (!link.associated)
    return monitor_texts::kLinkScanning;
  if (link.stateCode == kConnectingState)
    return monitor_texts::kConnecting;
  return monitor_texts::kAuthenticating;
}

}  // namespace

LinkWaitResult WaitForLink(Adapter& adapter, Clock& clock, const std::string& ssid,
                           std::uint32_t startedMs, int seconds,
                           const std::function<void(const std::string&)>& seen) {
  LinkStatusPoller poller(adapter);
  const std::uint32_t limitMs = static_cast<std::uint32_t>(seconds) * 1000u;
  LinkWaitResult result;
  for (;;) {
    // The settings were pushed a moment ago: no driver is up again sooner than a poll.
    clock.sleepMs(kLinkPollMs);
    const LinkStatus link = poller.PollLinkStatus(PollMode::Tick);
    const std::uint32_t waited = clock.tickCountMs() - startedMs;
    result.waitedSeconds = static_cast<int>(waited / 1000u);
    const bool pastHandshake = link.associated && link.stateCode != kConnectingState &&
                               link.stateCode != kAuthenticatingState;
    SsidRecord record;
    const std::string joined =
        pastHandshake && adapter.GetSsid(record) ? SsidText(record) : std::string();
    if (pastHandshake && (TakesAnyNetwork(ssid) ? !joined.empty() : joined == ssid)) {
      result.connected = true;
      result.lastSeen = joined;
    } else {
      result.lastSeen = pastHandshake ? joined : PendingText(link);
    }
    seen(result.lastSeen);
    if (result.connected || waited >= limitMs)
      return result;
  }
}

}  // namespace kestrel::ctl
