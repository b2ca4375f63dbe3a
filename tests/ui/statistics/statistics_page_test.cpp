#include "ui/statistics/statistics_page.h"

#include <gtest/gtest.h>

#include "fakes/fake_control_surface.h"
#include "fakes/fake_timers.h"
#include "fakes/recording_load_chart.h"
#include "ui/page_fixture.h"
#include "ui/statistics/steady_scroll_chart.h"

namespace kestrel {
namespace {

class FakeGauge : public LevelGauge {
 public:
  int minimum = -1;
  int maximum = -1;
  int position = -1;
  void setRange(int low, int high) override {
    minimum = low;
    maximum = high;
  }
  void setPosition(int value) override { position = value; }
};

class StatisticsPageTest : public ::testing::Test {
 protected:
  StatisticsPageTest() {
    services.putParameter("DriverDesc", "KESTREL LX740N QX-7+ Wireless PC Card");
    services.ndis.answers[oid::kGenMediaConnectStatus] = std::vector<std::uint8_t>(10, 0);
    setTransmittedKilobits(300 * 1024);
    services.ndis.answerWord(oid::kGenXmitOk, 1000);
    services.ndis.answerWord(oid::kGenRcvOk, 2000);
    services.ndis.answerWord(oid::kVndChannelInfo, 2437);  // band B: full scale 6 Mbit/s
    page.OnInitDialog(controls, chart, gauge);
  }
  void setTransmittedKilobits(std::uint64_t kilobits) {
    std::vector<std::uint8_t> block(168, 0);
    const std::uint64_t bytes = kilobits * 128;
    for (int i = 0; i < 8; ++i)
      block[32 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes >> (8 * i));
    services.ndis.answers[oid::kVndStatistics] = block;
  }
  void click(ControlId radio) {
    for (ControlId id : {kTransmitRadioId, kReceiveRadioId, kTotalRadioId})
      controls.setChecked(id, id == radio);
    page.OnCommand(radio, ControlEvent::Clicked);
  }

