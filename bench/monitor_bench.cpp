// The status panel polls twice a second, the tray once a second, the sampler once a
// second and the survey parses up to 17920 bytes: the monitors' own work must stay small
// next to the requests they make, which a real driver answers far more slowly than the fake.
#include <benchmark/benchmark.h>

#include "adapter/adapter.h"
#include "fakes/fake_ndis_library.h"
#include "monitor/link_status.h"
#include "monitor/load_chart.h"
#include "monitor/network_list.h"
#include "monitor/network_list_builder.h"
#include "monitor/statistics_sampler.h"
#include "monitor/tray_summary.h"

namespace kestrel {
namespace {

using testing::NetworkRecord;

// 127 records fill the 17920-byte list only at 141 bytes each: five element bytes, so no
// element walk.
void BM_ParseFull127RecordList(benchmark::State& state) {
  std::vector<NetworkRecord> records;
  for (int i = 0; i < 127; ++i) {
    records.push_back(NetworkRecord()
                          .ssid("Network " + std::to_string(i))
                          .privacy(static_cast<std::uint32_t>(i % 2))
                          .lengthField(141)
                          .elementsLengthField(5)
                          .truncateTo(141));
  }
  const std::vector<std::uint8_t> list = testing::NetworkListBytes(127, records, oid::kBssListSize);
  for (auto _ : state) {
    const NetworkList parsed = ParseNetworkList(list.data(), list.size());
    benchmark::DoNotOptimize(parsed.rows.data());
  }
  state.counters["rows"] =
      static_cast<double>(ParseNetworkList(list.data(), list.size()).rows.size());
}
BENCHMARK(BM_ParseFull127RecordList);

// As many records as fit with a WPA and an RSN element each, so every record is walked.
void BM_ParseFullListWithSecurityElements(benchmark::State& state) {
  std::vector<NetworkRecord> records;
  const NetworkRecord secured =
      NetworkRecord().privacy(1).element(221, testing::WpaBody(2)).element(48, testing::RsnBody(2));
  const std::size_t count = (oid::kBssListSize - 4) / secured.bytes().size();
  records.assign(count, secured);
  const std::vector<std::uint8_t> list =
      testing::NetworkListBytes(static_cast<std::uint32_t>(count), records, oid::kBssListSize);
  for (auto _ : state) {
    const NetworkList parsed = ParseNetworkList(list.data(), list.size());
    benchmark::DoNotOptimize(parsed.rows.data());
  }
  state.counters["rows"] = static_cast<double>(count);
}
BENCHMARK(BM_ParseFullListWithSecurityElements);

struct ScriptedAdapter {
  ScriptedAdapter() {
    library.answerWord(oid::kGenHardwareStatus, 0);
    library.answers[oid::kGenMediaConnectStatus] = std::vector<std::uint8_t>(10, 0);
    library.answerWord(oid::kVndConnectionState, 1);
    library.answerWord(oid::kVndChannelInfo, 2437 | (0x0400u << 16));
    library.answerWord(oid::k80211InfrastructureMode, 1);
    library.answers[oid::k80211Ssid] = {7, 0, 0, 0, 'K', 'e', 's', 't', 'r', 'e', 'l'};
    library.answers[oid::k80211Bssid] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    library.answerWord(oid::kVndTxRate, 54);
    library.answerWord(oid::k80211WepStatus, 0);
    library.answers[oid::kVndLinkFlags] = std::vector<std::uint8_t>(12, 0);
    library.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(-60));
    library.answers[oid::kVndStatistics] = std::vector<std::uint8_t>(168, 7);
    library.answerWord(oid::kGenXmitOk, 1000);
    library.answerWord(oid::kGenRcvOk, 2000);
    library.answerWord(oid::kGenXmitError, 1);
    library.answerWord(oid::kGenRcvError, 2);
  }

  fakes::FakeNdisLibrary library;
  fakes::FakeCompletionEvents events;
  bool opened = false;
  ZAdapterInfo current;
  Adapter adapter{library, events, opened, current};
};

// One associated Tick poll: nine requests.
void BM_TickPoll(benchmark::State& state) {
  ScriptedAdapter scripted;
  LinkStatusPoller poller(scripted.adapter);
  for (auto _ : state) {
    LinkStatus status = poller.PollLinkStatus(PollMode::Tick);
    benchmark::DoNotOptimize(status.networkText.data());
    scripted.library.requests.clear();
  }
}
BENCHMARK(BM_TickPoll);

// One connected tray summary: five requests.
void BM_TraySummary(benchmark::State& state) {
  ScriptedAdapter scripted;
  for (auto _ : state) {
    TrayLinkSummary summary = TraySummary(scripted.adapter);
    benchmark::DoNotOptimize(summary.tip.data());
    scripted.library.requests.clear();
  }
}
BENCHMARK(BM_TraySummary);

// The same number of bare four-byte queries through the channel: the floor the monitors
// are measured against.
void BM_BareRequests(benchmark::State& state) {
  ScriptedAdapter scripted;
  NdisChannel& channel = scripted.adapter.channel();
  const auto requests = state.range(0);
  for (auto _ : state) {
    for (std::int64_t i = 0; i < requests; ++i) {
      std::uint8_t buffer[4];
      std::uint32_t written = 0;
      benchmark::DoNotOptimize(
          channel.query(scripted.current, oid::kVndTxRate, buffer, sizeof buffer, written));
    }
    scripted.library.requests.clear();
  }
}
BENCHMARK(BM_BareRequests)->Arg(9)->Arg(5)->Arg(7);

class NullChart : public LoadChart {
 public:
  std::uint32_t SetScrollInterval(std::uint32_t ms) override { return ms; }
  void AppendValue(int value) override { benchmark::DoNotOptimize(value); }
  void Advance() override {}
  void AdvanceEmpty() override {}
};

// One connected sampler tick after the first: seven requests.
void BM_SamplerTick(benchmark::State& state) {
  ScriptedAdapter scripted;
  NullChart chart;
  StatisticsSampler sampler(scripted.adapter, chart);
  const StatisticsPageFields page{"1000", "2000", ChartMode::Total};
  sampler.SampleStatistics(page);
  for (auto _ : state) {
    auto display = sampler.SampleStatistics(page);
    benchmark::DoNotOptimize(display->txMbps.data());
    scripted.library.requests.clear();
  }
}
BENCHMARK(BM_SamplerTick);

}  // namespace
}  // namespace kestrel
