#include "monitor/statistics_sampler.h"

#include <gtest/gtest.h>

#include "adapter/adapter.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/recording_load_chart.h"

namespace kestrel {
namespace {

constexpr std::uint32_t kBandB = 2437;
constexpr std::uint32_t kBandA = 5180;
// Counters at which the tests start, in kilobits: above 256 Mbit, so a first tick shows 0.
constexpr std::uint64_t kTx0 = 300 * 1024;
constexpr std::uint64_t kRx0 = 400 * 1024;

// Bytes whose megabit counter is `kilobits` / 1024.
std::uint64_t BytesForKilobits(std::uint64_t kilobits) {
  return kilobits * 128;
}

class StatisticsSamplerTest : public ::testing::Test {
 protected:
  StatisticsSamplerTest() {
    connect(true);
    setCounters(kTx0, kRx0);
    library.answerWord(oid::kGenXmitOk, 1000);
    library.answerWord(oid::kGenRcvOk, 2000);
    library.answerWord(oid::kGenXmitError, 3);
    library.answerWord(oid::kGenRcvError, 4);
    library.answerWord(oid::kVndChannelInfo, kBandB);
  }

  void connect(bool connected) {
    library.answers[oid::kGenMediaConnectStatus] = std::vector<std::uint8_t>(10, 0);
    library.answers[oid::kGenMediaConnectStatus][0] = connected ? 0 : 1;
  }

