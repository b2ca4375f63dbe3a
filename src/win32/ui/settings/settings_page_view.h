#pragma once
// The settings page's window: template 130 as a property page of the main sheet. It
// decodes messages for the portable page and draws the four pictures.

#include <windows.h>

#include <array>

#include "ui/app_services.h"
#include "ui/settings/settings_page.h"
#include "ui/settings/settings_page_window.h"
#include "ui/sheet/close_procedure.h"
#include "ui/sheet_services.h"
#include "win32/active_window_hook.h"
#include "win32/animated_picture.h"
#include "win32/dialog_view.h"
#include "win32/scoped_handles.h"
#include "win32/ui/settings/window_controls.h"
#include "win32/win32_timers.h"

namespace kestrel {

class SettingsPageView : public DialogView,
                         public SettingsCloseActions,
                         private SettingsPageWindow {
 public:
  // Lives as long as the application; a window is made for it by each sheet.
  SettingsPageView(AppServices& services, SheetControl& sheet, SettingsDialogs& dialogs,
                   HINSTANCE instance);
  ~SettingsPageView() override;

  PROPSHEETPAGEW sheetPage();
  // What the networks page hands a chosen network to.
  SettingsPageLink& link() { return page_; }

  // The sheet's close procedure (its Cancel button comes as a command).
  bool saveEnabled() override { return page_.saveEnabled(); }
  bool saveProfile() override { return page_.saveProfile(); }
  void discardChanges() override { page_.discardChanges(); }

 protected:
  BOOL onInitDialog() override;
  void onCommand(int id, std::optional<ControlEvent> event) override;
  void onTimer(UINT_PTR id) override;
  void onDestroy() override;
  void onSetActive() override;
  bool onKillActive() override;
  bool onApply() override;

 private:
  // SettingsPageWindow
  void setPageModified(bool modified) override;
  void setPasswordMask(ControlId id, bool masked) override;
  void selectAllText(ControlId id) override;
  void setCaret(ControlId id, int position) override;
  void drawPictures() override;

  static LRESULT CALLBACK KeyHook(int code, WPARAM w, LPARAM l);
  bool preTranslate(const MSG& message);
  void removeKeyHook();

  HINSTANCE instance_;
  const SystemKind& system_;
  WindowControls controls_{*this};
  Win32Timers timers_{nullptr};
  SettingsPage page_;
  std::array<AnimatedPicture, 4> pictures_;
  // A still picture stands in its off-screen image once drawn: the timer's later ticks
  // leave it alone.
  std::array<bool, 4> stillDrawn_{};
  ActiveWindowHook keyHook_{WH_GETMESSAGE, KeyHook};
};

}  // namespace kestrel
