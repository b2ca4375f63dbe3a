#include "win32/app/hidden_main_window.h"

#include "dialogs/shell_ids.h"
#include "monitor/tray_summary.h"
#include "resource.h"
#include "shell/shell_texts.h"
#include "shell/startup_first_phase.h"
#include "shell/tray_menu.h"
#include "win32/ansi_text.h"

namespace kestrel {

namespace {

constexpr UINT kTrayCallbackMessage = WM_USER + 1;  // 0x0401

UINT RegisteredMessage(const char* name) {
  return RegisterWindowMessageW(WideFromCore(name).c_str());
}

TrayMouse DecodeTrayMouse(LPARAM l) {
  switch (static_cast<UINT>(l)) {
    case WM_LBUTTONDOWN:
      return TrayMouse::LeftDown;
    case WM_LBUTTONDBLCLK:
      return TrayMouse::LeftDoubleClick;
    case WM_LBUTTONUP:
      return TrayMouse::LeftUp;
    case WM_RBUTTONUP:
      return TrayMouse::RightUp;
    case WM_MOUSEMOVE:
      return TrayMouse::Move;
    default:
      return TrayMouse::Other;
  }
}

ScreenPoint CursorPosition() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

HICON LoadIconResource(HINSTANCE instance, int id, int size) {
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

HiddenMainWindow::HiddenMainWindow(HINSTANCE instance, AppServices& services,
                                   HiddenWindowParts parts)
    : instance_(instance),
      services_(services),
      startMessage_(RegisteredMessage(kStartMessageName)),
      stopMessage_(RegisteredMessage(kStopMessageName)),
      zeroConfigCheckMessage_(RegisteredMessage(shell_texts::kZeroConfigCheckMessageName)),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")),
      zeroConfigPrompt_(instance, *this),
      applet_({services.system, parts.discovery, services.adapter, parts.channelOpened,
               parts.adapterPresent, parts.startupChecks, services.parameters, parts.zeroConfig,
               zeroConfigPrompt_, parts.zeroConfigState, timers_, *this}),
      settingsDialogs_(services, instance),
      settingsPage_(services, sheetRelay_, settingsDialogs_, instance),
      networksPage_(services, sheetRelay_, settingsPage_.link()),
      statisticsPage_(services, sheetRelay_),
      informationPage_(services, sheetRelay_),
      pages_{&settingsPage_, &networksPage_, &statisticsPage_, &informationPage_} {}

INT_PTR HiddenMainWindow::run() {
  // A loop of its own rather than the dialog box's: that one peeks before every wait and
  // passes every message through the dialog-message check, which for this hidden window
  // without controls does nothing for the timer's tick but cost it, every second.
  if (createModeless(instance_, IDD_HIDDEN_MAIN, nullptr) == nullptr)
    return -1;
  MSG message;
  while (!ended_ && hwnd() != nullptr) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      if (hwnd() != nullptr)
        DestroyWindow(hwnd());
      return 0;
    }
    if (message.message == WM_TIMER) {
      DispatchMessageW(&message);
    } else if (!IsDialogMessageW(hwnd(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (hwnd() != nullptr)
    DestroyWindow(hwnd());
  return 1;
}

BOOL HiddenMainWindow::onInitDialog() {
  showHiddenWindow(false);
  timers_.setWindow(hwnd());

  wchar_t title[128] = {};
  LoadStringW(instance_, IDS_APPLICATION_TITLE, title, 128);
  SetWindowTextW(hwnd(), title);
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(LoadIconResource(instance_, IDI_APPLICATION_ICON, 32)));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(LoadIconResource(instance_, IDI_APPLICATION_ICON, 16)));

  strongIcon_ = LoadIconResource(instance_, IDI_SIGNAL_STRONG, 16);
  weakIcon_ = LoadIconResource(instance_, IDI_SIGNAL_WEAK, 16);
  mediumIcon_ = LoadIconResource(instance_, IDI_SIGNAL_MEDIUM, 16);
  tray_.SetNotificationWnd(hwnd(), kTrayCallbackMessage);

  applet_.start();
  MoveWindow(hwnd(), 0, 0, 0, 0, FALSE);
  return TRUE;
}

void HiddenMainWindow::onCommand(int id, std::optional<ControlEvent>) {
  applet_.onMenuCommand(id);
}

void HiddenMainWindow::onTimer(UINT_PTR id) {
  if (id == kMonitorTimerId)
    applet_.onMonitorTick();
  else if (id == kMenuTimerId)
    applet_.onMenuDismissTick(CursorPosition());
}

void HiddenMainWindow::onDestroy() {
  tray_.SetIcon(nullptr, nullptr);
}

INT_PTR HiddenMainWindow::onMessage(UINT message, WPARAM, LPARAM l, bool& handled) {
  handled = true;
  if (message == kTrayCallbackMessage) {
    applet_.onTrayMouse(DecodeTrayMouse(l), CursorPosition());
  } else if (message == startMessage_) {
    // The sender is another process waiting in its broadcast: let it go before the sheet
    // runs here, modally, for as long as the user keeps it open.
    ReplyMessage(0);
    applet_.onStartMessage();
  } else if (message == stopMessage_) {
    ReplyMessage(0);
    applet_.onStopMessage();
  } else if (message == zeroConfigCheckMessage_) {
    applet_.onZeroConfigCheck();
  } else if (message == taskbarCreatedMessage_) {
    tray_.Readd();
  } else if (message == WM_WINDOWPOSCHANGING && !visible_) {
    // Only showHiddenWindow may show this window (a modal loop would show it at its start).
    reinterpret_cast<WINDOWPOS*>(l)->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
    handled = false;
  } else {
    handled = false;
  }
  return 0;
}

bool HiddenMainWindow::isSheetOpen() {
  return sheet_ != nullptr;
}

void HiddenMainWindow::runSheet(bool fourPages, bool openOnInformation) {
  MainSheet sheet(services_, instance_);
  sheet_ = &sheet;
  sheet.run(hwnd(), pages_, fourPages, openOnInformation);
  sheet_ = nullptr;
  if (IsWindowVisible(hwnd())) {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
  }
}

void HiddenMainWindow::bringSheetToFront() {
  if (sheet_ != nullptr)
    sheet_->bringToFront();
}

void HiddenMainWindow::activateSheetPage(int index) {
  if (sheet_ != nullptr)
    sheet_->activatePage(index);
}

void HiddenMainWindow::endSheet() {
  if (sheet_ != nullptr)
    sheet_->endWithCancel();
}

void HiddenMainWindow::switchSheetPages(bool fourPages) {
  if (sheet_ != nullptr)
    sheet_->switchPageSet(fourPages);
}

void HiddenMainWindow::disableSheetApply() {
  if (sheet_ != nullptr)
    sheet_->enableButton(SheetButton::Apply, false);
}

void HiddenMainWindow::showHiddenWindow(bool visible) {
  visible_ = visible;
  // The monitor hides the window every second; hiding a hidden window changes nothing.
  if (!visible && !IsWindowVisible(hwnd()))
    return;
  ShowWindow(hwnd(), visible ? SW_SHOWNORMAL : SW_HIDE);
}

void HiddenMainWindow::endHiddenWindow() {
  ended_ = true;
  PostMessageW(hwnd(), WM_NULL, 0, 0);  // the loop may be waiting
}

HICON HiddenMainWindow::signalIcon(int resource) const {
  switch (resource) {
    case tray_icon::kStrong:
      return strongIcon_;
    case tray_icon::kMedium:
      return mediumIcon_;
    default:
      return weakIcon_;
  }
}

void HiddenMainWindow::showTrayIcon(int icon, const std::string* tip) {
  tray_.SetIcon(signalIcon(icon), tip);
}

void HiddenMainWindow::removeTrayIcon() {
  tray_.SetIcon(nullptr, nullptr);
}

void HiddenMainWindow::trackMenu(ScreenPoint at) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr)
    return;
  for (const TrayMenuItem& item : kTrayMenuItems)
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command),
                WideFromCore(item.text).c_str());
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(hwnd());
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void HiddenMainWindow::closeMenu() {
  EndMenu();
}

void HiddenMainWindow::sendZeroConfigCheck() {
  SendMessageW(hwnd(), zeroConfigCheckMessage_, 0, 0);
}

}  // namespace kestrel