  void setCounters(std::uint64_t txKilobits, std::uint64_t rxKilobits) {
    std::vector<std::uint8_t> block(168, 0);
    const std::uint64_t tx = BytesForKilobits(txKilobits);
    const std::uint64_t rx = BytesForKilobits(rxKilobits);
    for (int i = 0; i < 8; ++i) {
      block[32 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(tx >> (8 * i));
      block[104 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(rx >> (8 * i));
    }
    library.answers[oid::kVndStatistics] = block;
  }

  // One tick with the page showing what the previous tick wrote.
  StatisticsDisplay tick(ChartMode mode = ChartMode::Transmit) {
    chart.operations.clear();
    library.requests.clear();
    const auto display = sampler.SampleStatistics({txTotal, rxTotal, mode});
    EXPECT_TRUE(display.has_value());
    if (!display)
      return {};
    txTotal = display->txTotal;
    rxTotal = display->rxTotal;
    return *display;
  }

  fakes::FakeNdisLibrary library;
  fakes::FakeCompletionEvents events;
  bool opened = false;
  ZAdapterInfo current;
  Adapter adapter{library, events, opened, current};
  fakes::RecordingLoadChart chart;
  StatisticsSampler sampler{adapter, chart};
  std::string txTotal = "0";
  std::string rxTotal = "0";
};

TEST_F(StatisticsSamplerTest, FirstTickAsksInOrderAndShowsNoLoad) {
  setCounters(500 * 1024, 200 * 1024);
  const StatisticsDisplay first = tick();
  std::vector<std::pair<std::uint32_t, std::uint32_t>> asked;
  for (const auto& request : library.requests)
    asked.emplace_back(request.oid, request.length);
  EXPECT_EQ(asked, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{0x00010114, 10},
                                                                         {0xFF00001E, 168},
                                                                         {0x00020101, 4},
                                                                         {0x00020103, 4},
                                                                         {0x00020104, 4},
                                                                         {0x00020102, 4},
                                                                         {0xFF000013, 4}}));
  EXPECT_EQ(first.txMbps, "0.00");
  EXPECT_EQ(first.rxMbps, "72.00");  // between 128 and 256: counter - 128
  EXPECT_EQ(first.percentText, "0 %");
  EXPECT_TRUE(first.setGauge);
  EXPECT_EQ(first.gaugePercent, 0);
  EXPECT_TRUE(chart.operations.empty());
  EXPECT_EQ(first.txTotal, "1000");
  EXPECT_EQ(first.rxTotal, "2000");
  EXPECT_EQ(first.txPacketsPerSecond, "1000");
  EXPECT_EQ(first.txErrors, "3");
  EXPECT_EQ(first.rxErrors, "4");
}

TEST_F(StatisticsSamplerTest, CounterWrapAndLargeSteps) {
  setCounters(1023 * 1024 + 512, 10 * 1024);
  tick();
  setCounters(512, 300 * 1024);
  const StatisticsDisplay wrapped = tick();
  EXPECT_EQ(wrapped.txMbps, "1.00");
  EXPECT_EQ(wrapped.rxMbps, "1314.00");  // a step of 290 is shown as 300 + 1024 - 10
}

TEST_F(StatisticsSamplerTest, AStepOfExactly128IsTakenForAWrap) {
  tick();
  setCounters(kTx0 + 128 * 1024, kRx0 + 128 * 1024 - 1);
  const StatisticsDisplay display = tick();
  EXPECT_EQ(display.txMbps, "1152.00");  // 428 + 1024 - 300
  EXPECT_EQ(display.rxMbps, "128.00");   // 127.999: shown as it is
}

TEST_F(StatisticsSamplerTest, AnUnchangedCounterShowsZero) {
  tick();
  const StatisticsDisplay display = tick();
  EXPECT_EQ(display.txMbps, "0.00");
  EXPECT_EQ(display.rxMbps, "0.00");
}

TEST_F(StatisticsSamplerTest, AWrappedCounterLoadsTheChartWithItsRealStep) {
  setCounters(1023 * 1024 + 512, 1023 * 1024 + 512);
  tick();
  setCounters(512, 512);
  StatisticsDisplay display = tick(ChartMode::Transmit);
  EXPECT_EQ(display.txMbps, "1.00");
  EXPECT_EQ(display.percentText, "17 %");  // 1 of band B's 6 Mbit/s
  EXPECT_EQ(display.gaugePercent, 17);
  EXPECT_EQ(chart.operations.back(), "append 53");  // 1 x 45 + 8

  setCounters(1023 * 1024 + 512, 512);
  tick();
  setCounters(1024 + 512, 512);
  display = tick(ChartMode::Total);
  EXPECT_EQ(display.percentText, "34 %");           // 2 Mbit/s
  EXPECT_EQ(chart.operations.back(), "append 98");  // 2 x 45 + 8
}

TEST_F(StatisticsSamplerTest, TheChartValueIsTruncatedNotRounded) {
  tick();
  setCounters(kTx0 + 512, kRx0);  // 0.5 Mbit
  StatisticsDisplay display = tick();
  EXPECT_EQ(display.percentText, "9 %");
  EXPECT_EQ(chart.operations.back(), "append 30");  // 0.5 x 45 + 8 = 30.5

  library.answerWord(oid::kVndChannelInfo, kBandA);
  setCounters(kTx0 + 512 + 1024 + 512, kRx0);  // 1.5 Mbit
  tick();
  EXPECT_EQ(chart.operations.back(), "append 24");  // 1.5 x 11 + 8 = 24.5
  setCounters(kTx0 + 2048 + 256, kRx0);             // 0.25 Mbit
  tick();
  EXPECT_EQ(chart.operations.back(), "append 10");  // 0.25 x 11 + 8 = 10.75
}

TEST_F(StatisticsSamplerTest, ByteCountsBeyondTheMegabitRangeWrap) {
  EXPECT_FLOAT_EQ(MegabitCounter(BytesForKilobits(1024 * 1024 + 1536)), 1.5f);
  EXPECT_FLOAT_EQ(MegabitCounter(0xFFFFFFFFFFFFFFFFull), 1023.9990234375f);
}

TEST_F(StatisticsSamplerTest, BandBLoadScale) {
  tick();
  setCounters(kTx0 + 3 * 1024, kRx0);
  StatisticsDisplay display = tick();
  EXPECT_EQ(display.txMbps, "3.00");
  EXPECT_EQ(display.percentText, "50 %");
  EXPECT_EQ(display.gaugePercent, 50);
  EXPECT_EQ(chart.operations, (std::vector<std::string>{"interval 1000", "append 143"}));

  setCounters(kTx0 + 10 * 1024, kRx0);
  display = tick();
  EXPECT_EQ(display.percentText, "100 %");
  EXPECT_EQ(chart.operations, (std::vector<std::string>{"interval 1000", "append 278"}));

  display = tick();  // no traffic
  EXPECT_EQ(display.percentText, "0 %");
  EXPECT_EQ(chart.operations, (std::vector<std::string>{"interval 1000", "append 6"}));
}

TEST_F(StatisticsSamplerTest, BandAPercentIsRoundedUp) {
  library.answerWord(oid::kVndChannelInfo, kBandA);
  tick();
  setCounters(kTx0 + 103, kRx0);  // 0.1006 Mbit
  const StatisticsDisplay display = tick();
  EXPECT_EQ(display.percentText, "1 %");
  EXPECT_EQ(chart.operations, (std::vector<std::string>{"interval 1000", "append 9"}));
  tick();
  EXPECT_EQ(chart.operations, (std::vector<std::string>{"interval 1000", "append 5"}));
}

TEST_F(StatisticsSamplerTest, ChartModeChoosesTheDirection) {
  tick();
  setCounters(kTx0 + 1024, kRx0 + 2 * 1024);
  tick(ChartMode::Receive);
  EXPECT_EQ(chart.operations.back(), "append 98");  // 2 x 45 + 8
  setCounters(kTx0 + 2 * 1024, kRx0 + 3 * 1024);
  tick(ChartMode::Total);
  EXPECT_EQ(chart.operations.back(), "append 98");
}

TEST_F(StatisticsSamplerTest, BandLetters) {
  EXPECT_EQ(LoadBandLetter(kBandA), 'A');
  EXPECT_EQ(LoadBandLetter(kBandA | (0x0100u << 16)), 'T');
  EXPECT_EQ(LoadBandLetter(kBandB | (0x0400u << 16)), 'G');
  EXPECT_EQ(LoadBandLetter(kBandB | (0x0500u << 16)), 'W');
  EXPECT_EQ(LoadBandLetter(kBandB), 'B');
  EXPECT_EQ(LoadBandLetter(5000 | (0x0100u << 16)), 'B');

  library.answerWord(oid::kVndChannelInfo, kBandB | (0x0500u << 16));
  tick();
  setCounters(kTx0 + 9 * 1024, kRx0);
  EXPECT_EQ(tick().percentText, "20 %");
  EXPECT_EQ(chart.operations.back(), "append 53");  // 9 x 5 + 8
}

TEST_F(StatisticsSamplerTest, BandsGAndTLoadScales) {
  struct Row {
    std::uint32_t channel;
    std::uint64_t loadMbit;
    const char* percent;
    const char* chartValue;
  };
  const Row rows[] = {
      {kBandB | (0x0400u << 16), 10, "40 %", "append 118"},   // G: 10 x 11 + 8
      {kBandB | (0x0400u << 16), 30, "100 %", "append 283"},  // G: capped at 25
      {kBandB | (0x0400u << 16), 0, "0 %", "append 5"},
      {kBandA | (0x0100u << 16), 9, "20 %", "append 62"},     // T: 9 x 6 + 8
      {kBandA | (0x0100u << 16), 50, "100 %", "append 278"},  // T: capped at 45
      {kBandA | (0x0100u << 16), 0, "0 %", "append 5"},
  };
  std::uint64_t tx = kTx0;
  for (const Row& row : rows) {
    library.answerWord(oid::kVndChannelInfo, row.channel);
    setCounters(tx, kRx0);
    tick();
    tx += row.loadMbit * 1024;
    setCounters(tx, kRx0);
    const StatisticsDisplay display = tick();
    EXPECT_EQ(display.percentText, row.percent) << row.loadMbit;
    EXPECT_EQ(chart.operations.back(), row.chartValue) << row.loadMbit;
  }
}

TEST_F(StatisticsSamplerTest, NoLoadAfterATickWithBothCountersAtZero) {
  setCounters(0, 0);
  tick();
  setCounters(3 * 1024, 0);
  const StatisticsDisplay display = tick();
  EXPECT_EQ(display.txMbps, "3.00");
  EXPECT_EQ(display.percentText, "0 %");
  EXPECT_EQ(chart.operations, (std::vector<std::string>{"interval 1000"}));
}

TEST_F(StatisticsSamplerTest, IdleTicksClearTheChartOnceAndStopIt) {
  tick();
  tick();
  connect(false);
  StatisticsDisplay idle = tick();
  EXPECT_EQ(library.requests.size(), 1u);
  EXPECT_EQ(idle.txMbps, "0.00");
  EXPECT_EQ(idle.rxMbps, "0.00");
  EXPECT_EQ(idle.txPacketsPerSecond, "0");
  EXPECT_EQ(idle.rxPacketsPerSecond, "0");
  EXPECT_EQ(idle.txTotal, "0");
  EXPECT_EQ(idle.rxTotal, "0");
  EXPECT_EQ(idle.txErrors, "N/A");
  EXPECT_EQ(idle.rxErrors, "N/A");
  EXPECT_EQ(idle.percentText, "0 %");
  EXPECT_FALSE(idle.setGauge);
  std::vector<std::string> clearing = {"append 0", "advance"};
  clearing.insert(clearing.end(), 150, "empty");
  clearing.push_back("interval 0");
  EXPECT_EQ(chart.operations, clearing);

  tick();
  EXPECT_EQ(chart.operations, (std::vector<std::string>{"append 0", "interval 0"}));

  // Back online: the first tick has no previous sample, the second restarts the chart.
  connect(true);
  tick();
  EXPECT_TRUE(chart.operations.empty());
  tick();
  EXPECT_EQ(chart.operations.front(), "interval 1000");
}

TEST_F(StatisticsSamplerTest, FailedCounterBlockChangesNothing) {
  library.failingOids[oid::kVndStatistics] = 1;
  EXPECT_FALSE(sampler.SampleStatistics({"5", "5", ChartMode::Transmit}).has_value());
  EXPECT_TRUE(chart.operations.empty());
  library.failingOids.clear();
  setCounters(200 * 1024, 0);
  EXPECT_EQ(tick().txMbps, "72.00") << "still the first sample";
  EXPECT_TRUE(chart.operations.empty());
}

TEST_F(StatisticsSamplerTest, PacketRatesFromThePreviousTotals) {
  tick();
  library.answerWord(oid::kGenXmitOk, 1500);
  library.answerWord(oid::kGenRcvOk, 2250);
  const StatisticsDisplay display = tick();
  EXPECT_EQ(display.txPacketsPerSecond, "500");
  EXPECT_EQ(display.rxPacketsPerSecond, "250");
}

TEST_F(StatisticsSamplerTest, FailedCountsShowTheirFallbacks) {
  tick();
  library.failingOids[oid::kGenXmitOk] = 1;
  library.failingOids[oid::kGenRcvOk] = 1;
  library.failingOids[oid::kGenXmitError] = 1;
  library.failingOids[oid::kGenRcvError] = 1;
  const StatisticsDisplay display = tick();
  EXPECT_EQ(display.txTotal, "0");
  EXPECT_EQ(display.rxTotal, "N/A");
  EXPECT_EQ(display.txPacketsPerSecond, "0");
  EXPECT_EQ(display.rxPacketsPerSecond, "0");
  EXPECT_EQ(display.txErrors, "N/A");
  EXPECT_EQ(display.rxErrors, "N/A");
}

TEST_F(StatisticsSamplerTest, TotalsAboveTwoToThe31StayPositiveAndReadBack) {
  library.answerWord(oid::kGenXmitOk, 3000000000u);
  tick();
  EXPECT_EQ(txTotal, "3000000000");
  library.answerWord(oid::kGenXmitOk, 3000000700u);
  EXPECT_EQ(tick().txPacketsPerSecond, "700");
  library.answerWord(oid::kGenXmitOk, 5);  // the counter wrapped
  EXPECT_EQ(tick().txPacketsPerSecond, "1294966601");
}

TEST(TotalField, ReadsLikeABaseTenInteger) {
  EXPECT_EQ(ReadTotalField("1234"), 1234u);
  EXPECT_EQ(ReadTotalField("  42 packets"), 42u);
  EXPECT_EQ(ReadTotalField("N/A"), 0u);
  EXPECT_EQ(ReadTotalField(""), 0u);
  EXPECT_EQ(ReadTotalField("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(ReadTotalField("4294967295"), 0xFFFFFFFFu);
  EXPECT_EQ(ReadTotalField(std::string(400, '9')), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace kestrel
