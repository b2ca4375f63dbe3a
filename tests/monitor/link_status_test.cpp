#include "monitor/link_status.h"

#include <gtest/gtest.h>

#include "adapter/adapter.h"
#include "fakes/fake_ndis_library.h"
#include "monitor/monitor_texts.h"
#include "monitor/status_panel.h"

namespace kestrel {
namespace {

std::vector<std::uint8_t> SsidAnswer(std::uint32_t length, const std::string& bytes) {
  std::vector<std::uint8_t> answer(36, 0);
  for (int i = 0; i < 4; ++i)
    answer[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
  std::copy(bytes.begin(), bytes.end(), answer.begin() + 4);
  return answer;
}

class LinkStatusTest : public ::testing::Test {
 protected:
  LinkStatusTest() {
    library.answerWord(oid::kVndConnectionState, 1);
    library.answerWord(oid::kVndChannelInfo, 2437 | (0x0400u << 16));
    library.answerWord(oid::k80211InfrastructureMode, 1);
    library.answers[oid::k80211Ssid] = SsidAnswer(7, "Kestrel");
    library.answers[oid::k80211Bssid] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    library.answerWord(oid::kVndTxRate, 54);
    library.answerWord(oid::k80211WepStatus, 0);
    library.answers[oid::kVndLinkFlags] = std::vector<std::uint8_t>(12, 0);
    library.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(-60));
  }

  void setState(std::uint32_t code) { library.answerWord(oid::kVndConnectionState, code); }
  void setLinkFlag() { library.answers[oid::kVndLinkFlags] = {0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0}; }

  std::vector<std::uint32_t> oidsAsked() const {
    std::vector<std::uint32_t> oids;
    for (const auto& request : library.requests)
      oids.push_back(request.oid);
    return oids;
  }

  fakes::FakeNdisLibrary library;
  fakes::FakeCompletionEvents events;
  bool opened = false;
  ZAdapterInfo current;
  Adapter adapter{library, events, opened, current};
  LinkStatusPoller poller{adapter};
};

TEST_F(LinkStatusTest, AssociatedTickAsksEachQuestionOnceInOrder) {
  const LinkStatus status = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(oidsAsked(),
            (std::vector<std::uint32_t>{0xFF000015, 0xFF000013, 0x0D010108, 0x0D010102, 0x0D010101,
                                        0xFF000009, 0x0D01011B, 0xFF00002C, 0x0D010206}));
  for (const auto& request : library.requests)
    EXPECT_EQ(request.type, kNdisQueryInformation);
  EXPECT_TRUE(status.associated);
  EXPECT_EQ(status.networkText, "Kestrel (00:1A:2B:3C:4D:5E)");
  EXPECT_EQ(status.channelText, "Ch:  6(G)");
  EXPECT_EQ(status.infrastructureMode, 1u);
  EXPECT_TRUE(status.encrypted);
  EXPECT_EQ(status.rateCode, 54u);
  EXPECT_EQ(status.signalPercent, 73);
  EXPECT_EQ(status.signalBars, 7);
}

TEST_F(LinkStatusTest, RefreshSkipsTheLinkFlag) {
  setLinkFlag();
  const LinkStatus status = poller.PollLinkStatus(PollMode::Refresh);
  EXPECT_EQ(oidsAsked(),
            (std::vector<std::uint32_t>{0xFF000015, 0xFF000013, 0x0D010108, 0x0D010102, 0x0D010101,
                                        0xFF000009, 0x0D01011B, 0x0D010206}));
  EXPECT_EQ(status.signalPercent, 73);
}

TEST_F(LinkStatusTest, NotAssociatedAsksOnlyStateAndChannel) {
  setState(0);
  const LinkStatus status = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(oidsAsked(), (std::vector<std::uint32_t>{0xFF000015, 0xFF000013}));
  EXPECT_FALSE(status.associated);
  EXPECT_EQ(status.networkText, monitor_texts::kLinkScanning);
  EXPECT_EQ(status.infrastructureMode, 1u);
  EXPECT_EQ(status.rateCode, 0u);
  EXPECT_EQ(status.signalPercent, 0);
  EXPECT_EQ(status.signalBars, 0);
}

TEST_F(LinkStatusTest, ProgressTextsShowForExactlyOneTick) {
  poller.PollLinkStatus(PollMode::Tick);  // state 1
  setState(3);
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText,
            std::string(monitor_texts::kConnecting) + " ");
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText, "Kestrel (00:1A:2B:3C:4D:5E)");
  setState(2);
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText,
            std::string(monitor_texts::kAuthenticating) + " ");
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText, "Kestrel (00:1A:2B:3C:4D:5E)");
  setState(3);
  const LinkStatus status = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(status.stateCode, 3u);
  EXPECT_EQ(status.previousStateCode, 2u);
  EXPECT_EQ(poller.previousStateCode(), 3u);
}

