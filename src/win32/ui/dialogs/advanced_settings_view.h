#pragma once
// Template 143: the advanced settings dialog over its portable rules.

#include <optional>

#include "ui/dialogs/advanced_settings_dialog.h"
#include "win32/dialog_view.h"
#include "win32/win32_control_surface.h"
#include "win32/win32_user_prompt.h"

namespace kestrel {

class AdvancedSettingsView : public DialogView {
 public:
  AdvancedSettingsView(DialogServices services, WirelessProfile& working, SettingsPageChoices page);

  // Runs the dialog modally. After OK the working profile holds the new settings and the
  // result tells what becomes of the settings page's network-type radios; nothing after
  // Cancel.
  std::optional<NetworkTypeEffect> run(HINSTANCE instance, HWND owner);

 protected:
  BOOL onInitDialog() override;
  void onCommand(int id, std::optional<ControlEvent> event) override;
  INT_PTR onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

 private:
  DialogServices services_;
  WirelessProfile& working_;
  SettingsPageChoices page_;
  std::optional<Win32ControlSurface> surface_;
  std::optional<Win32UserPrompt> prompt_;  // owned by the dialog, so it waits behind a box
  std::optional<AdvancedSettingsDialog> dialog_;
};

}  // namespace kestrel
