#include "shell/tray_applet.h"

#include <gtest/gtest.h>

#include <functional>

#include "adapter/byte_order.h"
#include "fakes/fake_timers.h"
#include "shell/tray_menu.h"
#include "shell_fixture.h"

namespace kestrel {
namespace {

// The hidden window as a log of what it was asked to do.
class RecordingWindow : public ShellWindow {
 public:
  bool sheetOpen = false;
  std::vector<std::string> log;
  std::function<void()> whileSheetRuns;
  std::function<void()> whileMenuTracked;
  std::function<void()> onCheckMessage;

  bool isSheetOpen() override { return sheetOpen; }
  void runSheet(bool fourPages, bool openOnInformation) override {
    log.push_back(std::string("run sheet ") + (fourPages ? "4" : "2") +
                  (openOnInformation ? " on information" : ""));
    sheetOpen = true;
    if (whileSheetRuns)
      whileSheetRuns();
    sheetOpen = false;
  }
  void bringSheetToFront() override { log.push_back("sheet to front"); }
  void activateSheetPage(int index) override { log.push_back("page " + std::to_string(index)); }
  void endSheet() override {
    log.push_back("end sheet");
    sheetOpen = false;
  }
  void switchSheetPages(bool fourPages) override {
    log.push_back(fourPages ? "four pages" : "two pages");
  }
  void disableSheetApply() override { log.push_back("apply disabled"); }
  void showHiddenWindow(bool visible) override { hiddenWindowVisible = visible; }
  void endHiddenWindow() override { log.push_back("end window"); }
  void showTrayIcon(int icon, const std::string* tip) override {
    trayIcon = icon;
    if (tip != nullptr)
      trayTip = *tip;
  }
  void removeTrayIcon() override { trayIcon = 0; }
  void trackMenu(ScreenPoint at) override {
    log.push_back("menu at " + std::to_string(at.x) + "," + std::to_string(at.y));
    if (whileMenuTracked)
      whileMenuTracked();
  }
  void closeMenu() override { log.push_back("close menu"); }
  void sendZeroConfigCheck() override {
    ++checkMessages;
    if (onCheckMessage)
      onCheckMessage();
  }

