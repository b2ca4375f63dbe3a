#include "monitor/tray_summary.h"

#include <gtest/gtest.h>

#include "adapter/adapter.h"
#include "fakes/fake_ndis_library.h"

namespace kestrel {
namespace {

class TraySummaryTest : public ::testing::Test {
 protected:
  TraySummaryTest() {
    library.answerWord(oid::kGenHardwareStatus, 0);
    library.answers[oid::kGenMediaConnectStatus] = std::vector<std::uint8_t>(10, 0);
    setRssi(-50);
    library.answerWord(oid::k80211InfrastructureMode, 1);
    library.answers[oid::k80211Ssid] = {7, 0, 0, 0, 'K', 'e', 's', 't', 'r', 'e', 'l'};
  }

  void setRssi(std::int32_t dbm) {
    library.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(dbm));
  }
  void disconnect() { library.answerWord(oid::kGenMediaConnectStatus, 1); }

  std::vector<std::pair<std::uint32_t, std::uint32_t>> oidsAndLengths() const {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> asked;
    for (const auto& request : library.requests)
      asked.emplace_back(request.oid, request.length);
    return asked;
  }

  fakes::FakeNdisLibrary library;
  fakes::FakeCompletionEvents events;
  bool opened = false;
  ZAdapterInfo current;
  Adapter adapter{library, events, opened, current};
};

TEST_F(TraySummaryTest, ConnectedSummaryAsksInOrder) {
  const TrayLinkSummary summary = TraySummary(adapter);
  EXPECT_EQ(
      oidsAndLengths(),
      (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
          {0x00010102, 4}, {0x00010114, 10}, {0x0D010206, 4}, {0x0D010108, 4}, {0x0D010102, 36}}));
  EXPECT_EQ(summary.state, TrayLinkState::Connected);
  EXPECT_EQ(summary.ssidText, "Kestrel");
  EXPECT_TRUE(summary.hasTip);
  EXPECT_EQ(summary.tip, "Kestrel LX740N is Connected to Kestrel");
}

TEST_F(TraySummaryTest, InfrastructureGradesBySignal) {
  struct Case {
    std::int32_t dbm;
    SignalGrade grade;
    int icon;
  };
  const Case cases[] = {
      {-95, SignalGrade::Weak, 153},   {-94, SignalGrade::Medium, 151},
      {-90, SignalGrade::Medium, 151}, {-65, SignalGrade::Medium, 151},
      {-64, SignalGrade::Strong, 152}, {-10, SignalGrade::Strong, 152},
  };
  for (const Case& c : cases) {
    setRssi(c.dbm);
    const TrayLinkSummary summary = TraySummary(adapter);
    EXPECT_EQ(summary.grade, c.grade) << c.dbm;
    EXPECT_EQ(summary.icon, c.icon) << c.dbm;
  }
  EXPECT_EQ(TraySignalPercent(-95), 9);
  EXPECT_EQ(TraySignalPercent(-90), 18);
  EXPECT_EQ(TraySignalPercent(-64), 66);
}

TEST_F(TraySummaryTest, AdHocOrUnknownModeIsAlwaysStrong) {
  setRssi(-200);
  library.answerWord(oid::k80211InfrastructureMode, 0);
  EXPECT_EQ(TraySummary(adapter).icon, 152);
  library.failingOids[oid::k80211InfrastructureMode] = 1;
  EXPECT_EQ(TraySummary(adapter).grade, SignalGrade::Strong);
}

TEST_F(TraySummaryTest, AutomaticModeIsAlwaysStrong) {
  library.answerWord(oid::k80211InfrastructureMode, 2);
  for (std::int32_t dbm : {-200, -95, -90, -65}) {
    setRssi(dbm);
    const TrayLinkSummary summary = TraySummary(adapter);
    EXPECT_EQ(summary.grade, SignalGrade::Strong) << dbm;
    EXPECT_EQ(summary.icon, 152) << dbm;
  }
}

TEST_F(TraySummaryTest, FailedRssiReadsAsZeroDbm) {
  library.failingOids[oid::k80211Rssi] = 1;
  EXPECT_EQ(TraySummary(adapter).grade, SignalGrade::Strong);
}

TEST_F(TraySummaryTest, SsidRules) {
  library.answers[oid::k80211Ssid] = std::vector<std::uint8_t>(36, 'x');
  library.answers[oid::k80211Ssid][0] = 33;
  library.answers[oid::k80211Ssid][1] = 0;
  library.answers[oid::k80211Ssid][2] = 0;
  library.answers[oid::k80211Ssid][3] = 0;
  TrayLinkSummary summary = TraySummary(adapter);
  EXPECT_EQ(summary.tip, "Kestrel LX740N is Connected to ");

  library.failingOids[oid::k80211Ssid] = 1;
  summary = TraySummary(adapter);
  EXPECT_EQ(summary.state, TrayLinkState::Connected);
  EXPECT_FALSE(summary.hasTip);
}

TEST_F(TraySummaryTest, NotConnected) {
  disconnect();
  const TrayLinkSummary summary = TraySummary(adapter);
  EXPECT_EQ(oidsAndLengths(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
                                  {0x00010102, 4}, {0x00010114, 10}}));
  EXPECT_EQ(summary.state, TrayLinkState::NotConnected);
  EXPECT_EQ(summary.icon, 153);
  EXPECT_TRUE(summary.hasTip);
  EXPECT_EQ(summary.tip, "Disconnect");

  library.failingOids[oid::kGenMediaConnectStatus] = 1;
  EXPECT_EQ(TraySummary(adapter).state, TrayLinkState::NotConnected);
}

TEST_F(TraySummaryTest, HardwareNotReadyOrUnanswered) {
  library.answerWord(oid::kGenHardwareStatus, 1);
  EXPECT_EQ(TraySummary(adapter).state, TrayLinkState::NotReady);
  EXPECT_EQ(library.requests.size(), 1u);
  library.failingOids[oid::kGenHardwareStatus] = 1;
  const TrayLinkSummary summary = TraySummary(adapter);
  EXPECT_EQ(summary.state, TrayLinkState::NotReady);
  EXPECT_EQ(summary.icon, 0);
  EXPECT_FALSE(summary.hasTip);
}

}  // namespace
}  // namespace kestrel