TEST_F(LinkStatusTest, StateFourIsStoredSoConnectingShowsAgainAfterIt) {
  setState(3);
  poller.PollLinkStatus(PollMode::Tick);
  setState(4);
  const LinkStatus four = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(four.stateCode, 4u);
  setState(3);
  const LinkStatus again = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(again.networkText, std::string(monitor_texts::kConnecting) + " ");
  EXPECT_EQ(again.previousStateCode, 4u);
}

TEST_F(LinkStatusTest, ANotAssociatedPollAlsoBecomesThePreviousState) {
  setState(2);
  poller.PollLinkStatus(PollMode::Tick);
  setState(0);
  const LinkStatus scanning = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(scanning.previousStateCode, 2u);
  EXPECT_EQ(poller.previousStateCode(), 0u);
  setState(2);
  const LinkStatus again = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(again.networkText, std::string(monitor_texts::kAuthenticating) + " ");
  EXPECT_EQ(again.previousStateCode, 0u);
}

TEST_F(LinkStatusTest, RefreshNeverShowsProgressTexts) {
  setState(3);
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Refresh).networkText, "Kestrel (00:1A:2B:3C:4D:5E)");
  // The refresh stored the state, so the first tick does not see it as new.
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText, "Kestrel (00:1A:2B:3C:4D:5E)");
  LinkStatusPoller fresh(adapter);
  setState(2);
  EXPECT_EQ(fresh.PollLinkStatus(PollMode::Refresh).networkText, "Kestrel (00:1A:2B:3C:4D:5E)");
}

TEST_F(LinkStatusTest, ProgressTextsNeedAnSsidAnswer) {
  setState(3);
  library.failingOids[oid::k80211Ssid] = 1;
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText, " (00:1A:2B:3C:4D:5E)");
}

TEST_F(LinkStatusTest, StateCodesOutsideZeroToFourAreNotStored) {
  setState(3);
  poller.PollLinkStatus(PollMode::Tick);
  setState(9);
  const LinkStatus odd = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_TRUE(odd.associated);
  EXPECT_EQ(odd.stateCode, 3u);

  library.failingOids[oid::kVndConnectionState] = 1;
  const LinkStatus failed = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_FALSE(failed.associated);
  EXPECT_EQ(failed.networkText, monitor_texts::kLinkScanning);
  EXPECT_EQ(failed.stateCode, 3u);
}

TEST_F(LinkStatusTest, SsidTextRules) {
  library.answers[oid::k80211Ssid] = SsidAnswer(33, std::string(32, 'x'));
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText, " (00:1A:2B:3C:4D:5E)");
  library.answers[oid::k80211Ssid] = SsidAnswer(32, std::string(32, 'x'));
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText,
            std::string(32, 'x') + " (00:1A:2B:3C:4D:5E)");
  library.answers[oid::k80211Ssid] = SsidAnswer(5, std::string("ab\0cd", 5));
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText, "ab (00:1A:2B:3C:4D:5E)");
  library.answers[oid::k80211Ssid] = SsidAnswer(3, "abcdef");
  library.failingOids[oid::k80211Bssid] = 1;
  EXPECT_EQ(poller.PollLinkStatus(PollMode::Tick).networkText, "abc ");
}

TEST_F(LinkStatusTest, LinkFlagGivesTwoPercentWithoutReadingTheRssi) {
  setLinkFlag();
  const LinkStatus status = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(status.signalPercent, 2);
  EXPECT_EQ(status.signalBars, 1);
  EXPECT_EQ(oidsAsked().back(), 0xFF00002Cu);
}

TEST_F(LinkStatusTest, FailedQueriesLeaveTheirDefaults) {
  library.failingOids[oid::kVndTxRate] = 1;
  library.failingOids[oid::k80211Rssi] = 1;
  library.failingOids[oid::k80211WepStatus] = 1;
  library.failingOids[oid::kVndChannelInfo] = 1;
  library.failingOids[oid::k80211InfrastructureMode] = 1;
  const LinkStatus status = poller.PollLinkStatus(PollMode::Tick);
  EXPECT_EQ(status.rateCode, 0u);
  EXPECT_EQ(status.signalPercent, 0);
  EXPECT_FALSE(status.encrypted);
  EXPECT_EQ(status.channelText, "");
  EXPECT_EQ(status.infrastructureMode, 0u);
  EXPECT_EQ(PresentStatusPanel(status).rateText, monitor_texts::kRateUnknown);
}

TEST_F(LinkStatusTest, EncryptionDisabledMeansAnOpenLink) {
  library.answerWord(oid::k80211WepStatus, 1);
  EXPECT_FALSE(poller.PollLinkStatus(PollMode::Tick).encrypted);
  library.answerWord(oid::k80211WepStatus, 6);
  EXPECT_TRUE(poller.PollLinkStatus(PollMode::Tick).encrypted);
}

