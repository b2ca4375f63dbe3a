#include "monitor/site_survey.h"

#include <gtest/gtest.h>

#include "adapter/adapter.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_timers.h"
#include "monitor/monitor_texts.h"
#include "monitor/network_list_builder.h"

namespace kestrel {
namespace {

using testing::NetworkListBytes;
using testing::NetworkRecord;

class RecordingSurveyView : public SurveyView {
 public:
  std::string status;
  std::vector<int> progress;
  std::vector<bool> enabling;
  std::vector<std::string> rows;  // SSIDs shown, in order
  int clears = 0;

  void setScanStatus(const std::string& text) override { status = text; }
  void setScanProgress(int position) override { progress.push_back(position); }
  void enableScanAndConnect(bool enabled) override { enabling.push_back(enabled); }
  void clearNetworks() override {
    ++clears;
    rows.clear();
  }
  void appendNetwork(const SurveyRow& row) override { rows.push_back(row.ssidText); }
};

class SiteSurveyTest : public ::testing::Test {
 protected:
  SiteSurveyTest() {
    timers.onTick = [this](std::uint32_t id) { survey.OnTimer(id); };
    answerList({NetworkRecord().ssid("first"), NetworkRecord().ssid("second")});
  }

  void answerList(const std::vector<NetworkRecord>& records) {
    library.answers[oid::kVndBssList] =
        NetworkListBytes(static_cast<std::uint32_t>(records.size()), records, oid::kBssListSize);
  }

  // Runs a started scan to its end; returns the ticks it took.
  int runScan() { return timers.fireUntilStopped(kScanTimerId, 1000); }

  fakes::FakeNdisLibrary library;
  fakes::FakeCompletionEvents events;
  bool opened = false;
  ZAdapterInfo current;
  Adapter adapter{library, events, opened, current};
  fakes::FakeTimers timers;
  RecordingSurveyView view;
  SiteSurvey survey{adapter, timers, view};
};

TEST_F(SiteSurveyTest, FirstActivationDelaysTheFirstScanOnce) {
  survey.OnPageActivated();
  survey.OnPageActivated();
  ASSERT_EQ(timers.calls.size(), 1u);
  EXPECT_EQ(timers.calls[0], (fakes::FakeTimers::Call{true, 131, 2000}));

  ASSERT_TRUE(timers.fire(kFirstScanDelayTimerId));
  EXPECT_FALSE(timers.isRunning(kFirstScanDelayTimerId));
  EXPECT_EQ(timers.running, (std::map<std::uint32_t, std::uint32_t>{{4616, 50}}));
  EXPECT_EQ(view.status, monitor_texts::kScanning);

  // A later sheet's activation of the same page object starts no delay.
  survey.OnPageWindowDestroyed();
  timers.running.clear();
  survey.OnPageActivated();
  EXPECT_FALSE(timers.isRunning(kFirstScanDelayTimerId));
}

TEST_F(SiteSurveyTest, CycleWaits102TicksThenSendsTheVendorSetAndReadsTheList) {
  survey.StartScan();
  EXPECT_EQ(timers.fireUntilStopped(kScanTimerId, kLastScanTick), kLastScanTick);
  EXPECT_TRUE(library.requests.empty()) << "nothing goes to the adapter during the wait";
  EXPECT_EQ(view.status, monitor_texts::kScanning);

  ASSERT_TRUE(timers.fire(kScanTimerId));
  EXPECT_FALSE(timers.isRunning(kScanTimerId));
  ASSERT_EQ(library.requests.size(), 2u);
  EXPECT_EQ(library.requests[0].type, kNdisSetInformation);
  EXPECT_EQ(library.requests[0].oid, 0xFF21000Eu);
  EXPECT_EQ(library.requests[0].length, 0u);
  EXPECT_EQ(library.requests[1].type, kNdisQueryInformation);
  EXPECT_EQ(library.requests[1].oid, 0xFF300011u);
  EXPECT_EQ(library.requests[1].length, 17920u);

  EXPECT_EQ(view.rows, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(view.status, monitor_texts::kScanFinished);
  ASSERT_EQ(view.progress.size(), 102u);
  EXPECT_EQ(view.progress.front(), 0);
  EXPECT_EQ(view.progress.back(), 101);
  ASSERT_EQ(view.enabling.size(), 103u);
  EXPECT_FALSE(view.enabling[101]);
  EXPECT_TRUE(view.enabling.back());
}

TEST_F(SiteSurveyTest, FailedOrEmptyReadKeepsTheRowsAndStillEndsTheCycle) {
  survey.StartScan();
  runScan();
  ASSERT_EQ(view.rows.size(), 2u);

  library.failingOids[oid::kVndBssList] = 0xC0000001;
  survey.StartScan();
  runScan();
  EXPECT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.status, monitor_texts::kScanFinished);
  EXPECT_TRUE(view.enabling.back());

  library.failingOids.clear();
  answerList({});
  survey.StartScan();
  runScan();
  EXPECT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.clears, 1);
  EXPECT_EQ(view.status, monitor_texts::kScanFinished);
}

TEST_F(SiteSurveyTest, ACountWithNoReadableRecordEmptiesTheTable) {
  survey.StartScan();
  runScan();
  ASSERT_EQ(view.rows.size(), 2u);

  // Two records announced, the first with a length too short to be a record.
  library.answers[oid::kVndBssList] = NetworkListBytes(
      2, {NetworkRecord().ssid("damaged").lengthField(8), NetworkRecord()}, oid::kBssListSize);
  survey.StartScan();
  runScan();
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(view.clears, 2);
  EXPECT_EQ(view.status, monitor_texts::kScanFinished);
}

TEST_F(SiteSurveyTest, ReadSurveyReportsWhetherRecordsWereRead) {
  EXPECT_TRUE(survey.ReadSurvey());
  answerList({});
  EXPECT_FALSE(survey.ReadSurvey());
  library.failingOids[oid::kVndBssList] = 1;
  EXPECT_FALSE(survey.ReadSurvey());
}

TEST_F(SiteSurveyTest, ScanDuringAScanRestartsTheCount) {
  survey.StartScan();
  timers.fireUntilStopped(kScanTimerId, 60);
  survey.StartScan();
  EXPECT_EQ(runScan(), 102);
  EXPECT_EQ(library.requests.size(), 2u);
}

TEST_F(SiteSurveyTest, ScanDuringTheFirstDelayCancelsTheDelay) {
  survey.OnPageActivated();
  survey.StartScan();
  EXPECT_FALSE(timers.isRunning(kFirstScanDelayTimerId));
  EXPECT_EQ(runScan(), 102);
  EXPECT_FALSE(timers.fire(kFirstScanDelayTimerId));
  EXPECT_EQ(library.requests.size(), 2u);
}

TEST_F(SiteSurveyTest, TimerMessagesOutsideTheCycle) {
  EXPECT_FALSE(survey.OnTimer(1140));
  EXPECT_TRUE(survey.OnTimer(kScanTimerId));  // a stray tick after the cycle: ignored
  EXPECT_TRUE(view.progress.empty());
  EXPECT_TRUE(survey.OnTimer(kFirstScanDelayTimerId));
  EXPECT_TRUE(timers.calls.empty());
}

TEST_F(SiteSurveyTest, ATimerThatCannotStartLeavesNoTimerHeld) {
  timers.startFails = true;
  survey.StartScan();
  survey.OnTimer(kScanTimerId);
  EXPECT_TRUE(view.progress.empty());
}

}  // namespace
}  // namespace kestrel
