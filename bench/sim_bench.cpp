// The simulated driver answers every request of every process on the machine, the tray's
// and the status panel's polls included, so its own work per request belongs to the idle
// utility's cost: a request, the digest that decides whether the snapshot is saved, and
// the traffic of a link that has been up for a day.
#include <benchmark/benchmark.h>

#include <cstring>

#include "adapter/byte_order.h"
#include "adapter/oids.h"
#include "model/link_traffic.h"
#include "model/scenario.h"
#include "model/simulated_adapter.h"
#include "model/snapshot_digest.h"

namespace kestrel::sim {
namespace {

class SteppedClock : public SimClock {
 public:
  std::uint64_t now = 1'000'000;
  std::uint64_t nowMs() override { return now += 50; }
};

class CountingRandom : public RandomSource {
 public:
  std::uint32_t next() override { return ++count_; }

 private:
  std::uint32_t count_ = 0;
};

void SetSsid(SimulatedAdapter& adapter, const char* ssid) {
  std::uint8_t record[oid::kSsidRecordSize] = {};
  WriteLe32(record, static_cast<std::uint32_t>(std::strlen(ssid)));
  std::memcpy(record + 4, ssid, std::strlen(ssid));
  adapter.request(1, oid::k80211Ssid, record, sizeof record);
}

// A statistics query on a connected link, the clock moving 50 ms a request.
void BM_StatisticsQueryOnAConnectedLink(benchmark::State& state) {
  SharedAdapterState shared{};
  SteppedClock clock;
  CountingRandom random;
  SimulatedAdapter adapter(shared, clock, random);
  adapter.reset(DefaultScenario());
  SetSsid(adapter, "KESTREL_Open");
  clock.now += 2000;
  std::uint8_t block[oid::kStatisticsSize];
  for (auto _ : state) {
    adapter.request(0, oid::kVndStatistics, block, sizeof block);
    benchmark::DoNotOptimize(block);
  }
}
BENCHMARK(BM_StatisticsQueryOnAConnectedLink);

void BM_SnapshotDigest(benchmark::State& state) {
  SharedAdapterState shared{};
  ResetState(shared, DefaultScenario(), 0);
  for (auto _ : state)
    benchmark::DoNotOptimize(SnapshotDigest(shared));
  state.counters["bytes"] = sizeof shared;
}
BENCHMARK(BM_SnapshotDigest);

// The worst a total costs: the last second of a 64 s period, a day after the link came up.
void BM_LinkTrafficOfADayOldLink(benchmark::State& state) {
  std::uint64_t elapsed = 86'400'000 + 63'999;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LinkTraffic(elapsed, kDefaultLoadKbps, 12345));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LinkTrafficOfADayOldLink);

}  // namespace
}  // namespace kestrel::sim