TEST(SignalRules, PercentFromRssi) {
  EXPECT_EQ(SignalPercent(-200), 0);
  EXPECT_EQ(SignalPercent(-101), 0);
  EXPECT_EQ(SignalPercent(-100), 0);
  EXPECT_EQ(SignalPercent(-60), 73);
  EXPECT_EQ(SignalPercent(-46), 99);
  EXPECT_EQ(SignalPercent(-45), 100);
  EXPECT_EQ(SignalPercent(-10), 100);
}

TEST(SignalRules, BarsFollowTheTable) {
  struct Range {
    int first;
    int last;
    int bars;
  };
  const Range table[] = {{0, 1, 0},   {2, 5, 1},   {6, 12, 2},  {13, 23, 3}, {24, 35, 4},
                         {36, 51, 5}, {52, 70, 6}, {71, 92, 7}, {93, 100, 8}};
  for (const Range& range : table) {
    for (int percent = range.first; percent <= range.last; ++percent)
      EXPECT_EQ(SignalBars(percent), range.bars) << percent;
  }
  EXPECT_EQ(SignalBars(-5), 0);
  EXPECT_EQ(SignalBars(250), 8);
}

LinkStatus Associated(std::uint32_t mode, int percent, bool encrypted) {
  LinkStatus status;
  status.associated = true;
  status.infrastructureMode = mode;
  status.signalPercent = percent;
  status.signalBars = SignalBars(percent);
  status.encrypted = encrypted;
  status.networkText = "Kestrel (00:1A:2B:3C:4D:5E)";
  status.channelText = "Ch:  6(G)";
  status.rateCode = 54;
  return status;
}

TEST(StatusPanel, NotAssociatedIsRed) {
  LinkStatus status;
  status.networkText = monitor_texts::kLinkScanning;
  status.infrastructureMode = 1;
  status.channelText = "Ch:  6(G)";
  const StatusPanelDisplay display = PresentStatusPanel(status);
  EXPECT_EQ(display.pictures,
            (std::array<int, 10>{179, 183, 191, 174, 174, 174, 174, 174, 174, 174}));
  EXPECT_EQ(display.networkText, std::string(" ") + monitor_texts::kLinkScanning);
  EXPECT_EQ(display.networkColour, kPanelRed);
  EXPECT_EQ(display.channelColour, kPanelRed);
  EXPECT_EQ(display.rateText, monitor_texts::kRateUnknown);
  EXPECT_EQ(display.rateColour, kPanelRed);
  EXPECT_EQ(display.signalLabel, monitor_texts::kSignalLabel);
  EXPECT_EQ(display.signalLabelColour, kPanelRed);
}

TEST(StatusPanel, InfrastructureLightsBarsUpToTheSignal) {
  const StatusPanelDisplay display = PresentStatusPanel(Associated(1, 40, true));
  EXPECT_EQ(display.pictures,
            (std::array<int, 10>{180, 186, 185, 185, 185, 185, 185, 174, 174, 174}));
  EXPECT_EQ(display.networkText, " Kestrel (00:1A:2B:3C:4D:5E)");
  EXPECT_EQ(display.networkColour, kPanelWhite);
  EXPECT_EQ(display.channelColour, kPanelYellowGreen);
  EXPECT_EQ(display.rateText, "54 Mbps");
  EXPECT_EQ(display.rateColour, kPanelYellowGreen);
  EXPECT_EQ(display.signalLabelColour, kPanelWhite);

  EXPECT_EQ(PresentStatusPanel(Associated(1, 0, false)).pictures,
            (std::array<int, 10>{180, 190, 174, 174, 174, 174, 174, 174, 174, 174}));
  EXPECT_EQ(PresentStatusPanel(Associated(1, 99, false)).pictures,
            (std::array<int, 10>{180, 190, 185, 185, 185, 185, 185, 185, 185, 185}));
}

TEST(StatusPanel, AdHocAndAutomaticLightEveryBar) {
  EXPECT_EQ(PresentStatusPanel(Associated(0, 0, false)).pictures,
            (std::array<int, 10>{188, 190, 185, 185, 185, 185, 185, 185, 185, 185}));
  EXPECT_EQ(PresentStatusPanel(Associated(2, 3, true)).pictures,
            (std::array<int, 10>{180, 186, 185, 185, 185, 185, 185, 185, 185, 185}));
}

TEST(StatusPanel, RateTexts) {
  EXPECT_EQ(RateText(0x80000000u | 500), "500 Kbps");
  EXPECT_EQ(RateText(5), "5.5Mbps");
  EXPECT_EQ(RateText(54), "54 Mbps");
  EXPECT_EQ(RateText(0), monitor_texts::kRateUnknown);
  LinkStatus unknownRate = Associated(1, 50, false);
  unknownRate.rateCode = 0;
  EXPECT_EQ(PresentStatusPanel(unknownRate).rateColour, kPanelRed);
}

}  // namespace
}  // namespace kestrel
