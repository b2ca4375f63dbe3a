#pragma once

#include <windows.h>

#include <string>

#include "shell/shell_window.h"
#include "shell/tray_applet.h"
#include "ui/app_services.h"
#include "win32/app/settings_dialogs.h"
#include "win32/app/sheet_relay.h"
#include "win32/app/tray_icon.h"
#include "win32/app/zero_config_prompt_dialog.h"
#include "win32/dialog_view.h"
#include "win32/ui/information/information_view.h"
#include "win32/ui/networks/networks_view.h"
#include "win32/ui/settings/settings_page_view.h"
#include "win32/ui/sheet/main_sheet.h"
#include "win32/ui/statistics/statistics_view.h"
#include "win32/win32_timers.h"

namespace kestrel {

// What the hidden window needs besides the services the pages share.
struct HiddenWindowParts {
  AdapterDiscovery& discovery;
  bool& channelOpened;
  bool& adapterPresent;
  StartupChecks& startupChecks;
  ZeroConfigControl& zeroConfig;
  ZeroConfigState& zeroConfigState;
};

// The hidden main dialog (template 102): owns the tray icon, the monitor and menu timers,
// the zero-configuration prompt and the main sheet while it runs. It decodes its messages
// and carries out what `TrayApplet` decides.
class HiddenMainWindow : public DialogView, private ShellWindow {
 public:
  HiddenMainWindow(HINSTANCE instance, AppServices& services, HiddenWindowParts parts);
  // Runs its message loop until "Exit" or the stop message (1), or WM_QUIT (0).
  INT_PTR run();

 private:
  BOOL onInitDialog() override;
  void onCommand(int id, std::optional<ControlEvent> event) override;
  void onTimer(UINT_PTR id) override;
  void onDestroy() override;
  INT_PTR onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

  // ShellWindow
  bool isSheetOpen() override;
  void runSheet(bool fourPages, bool openOnInformation) override;
  void bringSheetToFront() override;
  void activateSheetPage(int index) override;
  void endSheet() override;
  void switchSheetPages(bool fourPages) override;
  void disableSheetApply() override;
  void showHiddenWindow(bool visible) override;
  void endHiddenWindow() override;
  void showTrayIcon(int icon, const std::string* tip) override;
  void removeTrayIcon() override;
  void trackMenu(ScreenPoint at) override;
  void closeMenu() override;
  void sendZeroConfigCheck() override;

  HICON signalIcon(int resource) const;

  HINSTANCE instance_;
  AppServices& services_;
  const UINT startMessage_;
  const UINT stopMessage_;
  const UINT zeroConfigCheckMessage_;
  const UINT taskbarCreatedMessage_;
  Win32Timers timers_{nullptr};
  CTrayIcon tray_;
  ZeroConfigPromptDialog zeroConfigPrompt_;
  TrayApplet applet_;
  // The four pages live as long as this window; each sheet makes windows for them.
  SheetRelay sheetRelay_;
  Win32SettingsDialogs settingsDialogs_;
  SettingsPageView settingsPage_;
  NetworksView networksPage_;
  StatisticsView statisticsPage_;
  InformationView informationPage_;
  SheetPages pages_;
  MainSheet* sheet_ = nullptr;
  bool visible_ = false;
  bool ended_ = false;
  HICON strongIcon_ = nullptr;
  HICON mediumIcon_ = nullptr;
  HICON weakIcon_ = nullptr;
};

}  // namespace kestrel
