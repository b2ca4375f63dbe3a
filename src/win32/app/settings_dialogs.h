#pragma once
// Opens the advanced settings and ad hoc dialogs for the settings page, over the open
// sheet, on the application's working profile.

#include <windows.h>

#include "ui/app_services.h"
#include "ui/dialogs/dialog_services.h"
#include "ui/settings/settings_page_window.h"
#include "win32/ui/dialogs/ad_hoc_view.h"
#include "win32/ui/dialogs/advanced_settings_view.h"
#include "win32/ui/sheet/main_sheet.h"

namespace kestrel {

class Win32SettingsDialogs : public SettingsDialogs {
 public:
  Win32SettingsDialogs(AppServices& services, HINSTANCE instance)
      : services_(services), instance_(instance) {}

  std::optional<NetworkTypeEffect> openAdvancedSettings(bool adHocChosen,
                                                        bool autoCellChecked) override {
    AdvancedSettingsView view(DialogServicesOf(services_), services_.records.working,
                              SettingsPageChoices{adHocChosen, autoCellChecked});
    return view.run(instance_, owner());
  }

  bool openAdHocSettings() override {
    AdHocView view(DialogServicesOf(services_), services_.records.working,
                   services_.records.current);
    return view.run(instance_, owner());
  }

 private:
  static HWND owner() {
    MainSheet* sheet = OpenSheet();
    return sheet != nullptr ? sheet->window() : nullptr;
  }

  AppServices& services_;
  HINSTANCE instance_;
};

}  // namespace kestrel
