#include "ui/dialogs/advanced_settings_dialog.h"

#include <array>

#include "dialogs/dialogs_ids.h"
#include "ui/dialogs/country_rules.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/threshold_mapping.h"

namespace kestrel {

namespace {

struct ModeBox {
  ControlId id;
  std::int32_t bit;
};

constexpr std::array<ModeBox, 5> kModeBoxes{{{IDC_ADV_MODE_11A, kMode11a},
                                             {IDC_ADV_MODE_11A_TURBO, kMode11aTurbo},
                                             {IDC_ADV_MODE_11B, kMode11b},
                                             {IDC_ADV_MODE_11G, kMode11g},
                                             {IDC_ADV_MODE_11G_TURBO, kMode11gTurbo}}};

// The 802.11g-only PCI adapter; every other description is the dual-band card.
constexpr char kSingleBandAdapter[] = "KESTREL LX330 802.11g Wireless PCI Adapter";

constexpr int kFragTickFrequency = 81;
constexpr int kRtsTickFrequency = 91;
constexpr int kPowerSaveOffIndex = 0;
constexpr int kFullTransmitPowerIndex = 0;
constexpr std::int32_t kDefaultModesRestricted = kMode11a | kMode11b | kMode11g;
constexpr std::int32_t kDefaultModesAll = 0x1F;

void FillList(ControlSurface& controls, ControlId list, std::initializer_list<const char*> items) {
  controls.clearList(list);
  for (const char* item : items)
    controls.addListItem(list, item);
}

}  // namespace

std::int32_t AdHocBandForModes(int modes) {
  if ((modes & kMode11a) != 0)
    return 1;
  if ((modes & kMode11aTurbo) != 0)
    return 2;
  return 0;
}

AdvancedSettingsDialog::AdvancedSettingsDialog(ControlSurface& controls, DialogServices services,
                                               WirelessProfile& working, SettingsPageChoices page)
    : controls_(controls), services_(services), working_(working), edited_(working), page_(page) {}

void AdvancedSettingsDialog::open() {
  edited_ = working_;
  fillLists();
  runOpeningRules();
}

void AdvancedSettingsDialog::onCommand(ControlId id, ControlEvent event) {
  if (id == IDC_ADV_USE_DEFAULTS && event == ControlEvent::Clicked)
    useDefaults();
  else if ((id == IDC_ADV_FRAG_SLIDER || id == IDC_ADV_RTS_SLIDER) &&
           event == ControlEvent::Scrolled)
    showSliderValue(id);
}

void AdvancedSettingsDialog::fillLists() {
  using namespace dialog_texts;
  FillList(controls_, IDC_ADV_WMM, {kOff, kOn});
  FillList(controls_, IDC_ADV_POWER_SAVE, {kPowerSaveOff, kPowerSaveMaximum, kPowerSaveNormal});
  FillList(controls_, IDC_ADV_PREAMBLE, {kLongPreamble, kAutomatic});
  FillList(controls_, IDC_ADV_TX_POWER, {"100%", "50%", "25%", "12.5%", kMinimum});
  controls_.setSliderRange(IDC_ADV_FRAG_SLIDER, kThresholdSliderMinimum, kThresholdSliderMaximum);
  controls_.setSliderRange(IDC_ADV_RTS_SLIDER, kThresholdSliderMinimum, kThresholdSliderMaximum);
  controls_.setSliderTickFrequency(IDC_ADV_FRAG_SLIDER, kFragTickFrequency);
  controls_.setSliderTickFrequency(IDC_ADV_RTS_SLIDER, kRtsTickFrequency);
}

void AdvancedSettingsDialog::runOpeningRules() {
  std::string country;
  if (!services_.adapter.GetCountryCode(country))
    return;

  // Boxes are only ever checked here: a mode the profile lacks keeps its box as it was.
  for (const ModeBox& box : kModeBoxes) {
    if ((edited_.NetBand & box.bit) != 0)
      controls_.setChecked(box.id, true);
  }
  applyCountryRules(country);

  controls_.selectListItem(IDC_ADV_PREAMBLE, edited_.ShortPreamble);
  controls_.selectListItem(IDC_ADV_TX_POWER, edited_.tpc);
  controls_.selectListItem(IDC_ADV_POWER_SAVE, edited_.PowerManagement);
  controls_.setSliderPosition(IDC_ADV_FRAG_SLIDER, FragThresholdPosition(edited_.FragThreshold));
  controls_.setSliderPosition(IDC_ADV_RTS_SLIDER, RtsThresholdPosition(edited_.RTSThreshold));
  showSliderValue(IDC_ADV_FRAG_SLIDER);
  showSliderValue(IDC_ADV_RTS_SLIDER);
  controls_.selectListItem(IDC_ADV_WMM, edited_.WmmEnabled);
  controls_.enable(IDC_ADV_WMM, services_.system.servicePackLevel != kServicePackLevel9x);
  valuesShown_ = true;

  applyAdapterRules();
}

void AdvancedSettingsDialog::applyCountryRules(const std::string& country) {
  if (IsOneOf(country, {"DZ", "IL", "BR"}))
    disableMode(IDC_ADV_MODE_11A);
  if (IsOneOf(country, {"FR", "GB", "DZ", "IL", "BR", "JP"}))
    disableMode(IDC_ADV_MODE_11A_TURBO);
  if (country == "JP")
    disableMode(IDC_ADV_MODE_11G_TURBO);
}

void AdvancedSettingsDialog::applyAdapterRules() {
  std::string description;
  if (!services_.parameters.ReadDriverParameter("DriverDesc", description))
    return;

  if (page_.adHocSelected) {
    for (const ModeBox& box : kModeBoxes)
      controls_.enable(box.id, false);
    controls_.enable(IDC_ADV_POWER_SAVE, false);
    controls_.selectListItem(IDC_ADV_POWER_SAVE, kPowerSaveOffIndex);
  } else if (description != kSingleBandAdapter) {
    controls_.enable(IDC_ADV_MODE_11A, true);
    controls_.enable(IDC_ADV_MODE_11A_TURBO, true);
    std::string country;
    if (!ReadCountryOrDriverCode(services_, country))
      return;
    if (!IsOneOf(country, {"US", "CN", "CA", "MX", "AU"}))
      disableMode(IDC_ADV_MODE_11A_TURBO);
    if (IsOneOf(country, {"DZ", "IL", "BR"}))
      disableMode(IDC_ADV_MODE_11A);
    if (country == "JP")
      disableMode(IDC_ADV_MODE_11G_TURBO);
    controls_.enable(IDC_ADV_MODE_11B, true);
    controls_.enable(IDC_ADV_MODE_11G, true);
    controls_.enable(IDC_ADV_POWER_SAVE, true);
  } else {
    controls_.enable(IDC_ADV_MODE_11A, false);
    controls_.enable(IDC_ADV_MODE_11A_TURBO, false);
    controls_.enable(IDC_ADV_MODE_11B, true);
    controls_.enable(IDC_ADV_MODE_11G, true);
    controls_.enable(IDC_ADV_POWER_SAVE, true);
  }

  // AutoCell manages power itself: full power, no power saving.
  controls_.enable(IDC_ADV_POWER_SAVE, !page_.autoCellChecked);
  controls_.enable(IDC_ADV_TX_POWER, !page_.autoCellChecked);
  if (page_.autoCellChecked) {
    controls_.selectListItem(IDC_ADV_POWER_SAVE, kPowerSaveOffIndex);
    controls_.selectListItem(IDC_ADV_TX_POWER, kFullTransmitPowerIndex);
  }
}

void AdvancedSettingsDialog::disableMode(ControlId box) {
  controls_.setChecked(box, false);
  controls_.enable(box, false);
}

void AdvancedSettingsDialog::showSliderValue(ControlId slider) {
  const bool frag = slider == IDC_ADV_FRAG_SLIDER;
  const int position = controls_.sliderPosition(slider);
  controls_.setText(frag ? IDC_ADV_FRAG_VALUE : IDC_ADV_RTS_VALUE, std::to_string(2 * position));
  controls_.setText(frag ? IDC_ADV_FRAG_HIGH : IDC_ADV_RTS_HIGH, "2346");
}

void AdvancedSettingsDialog::useDefaults() {
  std::string country;
  if (!services_.adapter.GetCountryCode(country))
    return;
  edited_.NetBand = IsOneOf(country, {"FR", "GB", "DZ", "IL", "BR", "JP"}) ? kDefaultModesRestricted
                                                                           : kDefaultModesAll;
  edited_.PowerManagement = 2;
  edited_.ShortPreamble = 1;
  edited_.tpc = 0;
  edited_.FragThreshold = kThresholdMaximumBytes;
  edited_.RTSThreshold = kThresholdMaximumBytes;
  runOpeningRules();
}

int AdvancedSettingsDialog::checkedModes() {
  int modes = 0;
  for (const ModeBox& box : kModeBoxes) {
    if (controls_.checked(box.id))
      modes |= box.bit;
  }
  // 802.11g alone also admits 802.11b stations.
  return modes == kMode11g ? kMode11g | kMode11b : modes;
}

// A list the opening left without a selection keeps the profile's value.
void AdvancedSettingsDialog::takeListIndex(ControlId list, std::int32_t& field) {
  const int index = controls_.selectedListItem(list);
  if (index >= 0)
    field = index;
}

bool AdvancedSettingsDialog::confirm() {
  const int modes = checkedModes();
  if (modes == 0) {
    services_.prompt.inform(dialog_texts::kSelectOneModeMessage);
    return false;
  }
  edited_.NetBand = modes;
  edited_.AdHocBand = AdHocBandForModes(modes);

  std::string country;
  if (!services_.adapter.GetCountryCode(country))
    return false;
  if (modes == kMode11gTurbo || (modes == kMode11a && IsOneOf(country, {"FR", "GB"})))
    effect_ = NetworkTypeEffect::ForceInfrastructure;
  else if (!page_.autoCellChecked)
    effect_ = NetworkTypeEffect::EnableAdHoc;
  else
    effect_ = NetworkTypeEffect::Unchanged;

  takeListIndex(IDC_ADV_POWER_SAVE, edited_.PowerManagement);
  takeListIndex(IDC_ADV_PREAMBLE, edited_.ShortPreamble);
  takeListIndex(IDC_ADV_TX_POWER, edited_.tpc);
  takeListIndex(IDC_ADV_WMM, edited_.WmmEnabled);
  // Sliders the opening never placed (the adapter did not answer then) would read as
  // their bottom position: the stored thresholds stay.
  if (valuesShown_) {
    edited_.FragThreshold = FragThresholdBytes(controls_.sliderPosition(IDC_ADV_FRAG_SLIDER));
    edited_.RTSThreshold = RtsThresholdBytes(controls_.sliderPosition(IDC_ADV_RTS_SLIDER));
  }
  commit();
  return true;
}

void AdvancedSettingsDialog::commit() {
  working_.NetBand = edited_.NetBand;
  working_.AdHocBand = edited_.AdHocBand;
  working_.PowerManagement = edited_.PowerManagement;
  working_.ShortPreamble = edited_.ShortPreamble;
  working_.tpc = edited_.tpc;
  working_.WmmEnabled = edited_.WmmEnabled;
  working_.FragThreshold = edited_.FragThreshold;
  working_.RTSThreshold = edited_.RTSThreshold;
}

}  // namespace kestrel
