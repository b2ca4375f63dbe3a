// Requests and scenario files reach the simulated driver from outside: whatever they hold,
// it must answer within the caller's buffer and parse within the text.
#include <cstdint>
#include <string>
#include <vector>

#include "adapter/oids.h"
#include "model/scenario_parser.h"
#include "model/simulated_adapter.h"

namespace {

class StepClock : public kestrel::sim::SimClock {
 public:
  std::uint64_t now = 0;
  std::uint64_t nowMs() override { return now; }
};

class CountingRandom : public kestrel::sim::RandomSource {
 public:
  std::uint32_t value = 0;
  std::uint32_t next() override { return value++; }
};

constexpr std::uint32_t kOids[] = {
    kestrel::oid::kGenHardwareStatus,
    kestrel::oid::kGenMediaConnectStatus,
    kestrel::oid::kGenXmitOk,
    kestrel::oid::kGenRcvError,
    kestrel::oid::k8023CurrentAddress,
    kestrel::oid::k80211Bssid,
    kestrel::oid::k80211Ssid,
    kestrel::oid::k80211InfrastructureMode,
    kestrel::oid::k80211AddWep,
    kestrel::oid::k80211RemoveWep,
    kestrel::oid::k80211AuthenticationMode,
    kestrel::oid::k80211WepStatus,
    kestrel::oid::k80211Rssi,
    kestrel::oid::kVndTxRate,
    kestrel::oid::kVndChannelInfo,
    kestrel::oid::kVndConnectionState,
    kestrel::oid::kVndStatistics,
    kestrel::oid::kVndCountryCode,
    kestrel::oid::kVndLinkFlags,
    kestrel::oid::kVndWmmConfig,
    kestrel::oid::kVndFf00002e,
    kestrel::oid::kVndFf10000f,
    kestrel::oid::kVndFf21000e,
    kestrel::oid::kVndWirelessMode,
    kestrel::oid::kVndFragThresholdSet,
    kestrel::oid::kVndRtsThresholdGet,
    kestrel::oid::kVndPreambleSet,
    kestrel::oid::kVndBssList,
    kestrel::oid::kVndAutoCellVersion,
    kestrel::oid::kVndFfff8808,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrel::sim;
  Scenario scenario = DefaultScenario();
  std::string error;
  ParseScenario(std::string(reinterpret_cast<const char*>(data), size), scenario, error);

  StepClock clock;
  CountingRandom random;
  SharedAdapterState state{};
  SimulatedAdapter adapter(state, clock, random);
  adapter.reset(scenario);
  // Each request: type, OID choice, length (two bytes), milliseconds to wait; then as many
  // bytes of the input as the buffer holds, in a buffer of exactly that size.
  std::size_t at = 0;
  while (at + 5 <= size) {
    const std::uint32_t type = data[at] & 1;
    const std::uint32_t oid = kOids[data[at + 1] % (sizeof kOids / sizeof kOids[0])];
    const auto length = static_cast<std::uint32_t>(data[at + 2] | (data[at + 3] << 8)) % 18000;
    clock.now += std::uint64_t{data[at + 4]} * 20;
    at += 5;
    std::vector<std::uint8_t> buffer(length);
    for (std::uint32_t i = 0; i < length && at + i < size; ++i)
      buffer[i] = data[at + i];
    at += std::min<std::size_t>(length, size - at);
    const RequestResult result =
        adapter.request(type, oid, length ? buffer.data() : nullptr, length);
    if (result.written > length)
      __builtin_trap();
  }
  if (size > 0 && data[0] == '!')
    adapter.reportDot1xPassphrase(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