  testing::PageServices services;
  testing::RecordingSheet sheet;
  fakes::FakeTimers timers;
  fakes::FakeControlSurface controls;
  fakes::RecordingLoadChart chart;
  FakeGauge gauge;
  StatisticsPage page{services.services, sheet, timers};
};

TEST_F(StatisticsPageTest, InitialisationStartsTheSamplerOnAnEmptyChart) {
  EXPECT_TRUE(timers.isRunning(kStatisticsTimerId));
  EXPECT_EQ(timers.running[kStatisticsTimerId], 1000u);
  EXPECT_TRUE(controls.checked(kTransmitRadioId));
  EXPECT_FALSE(controls.checked(kReceiveRadioId));
  EXPECT_FALSE(controls.checked(kTotalRadioId));
  EXPECT_EQ(chart.operations, std::vector<std::string>(150, "empty"));
  EXPECT_EQ(gauge.maximum, 100);
  EXPECT_EQ(gauge.position, 0);
  EXPECT_EQ(controls.text(kPercentTextId), "0 %");
  EXPECT_EQ(controls.at(kAdapterChoiceId).selection, 0);
}

TEST_F(StatisticsPageTest, ActivationHidesTheNetworkAndSettingsButtons) {
  page.OnSetActive();
  EXPECT_EQ(sheet.calls, (std::vector<std::string>{"show Scan 0", "show Connect 0", "show Apply 0",
                                                   "show Cancel 0"}));
}

TEST_F(StatisticsPageTest, OnlyARealChangeOfTheRadiosClearsTheChart) {
  chart.operations.clear();
  click(kTransmitRadioId);
  EXPECT_TRUE(chart.operations.empty());

  click(kTotalRadioId);
  ASSERT_EQ(chart.operations.size(), 152u);
  EXPECT_EQ(chart.operations[0], "append 0");
  EXPECT_EQ(chart.operations[1], "advance");
  EXPECT_EQ(chart.operations[151], "empty");
  EXPECT_EQ(page.chartMode(), ChartMode::Total);

  chart.operations.clear();
  click(kTotalRadioId);
  EXPECT_TRUE(chart.operations.empty());
}

TEST_F(StatisticsPageTest, TicksWriteTheFiguresAndFollowTheCheckedRadio) {
  EXPECT_FALSE(page.OnTimer(133));
  ASSERT_TRUE(page.OnTimer(kStatisticsTimerId));
  EXPECT_EQ(controls.text(kTxTotalId), "1000");
  EXPECT_EQ(controls.text(kRxTotalId), "2000");
  EXPECT_EQ(controls.text(kTxMbpsId), "0.00");

  // 3 Mbit sent in a second on band B with the transmit radio: 50 %.
  setTransmittedKilobits(303 * 1024);
  services.ndis.answerWord(oid::kGenXmitOk, 1400);
  page.OnTimer(kStatisticsTimerId);
  EXPECT_EQ(controls.text(kTxMbpsId), "3.00");
  EXPECT_EQ(controls.text(kTxPacketsPerSecondId), "400");
  EXPECT_EQ(controls.text(kPercentTextId), "50 %");
  EXPECT_EQ(gauge.position, 50);

  // The receive radio: nothing was received, so the load falls to 0.
  click(kReceiveRadioId);
  setTransmittedKilobits(306 * 1024);
  page.OnTimer(kStatisticsTimerId);
  EXPECT_EQ(controls.text(kPercentTextId), "0 %");
}

TEST_F(StatisticsPageTest, AFailedCounterReadLeavesThePageAsItWas) {
  page.OnTimer(kStatisticsTimerId);
  services.ndis.answers.erase(oid::kVndStatistics);
  controls.setText(kTxMbpsId, "marker");
  page.OnTimer(kStatisticsTimerId);
  EXPECT_EQ(controls.text(kTxMbpsId), "marker");
}

TEST_F(StatisticsPageTest, AfterTheWindowIsGoneTicksAndClicksDoNothing) {
  page.OnDestroy();
  EXPECT_FALSE(timers.isRunning(kStatisticsTimerId));
  chart.operations.clear();
  EXPECT_TRUE(page.OnTimer(kStatisticsTimerId));
  page.OnCommand(kTotalRadioId, ControlEvent::Clicked);
  EXPECT_TRUE(chart.operations.empty());
}

TEST(StatisticsGauge, BitmapPairByTheHeightOfItsArea) {
  EXPECT_EQ(GaugeBitmapsForHeight(181).empty, 253);
  EXPECT_EQ(GaugeBitmapsForHeight(181).full, 252);
  EXPECT_EQ(GaugeBitmapsForHeight(180).empty, 254);
  EXPECT_EQ(GaugeBitmapsForHeight(166).full, 255);
  EXPECT_EQ(GaugeBitmapsForHeight(165).empty, 272);
  EXPECT_EQ(GaugeBitmapsForHeight(0).full, 273);
  EXPECT_EQ(GaugeLeft(100, 150), 109);
  EXPECT_EQ(GaugeLitHeight(50, 170), 85);
  EXPECT_EQ(GaugeLitHeight(250, 170), 170);
  EXPECT_EQ(GaugeLitHeight(-5, 170), 0);
}

TEST(StatisticsKeys, AltWithALNOrSIsSwallowed) {
  for (unsigned key : {0x41u, 0x4Cu, 0x4Eu, 0x53u})  // A, L, N, S
    EXPECT_TRUE(StatisticsPage::SwallowsKey({true, key}));
  EXPECT_FALSE(StatisticsPage::SwallowsKey({true, 'C'}));
  EXPECT_FALSE(StatisticsPage::SwallowsKey({false, 'S'}));
}

}  // namespace
}  // namespace kestrel

namespace kestrel {
namespace {

TEST(SteadyScrollChart, ARunningIntervalIsNotRestarted) {
  fakes::RecordingLoadChart chart;
  SteadyScrollChart steady(chart, 1000);
  EXPECT_EQ(steady.SetScrollInterval(1000), 1000u);
  EXPECT_TRUE(chart.operations.empty());
  EXPECT_EQ(steady.SetScrollInterval(0), 1000u);
  steady.SetScrollInterval(0);
  EXPECT_EQ(steady.SetScrollInterval(1000), 0u);
  steady.AppendValue(7);
  EXPECT_EQ(chart.operations,
            (std::vector<std::string>{"interval 0", "interval 0", "interval 1000", "append 7"}));
}

}  // namespace
}  // namespace kestrel
