#include "ui/sheet/status_panel_updater.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "adapter/adapter.h"
#include "adapter/oids.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_timers.h"
#include "monitor/monitor_texts.h"
#include "ui/sheet/sheet_geometry.h"

namespace kestrel {
namespace {

struct ShownText {
  std::string text;
  Rgb colour;
};

class RecordingPanel : public StatusPanelView {
 public:
  std::map<int, ShownText> texts;
  std::vector<int> pictures = std::vector<int>(10, 0);
  std::vector<std::string> events;

  void setPicture(int index, int picture) override {
    pictures[static_cast<std::size_t>(index)] = picture;
    events.push_back("picture");
  }
  void setText(int controlId, const std::string& text, Rgb colour) override {
    texts[controlId] = {text, colour};
    events.push_back("text");
  }
  void redrawPictures() override { events.push_back("redraw"); }
};

std::vector<std::uint8_t> SsidAnswer(const std::string& ssid) {
  std::vector<std::uint8_t> answer(36, 0);
  answer[0] = static_cast<std::uint8_t>(ssid.size());
  std::copy(ssid.begin(), ssid.end(), answer.begin() + 4);
  return answer;
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kYellowGreen{214, 255, 41};

class StatusPanelUpdaterTest : public ::testing::Test {
 protected:
  StatusPanelUpdaterTest() {
    setState(1);
    ndis.answerWord(oid::kVndChannelInfo, 2437 | (0x0400u << 16));
    ndis.answerWord(oid::k80211InfrastructureMode, 1);
    ndis.answers[oid::k80211Ssid] = SsidAnswer("KESTREL_WPA2");
    ndis.answers[oid::k80211Bssid] = {0x00, 0x14, 0x6C, 0x5E, 0x01, 0x04};
    ndis.answerWord(oid::kVndTxRate, 54);
    ndis.answerWord(oid::k80211WepStatus, 0);
    ndis.answers[oid::kVndLinkFlags] = std::vector<std::uint8_t>(12, 0);
    ndis.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(-60));
    timers.onTick = [this](std::uint32_t id) { updater.onTimer(id); };
  }
  void setState(std::uint32_t code) { ndis.answerWord(oid::kVndConnectionState, code); }
  const ShownText& shown(int id) { return panel.texts[id]; }

  fakes::FakeNdisLibrary ndis;
  fakes::FakeCompletionEvents events;
  bool opened = false;
  ZAdapterInfo current;
  Adapter adapter{ndis, events, opened, current};
  fakes::FakeTimers timers;
  RecordingPanel panel;
  StatusPanelUpdater updater{adapter, timers, panel};
};

TEST_F(StatusPanelUpdaterTest, NotAssociatedShowsScanningInRedWithTheFirstBarOnly) {
  setState(0);
  updater.refresh();
  EXPECT_EQ(shown(kNetworkTextId).text, std::string(" ") + monitor_texts::kLinkScanning);
  EXPECT_EQ(shown(kNetworkTextId).colour, kRed);
  EXPECT_EQ(shown(kChannelTextId).text, "Ch:  6(G)");
  EXPECT_EQ(shown(kChannelTextId).colour, kRed);
  EXPECT_EQ(shown(kRateTextId).text, monitor_texts::kRateUnknown);
  EXPECT_EQ(shown(kRateTextId).colour, kRed);
  EXPECT_EQ(shown(kSignalLabelId).text, monitor_texts::kSignalLabel);
  EXPECT_EQ(shown(kSignalLabelId).colour, kRed);
  EXPECT_EQ(panel.pictures, (std::vector<int>{179, 183, 191, 174, 174, 174, 174, 174, 174, 174}));
}

TEST_F(StatusPanelUpdaterTest, ConnectedShowsNetworkRateAndBarsInTheirColours) {
  ndis.answerWord(oid::k80211WepStatus, 5);  // encrypted
  updater.refresh();
  EXPECT_EQ(shown(kNetworkTextId).text, " KESTREL_WPA2 (00:14:6C:5E:01:04)");
  EXPECT_EQ(shown(kNetworkTextId).colour, kWhite);
  EXPECT_EQ(shown(kChannelTextId).colour, kYellowGreen);
  EXPECT_EQ(shown(kRateTextId).text, "54 Mbps");
  EXPECT_EQ(shown(kRateTextId).colour, kYellowGreen);
  EXPECT_EQ(shown(kSignalLabelId).colour, kWhite);
  // -60 dBm: 73 %, seven bars.
  EXPECT_EQ(panel.pictures, (std::vector<int>{180, 186, 185, 185, 185, 185, 185, 185, 185, 174}));
}

TEST_F(StatusPanelUpdaterTest, ConnectingShowsForOneTickThenTheNetwork) {
  setState(0);
  updater.refresh();
  ASSERT_TRUE(updater.startTicking());
  setState(3);
  timers.fire(kLinkPollTimer);
  // The progress text replaces the SSID and empties the BSSID.
  EXPECT_EQ(shown(kNetworkTextId).text, std::string(" ") + monitor_texts::kConnecting + " ");
  EXPECT_EQ(shown(kNetworkTextId).colour, kWhite);
  EXPECT_EQ(panel.pictures[0], 180);
  timers.fire(kLinkPollTimer);
  EXPECT_EQ(shown(kNetworkTextId).text, " KESTREL_WPA2 (00:14:6C:5E:01:04)");
  setState(2);
  timers.fire(kLinkPollTimer);
  EXPECT_EQ(shown(kNetworkTextId).text, std::string(" ") + monitor_texts::kAuthenticating + " ");
}

TEST_F(StatusPanelUpdaterTest, TheOpeningRefreshNeverShowsProgress) {
  setState(3);
  updater.refresh();
  EXPECT_EQ(shown(kNetworkTextId).text, " KESTREL_WPA2 (00:14:6C:5E:01:04)");
}

TEST_F(StatusPanelUpdaterTest, TicksEveryFiveHundredMillisecondsOnTimer1140Only) {
  ASSERT_TRUE(updater.startTicking());
  EXPECT_EQ(timers.calls, (std::vector<fakes::FakeTimers::Call>{{true, 1140, 500}}));
  EXPECT_FALSE(updater.onTimer(102));
  EXPECT_TRUE(ndis.requests.empty());
  EXPECT_TRUE(updater.onTimer(1140));
  EXPECT_FALSE(ndis.requests.empty());
}

TEST_F(StatusPanelUpdaterTest, PicturesAreRedrawnAfterAllTenAreChosen) {
  updater.refresh();
  ASSERT_FALSE(panel.events.empty());
  EXPECT_EQ(panel.events.back(), "redraw");
  EXPECT_EQ(std::count(panel.events.begin(), panel.events.end(), "picture"), 10);
  EXPECT_EQ(std::count(panel.events.begin(), panel.events.end(), "redraw"), 1);
}

TEST_F(StatusPanelUpdaterTest, AnAdapterThatAnswersNothingShowsTheNotAssociatedPanel) {
  ndis.failStatus = 0xC0010018;
  updater.refresh();
  EXPECT_EQ(shown(kNetworkTextId).colour, kRed);
  EXPECT_EQ(shown(kChannelTextId).text, "");
  EXPECT_EQ(panel.pictures[0], 179);
}

}  // namespace
}  // namespace kestrel
