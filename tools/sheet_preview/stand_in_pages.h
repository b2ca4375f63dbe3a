#pragma once
// Stand-in pages for looking at and testing the sheet before the real pages are wired in:
// templates 130 to 133 with a help frame (1125) and help text, and on the settings
// stand-in a Save profile button (1028) that any typing enables.

#include <windows.h>

#include <string>

#include "ui/sheet/close_procedure.h"
#include "ui/sheet_services.h"
#include "win32/dialog_view.h"

namespace kestrel::preview {

inline constexpr int kHelpTextId = 4090;
inline constexpr int kNameEditId = 4091;
inline constexpr int kSaveProfileId = 1028;

class StandInPage : public DialogView {
 public:
  explicit StandInPage(std::string helpFile) : helpFile_(std::move(helpFile)) {}
  int activations = 0;

 protected:
  void onSetActive() override;

 private:
  std::string helpFile_;
};

class StandInSettingsPage : public StandInPage, public SettingsCloseActions {
 public:
  explicit StandInSettingsPage(SheetControl& sheet) : StandInPage("settings.rtf"), sheet_(sheet) {}

  bool saveSucceeds = true;
  int saves = 0;
  int discards = 0;
  int cancels = 0;
  bool applyShowsPopup = true;

  bool saveEnabled() override;
  bool saveProfile() override;
  void discardChanges() override;

 protected:
  void onCommand(int id, std::optional<ControlEvent> event) override;
  bool onApply() override;

 private:
  SheetControl& sheet_;
};

// The networks stand-in counts the sheet's Scan and Connect.
class StandInNetworksPage : public StandInPage {
 public:
  StandInNetworksPage() : StandInPage("networks.rtf") {}
  int scans = 0;
  int connects = 0;

 protected:
  void onCommand(int id, std::optional<ControlEvent> event) override;
};

}  // namespace kestrel::preview
