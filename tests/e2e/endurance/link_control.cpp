#include "link_control.h"

#include <algorithm>
#include <cstring>

#include "model/scenario.h"
#include "model/scenario_parser.h"
#include "model/simulated_adapter.h"
#include "model/simulated_link.h"

namespace kestrel::endurance {

namespace {

constexpr std::uint32_t kInfrastructure = 1;

}  // namespace

LinkControl::LinkControl() = default;

bool LinkControl::connect(std::int32_t levelDbm, std::int32_t offsetDb) {
  const std::uint64_t now = store_.clock().nowMs();
  return store_.withState([&](sim::SharedAdapterState& state) {
    if (state.networkCount == 0)
      return;
    // Keep to the network the link joined first, so the tip's name stays the same.
    if (network_ < 0 || static_cast<std::uint32_t>(network_) >= state.networkCount)
      network_ = state.network >= 0 ? state.network : 0;
    state.phase = sim::LinkPhase::Connected;
    state.network = network_;
    state.phaseStartMs = now;
    state.infrastructureMode = kInfrastructure;
    state.networks[network_].levelDbm = levelDbm;
    state.rssiOffset = offsetDb;
    state.walkRemainderMs = 0;
  });
}

bool LinkControl::disconnect() {
  const std::uint64_t now = store_.clock().nowMs();
  return store_.withState([&](sim::SharedAdapterState& state) {
    state.phase = sim::LinkPhase::Scanning;
    state.network = -1;
    state.phaseStartMs = now;
  });
}

bool LinkControl::setPresent(bool present) {
  return store_.withState([&](sim::SharedAdapterState& state) {
    sim::SimulatedAdapter model(state, store_.clock(), store_.random());
    model.setPresent(present);
  });
}

bool LinkControl::failRequests(std::uint32_t ms) {
  return store_.withState([&](sim::SharedAdapterState& state) {
    sim::SimulatedAdapter model(state, store_.clock(), store_.random());
    model.failRequestsFor(ms);
  });
}

bool LinkControl::failDot1x(bool failing) {
  return store_.withState([&](sim::SharedAdapterState& state) {
    sim::SimulatedAdapter model(state, store_.clock(), store_.random());
    model.failDot1xCalls(failing);
  });
}

int LinkControl::dot1xCallsBy(std::uint32_t processId) {
  int calls = 0;
  store_.withState([&](sim::SharedAdapterState& state) {
    const std::uint32_t kept = std::min(state.dot1xCallCount, sim::kDot1xJournalSize);
    for (std::uint32_t i = 0; i < kept; ++i)
      calls += state.dot1xJournal[i].processId == processId ? 1 : 0;
  });
  return calls;
}

int LinkControl::lastDot1xStatus(std::uint32_t processId, sim::Dot1xCall call) {
  int status = -1;
  store_.withState([&](sim::SharedAdapterState& state) {
    const std::uint32_t kept = std::min(state.dot1xCallCount, sim::kDot1xJournalSize);
    // Newest first: the ring's next slot follows the newest entry.
    for (std::uint32_t back = 1; back <= kept; ++back) {
      const sim::Dot1xJournalEntry& entry =
          state.dot1xJournal[(state.dot1xCallCount - back) % sim::kDot1xJournalSize];
      if (entry.processId == processId && entry.call == static_cast<std::uint32_t>(call)) {
        status = entry.status;
        return;
      }
    }
  });
  return status;
}

bool LinkControl::loadScenario(const std::string& text) {
  sim::Scenario scenario;
  std::string error;
  if (!sim::ParseScenario(text, scenario, error))
    return false;
  return store_.withState([&](sim::SharedAdapterState& state) {
    sim::SimulatedAdapter model(state, store_.clock(), store_.random());
    model.loadScenario(scenario);
  });
}

std::string LinkControl::desiredSsid() {
  std::string ssid;
  store_.withState([&](sim::SharedAdapterState& state) {
    ssid.assign(reinterpret_cast<const char*>(state.desiredSsid),
                std::min<std::uint32_t>(state.desiredSsidLength, sim::kMaxSsidBytes));
  });
  return ssid;
}

bool LinkControl::setDesiredSsid(const std::string& ssid) {
  return store_.withState([&](sim::SharedAdapterState& state) {
    const std::size_t size = std::min<std::size_t>(ssid.size(), sim::kMaxSsidBytes);
    std::memset(state.desiredSsid, 0, sizeof state.desiredSsid);
    std::memcpy(state.desiredSsid, ssid.data(), size);
    state.desiredSsidLength = static_cast<std::uint32_t>(size);
  });
}

std::string LinkControl::describe() {
  std::string text = "unreachable";
  store_.withState([&](sim::SharedAdapterState& state) {
    text = "phase " + std::to_string(static_cast<std::uint32_t>(state.phase)) + ", rssi " +
           std::to_string(sim::LinkRssi(state)) + " dBm, present " + std::to_string(state.present);
  });
  return text;
}

bool LinkControl::reset() {
  return store_.withState([&](sim::SharedAdapterState& state) {
    sim::SimulatedAdapter model(state, store_.clock(), store_.random());
    model.reset(sim::DefaultScenario());
  });
}

}  // namespace kestrel::endurance
