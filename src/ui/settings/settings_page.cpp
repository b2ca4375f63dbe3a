#include "ui/settings/settings_page.h"

#include <algorithm>
#include <cstdio>

#include "profiles/key_derivation.h"
#include "profiles/profile_store.h"
#include "profiles/secure_wipe.h"
#include "ui/settings/settings_controls.h"
#include "ui/settings/settings_rules.h"
#include "ui/settings/settings_texts.h"

namespace kestrel {

using namespace settings_controls;

namespace {

constexpr std::size_t kKeyNumberCount = kWepKeyCount;

// Index in the manual size list of a key of `bytes`; -1 for a length no size has.
int ManualSizeOfKey(std::int32_t bytes) {
  for (std::size_t i = 0; i < kWepKeySizeCount; ++i) {
    if (WepKeySizeAt(i).keyBytes == bytes)
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

SettingsPage::SettingsPage(AppServices& services, ControlSurface& controls,
                           SettingsPageWindow& window, Timers& timers, SheetControl& sheet,
                           SettingsDialogs& dialogs)
    : services_(services),
      controls_(controls),
      window_(window),
      timers_(timers),
      sheet_(sheet),
      dialogs_(dialogs) {}

// --- Reading the controls --------------------------------------------------------------

Security SettingsPage::chosenSecurity() {
  if (controls_.checked(kWep))
    return Security::Wep;
  if (controls_.checked(kWpaPsk))
    return Security::WpaPsk;
  return Security::None;
}

std::size_t SettingsPage::manualSizeIndex() {
  const int selected = controls_.selectedListItem(kManualSize);
  return static_cast<std::size_t>(std::clamp(selected, 0, static_cast<int>(kWepKeySizeCount) - 1));
}

std::size_t SettingsPage::generationSizeIndex() {
  return std::min<std::size_t>(
      static_cast<std::size_t>(std::max(0, controls_.selectedListItem(kGenerationSize))), 1);
}

std::size_t SettingsPage::keyNumber() {
  const int selected = controls_.selectedListItem(kKeyNumber);
  return static_cast<std::size_t>(std::clamp(selected, 0, static_cast<int>(kWepKeyCount) - 1));
}

bool SettingsPage::saveEnabled() {
  return controls_.enabled(kSaveProfile);
}

// --- Initialisation and reload ---------------------------------------------------------

void SettingsPage::OnInitDialog() {
  window_.drawPictures();
  controls_.limitText(kProfile, kMaxNameCharacters);
  controls_.limitText(kSsid, kMaxNameCharacters);
  controls_.limitText(kPassphrase, static_cast<int>(kMaxPassphraseEdit));

  controls_.clearList(kKeyNumber);
  for (std::size_t number = 1; number <= kKeyNumberCount; ++number) {
    char caption[16];
    std::snprintf(caption, sizeof caption, settings_texts::kKeyNumberFormat,
                  static_cast<int>(number));
    controls_.addListItem(kKeyNumber, caption);
  }
  controls_.selectListItem(kKeyNumber, 0);
  keys_.show(0);
  controls_.clearList(kManualSize);
  for (std::size_t i = 0; i < kWepKeySizeCount; ++i)
    controls_.addListItem(kManualSize, WepKeySizeAt(i).caption);
  controls_.selectListItem(kManualSize, 0);
  controls_.clearList(kGenerationSize);
  for (std::size_t i = 0; i < 2; ++i)
    controls_.addListItem(kGenerationSize, WepKeySizeAt(i).caption);
  controls_.selectListItem(kGenerationSize, 0);

  controls_.enable(kSaveProfile, false);
  entryMode_ = EntryMode::Passphrase;
  checkSecurityRadios(SecurityControlsFor(Security::None, KeyEntry::Passphrase, wpaSupported()));
  loadChosenProfile();
  timers_.start(kSettingsPictureTimer, kSettingsPicturePeriodMs);
}

void SettingsPage::loadChosenProfile() {
  if (wpaSupported()) {
    enableAll({kWpaPsk, kAdvancedSecurity, kNoSecurity}, true);
  } else {
    enableAll({kWpaPsk, kAdvancedSecurity}, false);
  }

  controls_.clearList(kAdapter);
  std::string description;
  if (services_.parameters.ReadDriverParameter("DriverDesc", description)) {
    controls_.selectListItem(kAdapter, controls_.addListItem(kAdapter, description));
  }

  if (controls_.selectedListItem(kProfile) >= 0) {
    controls_.setText(kProfile, selectedName_);
    services_.store.LoadProfile(working(), selectedName_);
  } else {
    services_.store.LoadProfile(working(), kVirtualProfileName);
    services_.store.LoadProfile(services_.records.current, kVirtualProfileName);
    refreshProfileCombo();
  }
  fillFromWorkingProfile();
}

void SettingsPage::refreshProfileCombo() {
  controls_.clearList(kProfile);
  services_.store.EnumerateProfiles([this](const std::string& name) {
    if (name != kVirtualProfileName)
      controls_.addListItem(kProfile, name);
  });
  selectedName_ = services_.store.GetConfigurationProfileName();
  controls_.setText(kProfile, selectedName_);
}

// --- Filling the controls from the working profile -------------------------------------

void SettingsPage::fillFromWorkingProfile() {
  editing_ = false;
  const WirelessProfile& profile = working();
  controls_.setChecked(kAutoCell, false);
  controls_.enable(kAutoCell, false);

  if (profile.NetworkConnectionType == 1) {
    checkNetworkType(kInfrastructure);
    if (wpaSupported())
      controls_.enable(kWpaPsk, true);
  } else {
    onAdHoc();
  }

  std::string region;
  if (!services_.adapter.GetCountryCode(region))
    return;
  if (profile.NetBand == 16 || (profile.NetBand == 1 && (region == "FR" || region == "GB"))) {
    checkNetworkType(kInfrastructure);
    controls_.enable(kAdHoc, false);
  } else {
    controls_.enable(kAdHoc, true);
  }
  controls_.enable(kAdHocSetup, controls_.checked(kAdHoc));

  window_.setPasswordMask(kPassphrase, false);
  passphraseMasked_ = false;
  controls_.setText(kPassphrase, MaskOf(static_cast<std::size_t>(std::clamp<std::int32_t>(
                                     profile.PHlength, 0, kMaxPassphraseEdit))));

  keys_.load(profile);
  controls_.selectListItem(kKeyNumber, static_cast<int>(keys_.shown()));
  if (!keys_.shownKey().empty()) {
    controls_.setText(kKey, keys_.shownKey());
  } else {
    controls_.setText(kPassphrase, "");
    controls_.setText(kKey, "");
  }

  const int manualSize = ManualSizeOfKey(keys_.shownLength());
  controls_.selectListItem(kManualSize, std::max(manualSize, 0));
  controls_.selectListItem(kGenerationSize, manualSize == 1 ? 1 : 0);

  fillSecurity();

  controls_.setText(kSsid, EqualsIgnoringCase(profile.NetworkName, settings_texts::kAnyNetworkName)
                               ? settings_texts::kAnyNetwork
                               : profile.NetworkName);
  editing_ = true;
  enableAll({kSaveProfile, kDeleteProfile}, false);
}

void SettingsPage::fillSecurity() {
  const WirelessProfile& profile = working();
  if (profile.EnableSecurity != 1 && profile.EapSelection == 0) {
    onNoSecurity();
  } else if (profile.WPA != 0 || profile.EapSelection == kEapWpaPsk) {
    if (!wpaSupported())
      controls_.enable(kWpaPsk, false);
    showSecurity(Security::WpaPsk, KeyEntry::Passphrase);
    window_.setPasswordMask(kPassphrase, true);
    passphraseMasked_ = true;
    controls_.setText(kPassphrase, profile.Passphrase);
  } else {
    const bool keyShown = controls_.text(kPassphrase).empty() && !controls_.text(kKey).empty();
    showSecurity(Security::Wep, keyShown ? KeyEntry::ShownKey : KeyEntry::Passphrase);
  }
}

// --- The shared pieces of the handlers -------------------------------------------------

void SettingsPage::markEdited() {
  selectedName_ = controls_.text(kProfile);
  if (EqualsIgnoringCase(selectedName_, kDefaultProfileName)) {
    controls_.setText(kProfile, settings_texts::kNewProfileJapanese);
    controls_.enable(kDeleteProfile, false);
  }
  controls_.enable(kSaveProfile, true);
}

void SettingsPage::setModified() {
  window_.setPageModified(true);
}

void SettingsPage::checkNetworkType(ControlId id) {
  controls_.setChecked(kInfrastructure, id == kInfrastructure);
  controls_.setChecked(kAdHoc, id == kAdHoc);
  networkType_ = id == kAdHoc ? 1 : 0;
}

void SettingsPage::showSecurity(Security security, KeyEntry entry) {
  const SecurityControls state = SecurityControlsFor(security, entry, wpaSupported());
  checkSecurityRadios(state);
  for (const ControlState& control : state.enabled)
    controls_.enable(control.id, control.on);
}

void SettingsPage::checkWpaPskRadio() {
  controls_.setChecked(kNoSecurity, false);
  controls_.setChecked(kWep, false);
  controls_.setChecked(kWpaPsk, true);
}

void SettingsPage::checkPassphraseEntry() {
  controls_.setChecked(kPassphraseEntry, true);
  controls_.setChecked(kManualEntry, false);
  entryMode_ = EntryMode::Passphrase;
}

void SettingsPage::checkSecurityRadios(const SecurityControls& state) {
  for (const ControlState& radio : state.checked)
    controls_.setChecked(radio.id, radio.on);
  entryMode_ = state.manualEntryChecked() ? EntryMode::Manual : EntryMode::Passphrase;
}

KeyEntry SettingsPage::keyEntry() const {
  return entryMode_ == EntryMode::Manual ? KeyEntry::Manual : KeyEntry::Passphrase;
}

void SettingsPage::enableAll(std::initializer_list<ControlId> ids, bool enabled) {
  for (ControlId id : ids)
    controls_.enable(id, enabled);
}

// The edit no longer holds a stored passphrase, so what is typed next shows in clear.
void SettingsPage::clearPassphraseEdit() {
  controls_.setText(kPassphrase, "");
  window_.setPasswordMask(kPassphrase, false);
  passphraseMasked_ = false;
}

// --- Control handlers ------------------------------------------------------------------

// Each control event's handler and what follows it: the page marked modified, or also
// edited (the profile name offered for saving). A null handler does only what follows.
void SettingsPage::onCommand(ControlId id, ControlEvent event) {
  enum class Then { Nothing, Modified, Edited };
  struct Route {
    ControlId id;
    ControlEvent event;
    void (SettingsPage::*handler)();
    Then then;
  };
  using E = ControlEvent;
  static constexpr Route kRoutes[] = {
      {kSaveProfile, E::Clicked, &SettingsPage::onSaveClicked, Then::Nothing},
      {kDeleteProfile, E::Clicked, &SettingsPage::deleteProfile, Then::Nothing},
      {kAdvanced, E::Clicked, &SettingsPage::onAdvancedSettings, Then::Nothing},
      {kAdHocSetup, E::Clicked, &SettingsPage::onAdHocSettings, Then::Nothing},
      {kInfrastructure, E::Clicked, &SettingsPage::onInfrastructure, Then::Edited},
      {kAdHoc, E::Clicked, &SettingsPage::onAdHoc, Then::Nothing},
      {kNoSecurity, E::Clicked, &SettingsPage::onNoSecurity, Then::Nothing},
      {kWep, E::Clicked, &SettingsPage::onWep, Then::Edited},
      {kWpaPsk, E::Clicked, &SettingsPage::onWpaPsk, Then::Edited},
      {kPassphraseEntry, E::Clicked, &SettingsPage::onPassphraseEntry, Then::Edited},
      {kManualEntry, E::Clicked, &SettingsPage::onManualEntry, Then::Edited},
      {kSheetCancel, E::Clicked, &SettingsPage::discardChanges, Then::Nothing},
      {kProfile, E::SelectionChanged, &SettingsPage::onProfileChosen, Then::Nothing},
      {kSsid, E::SelectionChanged, &SettingsPage::onSsidChosen, Then::Nothing},
      {kGenerationSize, E::SelectionChanged, &SettingsPage::onGenerationSize, Then::Edited},
      {kManualSize, E::SelectionChanged, &SettingsPage::onManualSize, Then::Edited},
      {kKeyNumber, E::SelectionChanged, &SettingsPage::onKeyNumber, Then::Nothing},
      {kProfile, E::TextChanged, &SettingsPage::onProfileTyped, Then::Modified},
      {kSsid, E::TextChanged, nullptr, Then::Edited},
      {kPassphrase, E::TextChanged, &SettingsPage::onPassphraseChanged, Then::Modified},
      {kKey, E::TextChanged, &SettingsPage::onKeyChanged, Then::Nothing},
      {kSsid, E::ListOpened, &SettingsPage::onSsidListOpened, Then::Nothing},
  };
  for (const Route& route : kRoutes) {
    if (route.id != id || route.event != event)
      continue;
    if (route.handler != nullptr)
      (this->*route.handler)();
    if (route.then == Then::Edited)
      markEdited();
    if (route.then != Then::Nothing)
      setModified();
    return;
  }
}

void SettingsPage::onProfileChosen() {
  const int chosen = controls_.selectedListItem(kProfile);
  if (chosen < 0)
    return;
  selectedName_ = controls_.listItemText(kProfile, chosen);
  loadChosenProfile();
  controls_.enable(kSaveProfile, false);
  controls_.enable(kDeleteProfile,
                   selectedName_ != kDefaultProfileName &&
                       selectedName_ != services_.store.GetConfigurationProfileName());
  setModified();
}

void SettingsPage::onProfileTyped() {
  selectedName_ = controls_.text(kProfile);
  if (EqualsIgnoringCase(selectedName_, kDefaultProfileName)) {
    enableAll({kSaveProfile, kDeleteProfile}, false);
  } else {
    controls_.enable(kSaveProfile, true);
  }
}

void SettingsPage::onSsidListOpened() {
  std::vector<std::uint8_t> block;
  if (!services_.adapter.GetBssList(block))
    return;
  const std::string typed = controls_.text(kSsid);
  scanned_ = ReadScannedNetworks(block.data(), block.size());
  controls_.clearList(kSsid);
  for (const ScannedNetwork& network : scanned_)
    controls_.addListItem(kSsid, network.ssid);
  controls_.setText(kSsid, typed);
}

void SettingsPage::onSsidChosen() {
  const int chosen = controls_.selectedListItem(kSsid);
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= scanned_.size())
    return;
  const ScannedNetwork network = scanned_[static_cast<std::size_t>(chosen)];

  WirelessProfile& profile = working();
  profile.EnableSecurity = 0;
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    profile.SharedKey[k].clear();
    profile.SharedKeyLength[k] = 0;
  }
  profile.AdvancedAuthenticationType = 0;
  profile.EncryptionAlg = 0;
  profile.WPA = 0;
  profile.EapSelection = 0;
  ClearDot1xFields(profile);
  profile.Passphrase.clear();
  profile.PassphraseLength = 0;

  if (network.mode == 0) {
    onAdHoc();
  } else if (network.mode == 1) {
    onInfrastructure();
  }

  if (!network.privacy) {
    showSecurity(Security::None, keyEntry());
  } else if (network.security == ScannedSecurity::Wep) {
    clearPassphraseEdit();
    controls_.setText(kKey, "");
    showSecurity(Security::Wep, KeyEntry::Passphrase);
  } else {
    // A WPA network changes only the controls it needs; the WEP ones stay as they were.
    checkWpaPskRadio();
    if (network.security == ScannedSecurity::PreSharedKey) {
      enableAll({kAdvancedSecurity, kPassphrase, kPassphraseLabel}, true);
      checkPassphraseEntry();
      clearPassphraseEdit();
      controls_.setText(kKey, "");
    } else {
      controls_.enable(kAdvancedSecurity, true);
      enableAll({kPassphrase, kPassphraseLabel}, false);
    }
  }

  if (!wpaSupported())
    enableAll({kWpaPsk, kAdvancedSecurity}, false);
  controls_.setText(kSsid, network.ssid);
  controls_.selectListItem(kSsid, chosen);
  markEdited();
  setModified();
}

void SettingsPage::onInfrastructure() {
  checkNetworkType(kInfrastructure);
  controls_.enable(kAdHocSetup, false);
  if (wpaSupported())
    controls_.enable(kWpaPsk, true);
}

void SettingsPage::onAdHoc() {
  checkNetworkType(kAdHoc);
  controls_.enable(kAdHocSetup, true);
  controls_.enable(kWpaPsk, false);
  if (controls_.checked(kWpaPsk))
    onNoSecurity();
  markEdited();
  setModified();
}

void SettingsPage::onAdvancedSettings() {
  const std::optional<NetworkTypeEffect> effect =
      dialogs_.openAdvancedSettings(controls_.checked(kAdHoc), controls_.checked(kAutoCell));
  if (!effect)
    return;
  followNetworkTypeEffect(*effect);
  markEdited();
  setModified();
}

// The dialog decides which network types its wireless modes leave possible.
void SettingsPage::followNetworkTypeEffect(NetworkTypeEffect effect) {
  switch (effect) {
    case NetworkTypeEffect::ForceInfrastructure:
      controls_.enable(kAdHoc, false);
      checkNetworkType(kInfrastructure);
      break;
    case NetworkTypeEffect::EnableAdHoc:
      controls_.enable(kAdHoc, true);
      break;
    case NetworkTypeEffect::Unchanged:
      break;
  }
}

void SettingsPage::onAdHocSettings() {
  if (!dialogs_.openAdHocSettings())
    return;
  markEdited();
  setModified();
}

void SettingsPage::onNoSecurity() {
  showSecurity(Security::None, keyEntry());
  controls_.enable(kSaveProfile, true);
  markEdited();
  setModified();
}

void SettingsPage::onWep() {
  clearPassphraseEdit();
  showSecurity(Security::Wep,
               controls_.text(kKey).empty() ? KeyEntry::Passphrase : KeyEntry::ShownKey);
}

void SettingsPage::onWpaPsk() {
  clearPassphraseEdit();
  controls_.setText(kKey, "");
  if (wpaSupported()) {
    showSecurity(Security::WpaPsk, KeyEntry::Passphrase);
    return;
  }
  // Without the 802.1X client the radio is not checked, but the group still turns to a
  // passphrase.
  const SecurityControls state = SecurityControlsFor(Security::WpaPsk, KeyEntry::Passphrase, true);
  checkPassphraseEntry();
  for (const ControlState& control : state.enabled)
    controls_.enable(control.id, control.on);
}

void SettingsPage::onPassphraseEntry() {
  if (entryMode_ == EntryMode::Manual) {
    keys_.clear();
    controls_.setText(kKey, "");
  }
  controls_.selectListItem(kKeyNumber, 0);
  keys_.show(0);
  showSecurity(chosenSecurity(), KeyEntry::Passphrase);
  controls_.focus(kPassphrase);
  window_.selectAllText(kPassphrase);
  controls_.selectListItem(kManualSize, controls_.selectedListItem(kGenerationSize));
}

// Keys generated from a passphrase typed here are dropped; stored keys, which the page
// shows only as masks, stay: the key edit still shows the mask, and apply would otherwise
// store the WEP profile with no keys at all.
void SettingsPage::onManualEntry() {
  if (entryMode_ == EntryMode::Passphrase)
    keys_.forgetGenerated();
  clearPassphraseEdit();
  showSecurity(chosenSecurity(), KeyEntry::Manual);
  controls_.focus(kKey);
  window_.selectAllText(kKey);
  controls_.selectListItem(kKeyNumber, 0);
  keys_.show(0);
}

void SettingsPage::onGenerationSize() {
  clearPassphraseEdit();
  controls_.focus(kPassphrase);
  controls_.selectListItem(kManualSize, controls_.selectedListItem(kGenerationSize));
}

void SettingsPage::onManualSize() {
  controls_.setText(kKey, "");
  controls_.focus(kKey);
}

void SettingsPage::onPassphraseChanged() {
  std::string passphrase = controls_.text(kPassphrase);
  if (!IsMask(passphrase) && chosenSecurity() == Security::Wep) {
    keys_.generate(passphrase, generationSizeIndex());
    controls_.setText(kKey, keys_.key(keyNumber()));
  }
  if (passphrase.empty()) {
    keys_.clear();
    controls_.setText(kKey, "");
  }
  SecureWipe(passphrase);
  controls_.enable(kSaveProfile, true);
}

void SettingsPage::onKeyNumber() {
  const int chosen = controls_.selectedListItem(kKeyNumber);
  if (chosen < 0)
    return;
  const std::string typed = controls_.text(kKey);
  const WepKeySize& size = WepKeySizeAt(manualSizeIndex());
  if (!typed.empty() && !HasKeyLength(typed, manualSizeIndex()))
    services_.prompt.inform(size.lengthMessage);
  keys_.keepTyped(typed);
  keys_.show(static_cast<std::size_t>(chosen));
  controls_.setText(kKey, keys_.shownKey());
  const int keySize = ManualSizeOfKey(keys_.shownLength());
  if (entryMode_ == EntryMode::Manual && keySize >= 0)
    controls_.selectListItem(kManualSize, keySize);
}

void SettingsPage::onKeyChanged() {
  if (!editing_)
    return;
  controls_.limitText(kKey, WepKeySizeAt(manualSizeIndex()).hexDigits);
  std::string typed = controls_.text(kKey);
  const std::size_t removedAt = RemoveFirstNonHexDigit(typed);
  if (removedAt != std::string::npos) {
    controls_.setText(kKey, typed);
    window_.setCaret(kKey, static_cast<int>(removedAt));
  }
  controls_.enable(kSaveProfile, true);
  setModified();
}

// --- Timer, activation, keyboard -------------------------------------------------------

void SettingsPage::onTimer(std::uint32_t id) {
  if (id == kSettingsPictureTimer)
    window_.drawPictures();
}

void SettingsPage::onSetActive() {
  sheet_.showButton(SheetButton::Apply, true);
  sheet_.showButton(SheetButton::Cancel, true);
  sheet_.showButton(SheetButton::Close, true);
  sheet_.showButton(SheetButton::Scan, false);
  sheet_.showButton(SheetButton::Connect, false);
}

bool SettingsPage::onKillActive() {
  if (chosenSecurity() != Security::Wep)
    return true;
  const std::string typed = controls_.text(kKey);
  if (typed.empty() || HasKeyLength(typed, manualSizeIndex()))
    return true;
  services_.prompt.inform(WepKeySizeAt(manualSizeIndex()).lengthMessage);
  controls_.selectListItem(kKeyNumber, static_cast<int>(keys_.shown()));
  return false;
}

bool SettingsPage::preTranslateKey(const KeyPress& key) {
  if (key.alt && key.letter == 'F') {
    onCommand(kInfrastructure, ControlEvent::Clicked);
    return true;
  }
  if (key.alt && key.letter == 'S') {
    if (saveEnabled())
      saveProfile();
    return true;
  }
  const bool typing = key.kind == KeyPress::Kind::Printable ||
                      key.kind == KeyPress::Kind::Backspace || key.kind == KeyPress::Kind::Delete;
  if (passphraseMasked_ && typing && !key.alt && !key.ctrl && key.target == kPassphrase) {
    keys_.forgetPassphrase();
    clearPassphraseEdit();
  }
  return false;
}

// --- What the networks page asks ------------------------------------------------------

void SettingsPage::reload() {
  controls_.selectListItem(kProfile, -1);
  loadChosenProfile();
  refreshProfileCombo();
}

void SettingsPage::chooseWep() {
  checkSecurityRadios(SecurityControlsFor(Security::Wep, keyEntry(), wpaSupported()));
}

void SettingsPage::chooseWpaPskPassphrase() {
  checkSecurityRadios(SecurityControlsFor(Security::WpaPsk, KeyEntry::Passphrase, wpaSupported()));
}

void SettingsPage::showProfileName(const std::string& name) {
  controls_.setText(kProfile, name);
}

}  // namespace kestrel
