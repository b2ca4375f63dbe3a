#pragma once
// The sheet's two small modal dialogs over their templates: the save-changes prompt and
// the applying-settings popup.

#include <windows.h>

#include "ui/sheet/applying_popup.h"
#include "ui/sheet/close_procedure.h"
#include "win32/dialog_view.h"
#include "win32/scoped_handles.h"
#include "win32/win32_timers.h"

namespace kestrel {

// "保存" saves; "変更をキャンセル", the close box and Escape discard.
class SaveChangesDialog : public SaveChangesPrompt, private DialogView {
 public:
  SaveChangesDialog(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}
  SaveChangesAnswer ask() override;

 private:
  void onCommand(int id, std::optional<ControlEvent> event) override;

  HINSTANCE instance_;
  HWND owner_;
};

// Grows around the centre of `centredOn` (the main window; the screen when null) and
// closes itself.
class ApplyingPopupDialog : public PopupWindow, private DialogView {
 public:
  ApplyingPopupDialog(HINSTANCE instance, HWND centredOn);
  ~ApplyingPopupDialog() override;
  void run();

 private:
  BOOL onInitDialog() override;
  void onTimer(UINT_PTR id) override;
  void onDestroy() override;
  INT_PTR onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;
  void place(const Placement& placement) override;
  void end() override;

  HINSTANCE instance_;
  HWND centredOn_;
  Win32Timers timers_{nullptr};
  ApplyingPopupZoom zoom_{timers_, *this};
  UniqueGdiObject font_;
  UniqueGdiObject brush_;
};

}  // namespace kestrel