  int checkMessages = 0;
  int trayIcon = 0;  // 0: none shown
  std::string trayTip;
  bool hiddenWindowVisible = false;
};

class ScriptedPrompt : public ZeroConfigPrompt {
 public:
  std::function<void()> whileShown;
  int asked = 0;
  bool askToDisableService() override {
    ++asked;
    if (whileShown)
      whileShown();
    return false;
  }
};

const std::string kFlagsKey =
    std::string("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + testing::kGuid;

class TrayAppletTest : public testing::ShellFixture {
 protected:
  TrayAppletTest() {
    services.installed = false;
    connect("KESTREL_11g", -52);
  }

  void connect(const std::string& ssid, std::int32_t dbm, std::uint32_t mode = 1) {
    ndis.answers[oid::kGenMediaConnectStatus] = std::vector<std::uint8_t>(10, 0);
    ndis.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(dbm));
    ndis.answerWord(oid::k80211InfrastructureMode, mode);
    std::vector<std::uint8_t> record(36, 0);
    WriteLe32(record.data(), static_cast<std::uint32_t>(ssid.size()));
    std::copy(ssid.begin(), ssid.end(), record.begin() + 4);
    ndis.answers[oid::k80211Ssid] = record;
  }
  void removeCard() {
    ndis.adapters.clear();
    ndis.answerWord(oid::kGenHardwareStatus, 4);
  }
  void insertCard() {
    ndis.adapters = {{kModelDescription, std::string("\\DEVICE\\") + testing::kGuid}};
    ndis.answerWord(oid::kGenHardwareStatus, 0);
  }
  int macReads() const {
    int count = 0;
    for (const auto& request : ndis.requests)
      count += request.oid == oid::k8023CurrentAddress ? 1 : 0;
    return count;
  }
  void serviceControls(bool managed) {
    services.installed = true;
    services.states = {ServiceState::Running};
    RegistryValue flags{RegistryType::Dword, std::vector<std::uint8_t>(4)};
    WriteLe32(flags.data.data(), managed ? 0x8002u : 0x0002u);
    registry.putValue(RegistryHive::LocalMachine, kFlagsKey, "ControlFlags", flags);
  }

  fakes::FakeServiceManager services;
  fakes::FakeTimers timers;
  RecordingWindow window;
  ScriptedPrompt zeroConfigPrompt;
  ZeroConfigState zeroConfigState;
  ZeroConfigControl zeroConfig{services, registry, clock, identity.interfaceGuid};
  TrayApplet applet{{system, discovery, adapter, channelOpened, adapterPresent, checks, parameters,
                     zeroConfig, zeroConfigPrompt, zeroConfigState, timers, window}};
};

TEST_F(TrayAppletTest, StartRunsTheChecksAddsTheFirstIconAndStartsTheMonitor) {
  applet.start();
  EXPECT_TRUE(adapterPresent);
  EXPECT_TRUE(applet.startupChecksDone());
  EXPECT_EQ(parameter("CheckDP"), "1");
  EXPECT_EQ(window.trayIcon, 153);
  EXPECT_EQ(window.trayTip, "Kestrel LX740N is Connected to");
  EXPECT_EQ(timers.running, (std::map<std::uint32_t, std::uint32_t>{{102, 1000}}));

  applet.onMonitorTick();
  EXPECT_EQ(macReads(), 1);  // the checks do not run again while the adapter stays
  EXPECT_EQ(window.trayIcon, 152);
  EXPECT_EQ(window.trayTip, "Kestrel LX740N is Connected to KESTREL_11g");
}

TEST_F(TrayAppletTest, ChecksThatFailAreStillMarkedDoneAndNotRepeatedEachTick) {
  ndis.failingOids[oid::k8023CurrentAddress] = 0xC0010017;
  applet.start();
  EXPECT_TRUE(applet.startupChecksDone());
  EXPECT_EQ(parameter("CheckDP"), "(none)");  // they stopped at the MAC address
  applet.onMonitorTick();
  applet.onMonitorTick();
  EXPECT_EQ(macReads(), 1);
}

TEST_F(TrayAppletTest, StartWithoutAnAdapterStillAddsTheIconAndMonitors) {
  ndis.adapters.clear();
  applet.start();
  EXPECT_FALSE(adapterPresent);
  EXPECT_FALSE(applet.startupChecksDone());
  EXPECT_EQ(window.trayIcon, 153);
  EXPECT_TRUE(timers.isRunning(102));
  applet.onMonitorTick();
  EXPECT_EQ(window.trayIcon, 0);
  EXPECT_EQ(macReads(), 0);
}

TEST_F(TrayAppletTest, IconAndTipFollowTheLink) {
  applet.start();
  connect("Cafe", -90);
  applet.onMonitorTick();
  EXPECT_EQ(window.trayIcon, 151);
  EXPECT_EQ(window.trayTip, "Kestrel LX740N is Connected to Cafe");
  connect("Cafe", -95);
  applet.onMonitorTick();
  EXPECT_EQ(window.trayIcon, 153);
  connect("Peer", -95, 0);
  applet.onMonitorTick();
  EXPECT_EQ(window.trayIcon, 152);  // ad hoc

  ndis.answerWord(oid::kGenMediaConnectStatus, 1);
  applet.onMonitorTick();
  EXPECT_EQ(window.trayIcon, 153);
  EXPECT_EQ(window.trayTip, "Disconnect");
  EXPECT_FALSE(window.hiddenWindowVisible);
}

TEST_F(TrayAppletTest, TheHiddenWindowIsShownWhileTheSheetIsOpenOnly) {
  applet.start();
  bool shownDuringSheet = false;
  window.whileSheetRuns = [&] {
    applet.onMonitorTick();
    shownDuringSheet = window.hiddenWindowVisible;
  };
  applet.onTrayMouse(TrayMouse::LeftDown, {});
  EXPECT_TRUE(shownDuringSheet);
  applet.onMonitorTick();
  EXPECT_FALSE(window.hiddenWindowVisible);
}

TEST_F(TrayAppletTest, OneFailedStatusQueryClosesTheSheetAndDropsTheIcon) {
  applet.start();
  ndis.failingOids[oid::kGenHardwareStatus] = 0xC0010017;
  window.whileSheetRuns = [&] {
    applet.onMonitorTick();
    EXPECT_FALSE(window.sheetOpen);
  };
  applet.onTrayMouse(TrayMouse::LeftDown, {});
  EXPECT_EQ(window.log, (std::vector<std::string>{"run sheet 4", "end sheet"}));
  EXPECT_EQ(window.trayIcon, 0);
  EXPECT_FALSE(applet.startupChecksDone());
  EXPECT_FALSE(channelOpened);
  EXPECT_TRUE(adapterPresent);  // still listed: the next tick carries on with it

  ndis.failingOids.clear();
  applet.onMonitorTick();
  EXPECT_EQ(macReads(), 2);  // the checks ran again
  EXPECT_EQ(window.trayIcon, 152);
}

TEST_F(TrayAppletTest, CardRemovedAndInsertedAgainRunsTheChecksWithoutTheFirstRunWork) {
  applet.start();
  applet.onMonitorTick();
  const auto companionStarts = processes.attempts.size();

  removeCard();
  applet.onMonitorTick();
  EXPECT_FALSE(adapterPresent);
  EXPECT_EQ(window.trayIcon, 0);
  applet.onMonitorTick();  // absent: one pick a tick, nothing shown
  EXPECT_EQ(window.trayIcon, 0);

  insertCard();
  applet.onMonitorTick();  // found again
  EXPECT_TRUE(adapterPresent);
  EXPECT_EQ(window.trayIcon, 0);
  applet.onMonitorTick();  // checks, then the icon
  EXPECT_EQ(macReads(), 2);
  EXPECT_EQ(setsOf(oid::k80211Ssid), 2);
  EXPECT_EQ(processes.attempts.size(), companionStarts);
  EXPECT_EQ(window.trayIcon, 152);
}

TEST_F(TrayAppletTest, ClicksOpenOrRaiseTheSheetOnlyWithAnAdapter) {
  ndis.adapters.clear();
  applet.start();
  applet.onTrayMouse(TrayMouse::LeftDown, {});
  EXPECT_TRUE(window.log.empty());

  insertCard();
  applet.onMonitorTick();
  window.whileSheetRuns = [&] { applet.onTrayMouse(TrayMouse::LeftDoubleClick, {}); };
  applet.onTrayMouse(TrayMouse::LeftDown, {});
  EXPECT_EQ(window.log, (std::vector<std::string>{"run sheet 4", "sheet to front"}));
}

TEST_F(TrayAppletTest, MenuCommands) {
  applet.start();
  applet.onMenuCommand(kMenuAbout);
  applet.onMenuCommand(kMenuOpen);
  window.whileSheetRuns = [&] {
    applet.onMenuCommand(kMenuOpen);  // already open: nothing
    applet.onMenuCommand(kMenuAbout);
  };
  applet.onMenuCommand(kMenuOpen);
  EXPECT_EQ(window.log, (std::vector<std::string>{"run sheet 4 on information", "run sheet 4",
                                                  "run sheet 4", "sheet to front", "page 3"}));

  window.log.clear();
  removeCard();
  applet.onMonitorTick();
  applet.onMenuCommand(kMenuAbout);  // no adapter: nothing
  applet.onMenuCommand(kMenuOpen);   // opens even so
  EXPECT_EQ(window.log, (std::vector<std::string>{"run sheet 4"}));

  window.log.clear();
  window.whileSheetRuns = [&] { applet.onMenuCommand(kMenuExit); };
  applet.onMenuCommand(kMenuOpen);
  EXPECT_EQ(window.log, (std::vector<std::string>{"run sheet 4", "end sheet", "end window"}));
}

TEST_F(TrayAppletTest, OnlyOneMenuAtATimeAndItClosesWhenTheCursorMovesAway) {
  applet.start();
  window.whileMenuTracked = [&] {
    EXPECT_TRUE(applet.menuOpen());
    EXPECT_EQ(timers.running.at(2), 3000u);
    applet.onTrayMouse(TrayMouse::RightUp, {1, 1});  // ignored while tracked
    applet.onMenuDismissTick({640, 480});            // right of and below: stays
    applet.onMenuDismissTick({639, 500});            // left of the point: closes
  };
  applet.onTrayMouse(TrayMouse::RightUp, {640, 480});
  EXPECT_EQ(window.log, (std::vector<std::string>{"menu at 640,480", "close menu"}));
  EXPECT_FALSE(applet.menuOpen());
  EXPECT_FALSE(timers.isRunning(2));
}

TEST_F(TrayAppletTest, AMenuClosedWithoutADismissalTickStopsItsTimer) {
  applet.start();
  // The user picks an item or clicks elsewhere: the menu closes before any tick closes it.
  window.whileMenuTracked = [&] { applet.onMenuDismissTick({700, 500}); };
  applet.onTrayMouse(TrayMouse::RightUp, {640, 480});
  EXPECT_EQ(window.log, (std::vector<std::string>{"menu at 640,480"}));
  EXPECT_FALSE(timers.isRunning(2));
  EXPECT_TRUE(timers.isRunning(102));
  EXPECT_FALSE(applet.menuOpen());
}

TEST(TrayMenu, OpenAboutAndExitInThatOrderWithTheirCommands) {
  const std::vector<std::pair<int, std::string>> expected = {
      {3026, "Open"}, {3025, "About..."}, {3027, "Exit"}};
  std::vector<std::pair<int, std::string>> items;
  for (const TrayMenuItem& item : kTrayMenuItems)
    items.emplace_back(item.command, item.text);
  EXPECT_EQ(items, expected);
}

TEST_F(TrayAppletTest, StartAndStopMessages) {
  applet.start();
  window.whileSheetRuns = [&] { applet.onStartMessage(); };
  applet.onStartMessage();
  EXPECT_EQ(window.log, (std::vector<std::string>{"run sheet 4", "sheet to front"}));
  EXPECT_TRUE(window.hiddenWindowVisible);

  window.log.clear();
  applet.onStopMessage();
  EXPECT_EQ(window.log, (std::vector<std::string>{"end window"}));
}

TEST_F(TrayAppletTest, CheckMessageIsSentOncePerProcessOnXpOnly) {
  window.onCheckMessage = [&] { applet.onZeroConfigCheck(); };
  applet.start();
  applet.onMonitorTick();
  applet.onMonitorTick();
  EXPECT_EQ(window.checkMessages, 1);

  system.os = OsKind::Win2000;
  ZeroConfigState fresh;
  zeroConfigState = fresh;
  applet.onMonitorTick();
  EXPECT_EQ(window.checkMessages, 1);
}

TEST_F(TrayAppletTest, ServiceInControlWithTheAnswerRecordedShowsTwoPages) {
  serviceControls(true);
  setParameter("MessageShow", "1");
  window.onCheckMessage = [&] { applet.onZeroConfigCheck(); };
  applet.start();
  applet.onMonitorTick();
  EXPECT_EQ(zeroConfigPrompt.asked, 0);
  EXPECT_TRUE(zeroConfigState.inControl);

  window.whileSheetRuns = [&] { applet.onMenuCommand(kMenuAbout); };
  applet.onTrayMouse(TrayMouse::LeftDown, {});
  EXPECT_EQ(window.log, (std::vector<std::string>{"run sheet 2", "sheet to front", "page 1"}));
}

TEST_F(TrayAppletTest, ChangesOfTheServiceRebuildTheOpenSheet) {
  applet.start();
  applet.onMonitorTick();
  ASSERT_FALSE(zeroConfigState.inControl);
  const int pushesBefore = setsOf(oid::k80211Ssid);
  const auto sleptBefore = clock.slept;

  window.whileSheetRuns = [&] {
    serviceControls(true);
    applet.onMonitorTick();
    EXPECT_TRUE(zeroConfigState.inControl);
    EXPECT_EQ(setsOf(oid::k80211Ssid), pushesBefore);

    serviceControls(false);
    applet.onMonitorTick();
    EXPECT_FALSE(zeroConfigState.inControl);
  };
  applet.onTrayMouse(TrayMouse::LeftDown, {});
  EXPECT_EQ(window.log, (std::vector<std::string>{"run sheet 4", "two pages", "page 0",
                                                  "four pages", "apply disabled", "page 0"}));
  EXPECT_EQ(setsOf(oid::k80211Ssid), pushesBefore + 1);
  EXPECT_EQ(clock.slept - sleptBefore, 5000u);

  // With no sheet open only the flag follows the service.
  window.log.clear();
  serviceControls(true);
  applet.onMonitorTick();
  EXPECT_TRUE(zeroConfigState.inControl);
  EXPECT_TRUE(window.log.empty());
}

TEST_F(TrayAppletTest, TickArrivingWhileThePromptIsUpIsLeftOut) {
  serviceControls(true);
  window.onCheckMessage = [&] { applet.onZeroConfigCheck(); };
  zeroConfigPrompt.whileShown = [&] {
    const auto before = window.log.size();
    applet.onMonitorTick();
    EXPECT_EQ(window.log.size(), before);
    EXPECT_FALSE(zeroConfigState.inControl);
  };
  applet.start();
  applet.onMonitorTick();
  EXPECT_EQ(zeroConfigPrompt.asked, 1);
  EXPECT_EQ(parameter("MessageShow"), "1");
  EXPECT_EQ(parameter("CheckZeroConfig"), "0");
  EXPECT_TRUE(zeroConfigState.inControl);  // answered No: the service keeps control
}

}  // namespace
}  // namespace kestrel
