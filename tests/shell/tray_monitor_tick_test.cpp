// The monitor's tick as the shell sees it: the icon goes through the same record as the
// Win32 tray icon, so each shell call the tick causes is logged. A steady link causes none;
// the tick the link changes causes exactly one, carrying the new icon and tip.
#include <gtest/gtest.h>

#include "adapter/byte_order.h"
#include "fakes/fake_timers.h"
#include "monitor/tray_summary.h"
#include "shell/tray_applet.h"
#include "shell/tray_icon_record.h"
#include "shell_fixture.h"

namespace kestrel {
namespace {

struct ShellCall {
  NotifyAction action;
  int icon;  // 0 when the call carries none
  std::string tip;
};

// Only the icon is looked at; everything else is a hidden, idle window.
class TrayOnlyWindow : public ShellWindow {
 public:
  std::vector<ShellCall> calls;

  bool isSheetOpen() override { return false; }
  void runSheet(bool, bool) override {}
  void bringSheetToFront() override {}
  void activateSheetPage(int) override {}
  void endSheet() override {}
  void switchSheetPages(bool) override {}
  void disableSheetApply() override {}
  void showHiddenWindow(bool) override {}
  void endHiddenWindow() override {}
  void showTrayIcon(int icon, const std::string* tip) override { carryOut(handle(icon), tip); }
  void removeTrayIcon() override { carryOut(nullptr, nullptr); }
  void trackMenu(ScreenPoint) override {}
  void closeMenu() override {}
  void sendZeroConfigCheck() override {}

 private:
  // The icon resources as distinct handles, as the window loads them once.
  const void* handle(int icon) const {
    switch (icon) {
      case tray_icon::kStrong:
        return &strong_;
      case tray_icon::kMedium:
        return &medium_;
      default:
        return &weak_;
    }
  }
  int resource(const void* handle) const {
    if (handle == &strong_)
      return tray_icon::kStrong;
    return handle == &medium_ ? tray_icon::kMedium : tray_icon::kWeak;
  }
  void carryOut(const void* icon, const std::string* tip) {
    const auto call = record_.prepare(icon, tip, nullptr);
    if (!call)
      return;
    calls.push_back({call->action, call->iconFlag ? resource(icon) : 0, call->tip});
    record_.finished(*call, true);
  }

  TrayIconRecord record_;
  int strong_ = 0;
  int medium_ = 0;
  int weak_ = 0;
};

class TrayMonitorTickTest : public testing::ShellFixture {
 protected:
  TrayMonitorTickTest() {
    services.installed = false;
    connect("Cafe", -52);
    applet.start();
    applet.onMonitorTick();
    window.calls.clear();
  }

  void connect(const std::string& ssid, std::int32_t dbm) {
    ndis.answers[oid::kGenMediaConnectStatus] = std::vector<std::uint8_t>(10, 0);
    ndis.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(dbm));
    ndis.answerWord(oid::k80211InfrastructureMode, 1);
    std::vector<std::uint8_t> record(36, 0);
    WriteLe32(record.data(), static_cast<std::uint32_t>(ssid.size()));
    std::copy(ssid.begin(), ssid.end(), record.begin() + 4);
    ndis.answers[oid::k80211Ssid] = record;
  }
  // The calls of one tick.
  std::vector<ShellCall> tick() {
    window.calls.clear();
    applet.onMonitorTick();
    return window.calls;
  }
  void expectOneModify(const std::vector<ShellCall>& calls, int icon, const std::string& tip) {
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].action, NotifyAction::Modify);
    EXPECT_EQ(calls[0].icon, icon);
    EXPECT_EQ(calls[0].tip, tip);
  }

  fakes::FakeServiceManager services;
  fakes::FakeTimers timers;
  TrayOnlyWindow window;
  class NeverAsked : public ZeroConfigPrompt {
    bool askToDisableService() override { return false; }
  } zeroConfigPrompt;
  ZeroConfigState zeroConfigState;
  ZeroConfigControl zeroConfig{services, registry, clock, identity.interfaceGuid};
  TrayApplet applet{{system, discovery, adapter, channelOpened, adapterPresent, checks, parameters,
                     zeroConfig, zeroConfigPrompt, zeroConfigState, timers, window}};
};

TEST_F(TrayMonitorTickTest, SteadyLinkCausesNoShellCall) {
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(tick().empty());
  ndis.answerWord(oid::kGenMediaConnectStatus, 1);
  tick();
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(tick().empty());
}

TEST_F(TrayMonitorTickTest, TheTickTheLinkChangesCarriesTheNewIconAndTip) {
  connect("Cafe", -90);
  expectOneModify(tick(), tray_icon::kMedium, "Kestrel LX740N is Connected to Cafe");
  connect("Cafe", -95);
  expectOneModify(tick(), tray_icon::kWeak, "Kestrel LX740N is Connected to Cafe");
  connect("Harbour", -95);
  expectOneModify(tick(), tray_icon::kWeak, "Kestrel LX740N is Connected to Harbour");

  ndis.answerWord(oid::kGenMediaConnectStatus, 1);
  expectOneModify(tick(), tray_icon::kNotConnected, "Disconnect");
  connect("Cafe", -52);
  expectOneModify(tick(), tray_icon::kStrong, "Kestrel LX740N is Connected to Cafe");
}

TEST_F(TrayMonitorTickTest, UnreadableSsidKeepsTheTipAndOnlyAChangedIconIsSent) {
  ndis.failingOids[oid::k80211Ssid] = 0xC0010017;
  EXPECT_TRUE(tick().empty());
  connect("Cafe", -90);
  ndis.failingOids[oid::k80211Ssid] = 0xC0010017;
  expectOneModify(tick(), tray_icon::kMedium, "Kestrel LX740N is Connected to Cafe");
}

TEST_F(TrayMonitorTickTest, LostAdapterRemovesTheIconAndItsReturnAddsItAgain) {
  ndis.failingOids[oid::kGenHardwareStatus] = 0xC0010017;
  const auto lost = tick();
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_EQ(lost[0].action, NotifyAction::Delete);
  EXPECT_TRUE(tick().empty());

  ndis.failingOids.clear();
  const auto back = tick();
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].action, NotifyAction::Add);
  EXPECT_EQ(back[0].icon, tray_icon::kStrong);
  EXPECT_TRUE(tick().empty());
}

}  // namespace
}  // namespace kestrel
