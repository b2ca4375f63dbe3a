#include "shell/tray_applet.h"

#include "monitor/tray_summary.h"
#include "platform/sheet_pages.h"
#include "shell/shell_texts.h"

namespace kestrel {

TrayApplet::TrayApplet(TrayAppletParts parts) : p_(parts) {}

bool TrayApplet::twoPagesOnly() const {
  return p_.system.os == OsKind::Xp && p_.zeroConfigState.inControl;
}

void TrayApplet::start() {
  p_.adapterPresent = p_.discovery.PickAdapter();
  if (p_.adapterPresent)
    runStartupChecksOnce();
  const std::string tip = shell_texts::kFirstTrayTip;
  p_.window.showTrayIcon(tray_icon::kWeak, &tip);
  p_.timers.start(kMonitorTimerId, kMonitorPeriodMs);
}

void TrayApplet::runStartupChecksOnce() {
  if (checksDone_)
    return;
  p_.startupChecks.RunStartupChecks();
  checksDone_ = true;  // whatever the result: the next attempt follows a loss of the adapter
}

void TrayApplet::onMonitorTick() {
  // The check message runs its prompt inside a tick; a tick arriving meanwhile would judge
  // the service against a flag the prompt is about to set, so it is left out.
  if (inTick_)
    return;
  inTick_ = true;

  if (!p_.adapterPresent) {
    p_.channelOpened = false;
    p_.adapterPresent = p_.discovery.PickAdapter();
    if (p_.window.isSheetOpen())
      p_.window.endSheet();
    p_.window.removeTrayIcon();
    checksDone_ = false;
    p_.window.showHiddenWindow(false);
    inTick_ = false;
    return;
  }

  if (p_.system.os == OsKind::Xp && !p_.zeroConfigState.checked) {
    p_.window.sendZeroConfigCheck();
    p_.zeroConfigState.checked = true;
  }
  runStartupChecksOnce();
  p_.window.showHiddenWindow(p_.window.isSheetOpen());

  const TrayLinkSummary summary = TraySummary(p_.adapter);
  if (summary.state == TrayLinkState::NotReady) {
    loseAdapter();
  } else {
    p_.window.showTrayIcon(summary.icon, summary.hasTip ? &summary.tip : nullptr);
    if (p_.system.os == OsKind::Xp &&
        p_.zeroConfig.IsZeroConfigActive() != p_.zeroConfigState.inControl) {
      runZeroConfigChange();
    }
  }
  inTick_ = false;
}

void TrayApplet::loseAdapter() {
  p_.channelOpened = false;
  p_.adapterPresent = p_.discovery.PickAdapter();
  if (p_.window.isSheetOpen()) {
    p_.window.endSheet();
    p_.window.showHiddenWindow(false);
  }
  p_.window.removeTrayIcon();
  checksDone_ = false;
}

void TrayApplet::runZeroConfigChange() {
  bool& inControl = p_.zeroConfigState.inControl;
  inControl = !inControl;
  if (!p_.window.isSheetOpen())
    return;
  p_.window.switchSheetPages(!inControl);
  if (!inControl) {
    p_.startupChecks.LoadAndPushVirtualProfile(true);
    p_.window.disableSheetApply();
  }
  p_.window.activateSheetPage(0);
}

void TrayApplet::openSheet() {
  const bool onInformation = informationRequested_;
  informationRequested_ = false;  // read once, by the sheet being opened
  p_.window.runSheet(!twoPagesOnly(), onInformation);
}

void TrayApplet::onTrayMouse(TrayMouse event, ScreenPoint cursor) {
  switch (event) {
    case TrayMouse::LeftDown:
    case TrayMouse::LeftDoubleClick:
      informationRequested_ = false;
      if (!p_.adapterPresent)
        return;
      if (p_.window.isSheetOpen())
        p_.window.bringSheetToFront();
      else
        openSheet();
      return;
    case TrayMouse::LeftUp:
      lastPoint_ = cursor;
      return;
    case TrayMouse::RightUp:
      if (menuOpen_)
        return;
      menuOpen_ = true;
      p_.timers.start(kMenuTimerId, kMenuPeriodMs);
      lastPoint_ = cursor;
      p_.window.trackMenu(cursor);
      menuOpen_ = false;
      p_.timers.stop(kMenuTimerId);
      return;
    case TrayMouse::Move:
    case TrayMouse::Other:
      return;
  }
}

void TrayApplet::onMenuDismissTick(ScreenPoint cursor) {
  if (cursor.x < lastPoint_.x || cursor.y < lastPoint_.y) {
    p_.window.closeMenu();
    p_.timers.stop(kMenuTimerId);
  }
}

void TrayApplet::onMenuCommand(int command) {
  switch (command) {
    case kMenuOpen:
      informationRequested_ = false;
      if (!p_.window.isSheetOpen())
        openSheet();
      return;
    case kMenuAbout:
      informationRequested_ = true;
      if (!p_.adapterPresent)
        return;
      if (p_.window.isSheetOpen()) {
        p_.window.bringSheetToFront();
        p_.window.activateSheetPage(twoPagesOnly() ? kTwoPageInformationIndex
                                                   : kInformationPageIndex);
      } else {
        openSheet();
      }
      return;
    case kMenuExit:
      exitApplication();
      return;
    default:
      return;
  }
}

void TrayApplet::exitApplication() {
  if (p_.window.isSheetOpen())
    p_.window.endSheet();
  p_.window.endHiddenWindow();
}

void TrayApplet::onStartMessage() {
  if (p_.window.isSheetOpen()) {
    p_.window.bringSheetToFront();
  } else {
    informationRequested_ = false;
    openSheet();
  }
  p_.window.showHiddenWindow(true);
}

void TrayApplet::onStopMessage() {
  exitApplication();
}

void TrayApplet::onZeroConfigCheck() {
  HandleZeroConfigCheck(p_.system, p_.parameters, p_.zeroConfig, p_.zeroConfigPrompt,
                        p_.zeroConfigState);
}

}  // namespace kestrel
