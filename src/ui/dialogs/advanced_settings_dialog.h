#pragma once
// The advanced settings dialog's rules: wireless modes, WMM, power saving, preamble,
// transmit power and the two thresholds of the settings page's working profile.

#include <string>

#include "platform/control_surface.h"
#include "profiles/wireless_profile.h"
#include "ui/dialogs/dialog_services.h"
#include "ui/dialogs/network_type_effect.h"

namespace kestrel {

// The two settings-page controls the dialog consults when it opens and on OK.
struct SettingsPageChoices {
  bool adHocSelected = false;    // "コンピュータ間（Ad Hoc）"
  bool autoCellChecked = false;  // "AutoCell Enabled"
};

// The dialog edits its own copy of the working profile and hands its fields back only when
// OK closes it, so that Cancel leaves the working profile as it was, also after "デフォル
// トを使用" or an OK that stayed open.
class AdvancedSettingsDialog {
 public:
  AdvancedSettingsDialog(ControlSurface& controls, DialogServices services,
                         WirelessProfile& working, SettingsPageChoices page);

  void open();
  void onCommand(ControlId id, ControlEvent event);
  // A slider was moved or drawn: its value label follows it.
  void showSliderValue(ControlId slider);
  // True when the dialog closes with OK; the working profile then holds the new values.
  bool confirm();
  NetworkTypeEffect networkTypeEffect() const { return effect_; }

 private:
  void fillLists();
  void runOpeningRules();
  void applyCountryRules(const std::string& country);
  void applyAdapterRules();
  void disableMode(ControlId box);
  void useDefaults();
  int checkedModes();
  void takeListIndex(ControlId list, std::int32_t& field);
  // Hands the fields the dialog edits to the working profile.
  void commit();

  ControlSurface& controls_;
  DialogServices services_;
  WirelessProfile& working_;
  WirelessProfile edited_;
  SettingsPageChoices page_;
  NetworkTypeEffect effect_ = NetworkTypeEffect::Unchanged;
  bool valuesShown_ = false;  // the opening got as far as the lists and sliders
};

// "54Mbps 802.11a" gives 1, otherwise "108Mbps 802.11a" gives 2, otherwise 0.
std::int32_t AdHocBandForModes(int modes);

}  // namespace kestrel
