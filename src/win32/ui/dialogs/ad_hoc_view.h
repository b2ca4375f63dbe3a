#pragma once
// Template 142: the ad hoc dialog over its portable rules.

#include <optional>

#include "ui/dialogs/ad_hoc_dialog.h"
#include "win32/dialog_view.h"
#include "win32/scoped_handles.h"
#include "win32/win32_control_surface.h"
#include "win32/win32_user_prompt.h"

namespace kestrel {

class AdHocView : public DialogView {
 public:
  AdHocView(DialogServices services, WirelessProfile& working, const WirelessProfile& current);

  // Runs the dialog modally; true after OK, when the working profile holds the new band
  // and channel.
  bool run(HINSTANCE instance, HWND owner);

 protected:
  BOOL onInitDialog() override;
  void onCommand(int id, std::optional<ControlEvent> event) override;
  void onDestroy() override;

 private:
  // Alt+C and Alt+S reach the dialog manager before any window sees them.
  static LRESULT CALLBACK KeyFilter(int code, WPARAM w, LPARAM l);

  DialogServices services_;
  WirelessProfile& working_;
  const WirelessProfile& current_;
  std::optional<Win32ControlSurface> surface_;
  std::optional<Win32UserPrompt> prompt_;  // owned by the dialog, so it waits behind a box
  std::optional<AdHocDialog> dialog_;
  UniqueHook keyFilter_;
};

}  // namespace kestrel
