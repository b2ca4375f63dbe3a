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

SettingsPage::Security SettingsPage::chosenSecurity() {
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
  checkEntryMode(EntryMode::Passphrase);

  controls_.clearList(kKeyNumber);
  for (std::size_t number = 1; number <= kKeyNumberCount; ++number) {
    char caption[16];
    std::snprintf(caption, sizeof caption, settings_texts::kKeyNumberFormat,
                  static_cast<int>(number));
    controls_.addListItem(kKeyNumber, caption);
  }
  controls_.selectListItem(kKeyNumber, 0);
  shownKey_ = 0;
  controls_.clearList(kManualSize);
  for (std::size_t i = 0; i < kWepKeySizeCount; ++i)
    controls_.addListItem(kManualSize, WepKeySizeAt(i).caption);
  controls_.selectListItem(kManualSize, 0);
  controls_.clearList(kGenerationSize);
  for (std::size_t i = 0; i < 2; ++i)
    controls_.addListItem(kGenerationSize, WepKeySizeAt(i).caption);
  controls_.selectListItem(kGenerationSize, 0);

  controls_.enable(kSaveProfile, false);
  checkSecurity(kNoSecurity);
  Reload();
  timers_.start(kSettingsPictureTimer, kSettingsPicturePeriodMs);
}

void SettingsPage::Reload() {
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

  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    AssignSecret(pageKeys_[k], profile.SharedKey[k]);
  }
  pageKeyLengths_ = profile.SharedKeyLength;
  shownKey_ =
      profile.defaultKey >= 0 && profile.defaultKey < static_cast<std::int32_t>(kWepKeyCount)
          ? static_cast<std::size_t>(profile.defaultKey)
          : 0;
  controls_.selectListItem(kKeyNumber, static_cast<int>(shownKey_));
  if (EqualsIgnoringCase(pageKeys_[shownKey_], kPlaceholderKey) && profile.EapSelection != 7) {
    SecureWipe(pageKeys_[shownKey_]);
    pageKeyLengths_[shownKey_] = 0;
  }
  if (!pageKeys_[shownKey_].empty()) {
    controls_.setText(kKey, MaskOf(pageKeys_[shownKey_].size()));
  } else {
    controls_.setText(kPassphrase, "");
    controls_.setText(kKey, "");
  }
  // Masked in place: the key's digits are overwritten, not left in a freed buffer.
  for (std::string& key : pageKeys_) {
    std::fill(key.begin(), key.end(), '*');
  }

  const int manualSize = ManualSizeOfKey(pageKeyLengths_[shownKey_]);
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
  } else if (profile.WPA != 0 || profile.EapSelection == 7) {
    checkSecurity(kWpaPsk);
    controls_.enable(kAdvancedSecurity, true);
    if (!wpaSupported())
      enableAll({kWpaPsk, kAdvancedSecurity}, false);
    checkEntryMode(EntryMode::Passphrase);
    enableAll({kPassphraseEntry, kManualEntry, kKeyNumber, kKey, kGenerationSize, kManualSize},
              false);
    enableAll({kPassphrase, kPassphraseLabel}, true);
    window_.setPasswordMask(kPassphrase, true);
    passphraseMasked_ = true;
    controls_.setText(kPassphrase, profile.Passphrase);
  } else {
    controls_.enable(kWep, true);
    checkSecurity(kWep);
    controls_.enable(kAdvancedSecurity, false);
    enableAll({kPassphraseEntry, kManualEntry, kPassphraseLabel, kPassphrase, kKeyNumber, kKey,
               kGenerationSize, kManualSize},
              true);
    if (!controls_.text(kPassphrase).empty() || controls_.text(kKey).empty()) {
      showPassphraseMode();
    } else {
      showManualMode();
    }
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

void SettingsPage::checkSecurity(ControlId id) {
  for (ControlId radio : {kNoSecurity, kWep, kWpaPsk})
    controls_.setChecked(radio, radio == id);
}

void SettingsPage::checkEntryMode(EntryMode mode) {
  controls_.setChecked(kPassphraseEntry, mode == EntryMode::Passphrase);
  controls_.setChecked(kManualEntry, mode == EntryMode::Manual);
  entryMode_ = mode;
}

void SettingsPage::enableAll(std::initializer_list<ControlId> ids, bool enabled) {
  for (ControlId id : ids)
    controls_.enable(id, enabled);
}

void SettingsPage::showPassphraseMode() {
  checkEntryMode(EntryMode::Passphrase);
  enableAll({kPassphrase, kGenerationSize}, true);
  enableAll({kKey, kManualSize}, false);
}

void SettingsPage::showManualMode() {
  checkEntryMode(EntryMode::Manual);
  enableAll({kKey, kManualSize}, true);
  enableAll({kPassphrase, kGenerationSize}, false);
}

// The edit no longer holds a stored passphrase, so what is typed next shows in clear.
void SettingsPage::clearPassphraseEdit() {
  controls_.setText(kPassphrase, "");
  window_.setPasswordMask(kPassphrase, false);
  passphraseMasked_ = false;
}

void SettingsPage::clearPageKeys() {
  for (std::string& key : pageKeys_)
    SecureWipe(key);
  pageKeyLengths_.fill(0);
}

// Keys generated from a passphrase typed here are dropped; stored keys, which the page
// shows only as masks, stay: the key edit still shows the mask, and apply would otherwise
// store the WEP profile with no keys at all.
void SettingsPage::forgetGeneratedKeys() {
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    if (!IsMask(pageKeys_[k])) {
      SecureWipe(pageKeys_[k]);
      pageKeyLengths_[k] = 0;
    }
  }
}

// --- Control handlers ------------------------------------------------------------------

void SettingsPage::onCommand(ControlId id, ControlEvent event) {
  if (event == ControlEvent::Clicked) {
    switch (id) {
      case kSaveProfile:
        SaveProfile();
        return;
      case kDeleteProfile:
        DeleteProfile();
        return;
      case kAdvanced:
        onAdvancedSettings();
        return;
      case kAdHocSetup:
        onAdHocSettings();
        return;
      case kInfrastructure:
        onInfrastructure();
        return;
      case kAdHoc:
        onAdHoc();
        return;
      case kNoSecurity:
        onNoSecurity();
        return;
      case kWep:
        onWep();
        return;
      case kWpaPsk:
        onWpaPsk();
        return;
      case kPassphraseEntry:
        onPassphraseEntry();
        return;
      case kManualEntry:
        onManualEntry();
        return;
      case kSheetCancel:
        DiscardChanges();
        return;
      default:
        return;
    }
  }
  if (event == ControlEvent::SelectionChanged) {
    switch (id) {
      case kProfile:
        onProfileChosen();
        return;
      case kSsid:
        onSsidChosen();
        return;
      case kGenerationSize:
        onGenerationSize();
        return;
      case kManualSize:
        onManualSize();
        return;
      case kKeyNumber:
        onKeyNumber();
        return;
      default:
        return;
    }
  }
  if (event == ControlEvent::TextChanged) {
    switch (id) {
      case kProfile:
        onProfileTyped();
        return;
      case kSsid:
        markEdited();
        setModified();
        return;
      case kPassphrase:
        onPassphraseChanged();
        return;
      case kKey:
        onKeyChanged();
        return;
      default:
        return;
    }
  }
  if (event == ControlEvent::ListOpened && id == kSsid)
    onSsidListOpened();
}

void SettingsPage::onProfileChosen() {
  const int chosen = controls_.selectedListItem(kProfile);
  if (chosen < 0)
    return;
  selectedName_ = controls_.listItemText(kProfile, chosen);
  Reload();
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
  setModified();
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
    checkSecurity(kNoSecurity);
    enableAll({kPassphraseEntry, kManualEntry, kPassphraseLabel, kPassphrase, kKeyNumber, kKey,
               kGenerationSize, kManualSize, kAdvancedSecurity},
              false);
  } else if (network.security == ScannedSecurity::Dot1x) {
    checkSecurity(kWpaPsk);
    if (wpaSupported())
      controls_.enable(kAdvancedSecurity, true);
    enableAll({kPassphrase, kPassphraseLabel}, false);
  } else if (network.security == ScannedSecurity::PreSharedKey) {
    checkSecurity(kWpaPsk);
    enableAll({kAdvancedSecurity, kPassphrase, kPassphraseLabel}, true);
    checkEntryMode(EntryMode::Passphrase);
    clearPassphraseEdit();
    controls_.setText(kKey, "");
  } else {
    checkSecurity(kWep);
    controls_.enable(kAdvancedSecurity, false);
    clearPassphraseEdit();
    controls_.setText(kKey, "");
    enableAll({kKeyNumber, kPassphraseEntry, kManualEntry, kPassphraseLabel}, true);
    showPassphraseMode();
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
  controls_.enable(kSaveProfile, true);
  if (wpaSupported())
    controls_.enable(kWpaPsk, true);
  markEdited();
  setModified();
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
  checkSecurity(kNoSecurity);
  enableAll({kPassphraseEntry, kManualEntry, kPassphraseLabel, kPassphrase, kKeyNumber, kKey,
             kGenerationSize, kManualSize, kAdvancedSecurity},
            false);
  controls_.enable(kSaveProfile, true);
  markEdited();
  setModified();
}

void SettingsPage::onWep() {
  checkSecurity(kWep);
  enableAll({kManualSize, kPassphraseLabel, kPassphraseEntry, kManualEntry, kKeyNumber, kKey},
            true);
  controls_.enable(kAdvancedSecurity, false);
  clearPassphraseEdit();
  if (controls_.text(kKey).empty()) {
    showPassphraseMode();
  } else {
    showManualMode();
  }
  markEdited();
  setModified();
}

void SettingsPage::onWpaPsk() {
  if (wpaSupported())
    checkSecurity(kWpaPsk);
  clearPassphraseEdit();
  controls_.setText(kKey, "");
  checkEntryMode(EntryMode::Passphrase);
  enableAll({kPassphrase, kPassphraseLabel}, true);
  enableAll({kPassphraseEntry, kManualEntry, kKeyNumber, kKey, kGenerationSize, kManualSize},
            false);
  controls_.enable(kAdvancedSecurity, true);
  markEdited();
  setModified();
}

void SettingsPage::onPassphraseEntry() {
  if (entryMode_ == EntryMode::Manual) {
    clearPageKeys();
    controls_.setText(kKey, "");
  }
  checkEntryMode(EntryMode::Passphrase);
  controls_.selectListItem(kKeyNumber, 0);
  shownKey_ = 0;
  enableAll({kKeyNumber, kPassphraseLabel, kPassphrase, kGenerationSize}, true);
  controls_.focus(kPassphrase);
  window_.selectAllText(kPassphrase);
  enableAll({kKey, kManualSize}, false);
  controls_.selectListItem(kManualSize, controls_.selectedListItem(kGenerationSize));
  markEdited();
  setModified();
}

void SettingsPage::onManualEntry() {
  if (entryMode_ == EntryMode::Passphrase)
    forgetGeneratedKeys();
  checkEntryMode(EntryMode::Manual);
  clearPassphraseEdit();
  enableAll({kPassphrase, kPassphraseLabel, kGenerationSize}, false);
  enableAll({kKey, kManualSize}, true);
  controls_.focus(kKey);
  window_.selectAllText(kKey);
  controls_.selectListItem(kKeyNumber, 0);
  shownKey_ = 0;
  markEdited();
  setModified();
}

void SettingsPage::onGenerationSize() {
  clearPassphraseEdit();
  controls_.focus(kPassphrase);
  controls_.selectListItem(kManualSize, controls_.selectedListItem(kGenerationSize));
  markEdited();
  setModified();
}

void SettingsPage::onManualSize() {
  controls_.setText(kKey, "");
  controls_.focus(kKey);
  markEdited();
  setModified();
}

void SettingsPage::onPassphraseChanged() {
  std::string passphrase = controls_.text(kPassphrase);
  if (!IsMask(passphrase) && chosenSecurity() == Security::Wep) {
    AssignSecret(wepPassphrase_, passphrase);
    WepKeys keys = GenerateWepKeys(passphrase, generationSizeIndex());
    for (std::size_t k = 0; k < kWepKeyCount; ++k) {
      AssignSecret(pageKeys_[k], keys[k]);
      pageKeyLengths_[k] = static_cast<std::int32_t>(keys[k].size() / 2);
      SecureWipe(keys[k]);
    }
    controls_.setText(kKey, pageKeys_[keyNumber()]);
  }
  if (passphrase.empty()) {
    clearPageKeys();
    controls_.setText(kKey, "");
  }
  SecureWipe(passphrase);
  controls_.enable(kSaveProfile, true);
  setModified();
}

void SettingsPage::onKeyNumber() {
  const int chosen = controls_.selectedListItem(kKeyNumber);
  if (chosen < 0)
    return;
  const std::string typed = controls_.text(kKey);
  const WepKeySize& size = WepKeySizeAt(manualSizeIndex());
  if (!typed.empty() && !HasKeyLength(typed, manualSizeIndex()))
    services_.prompt.inform(size.lengthMessage);
  if (!IsKeyMask(typed)) {
    AssignSecret(pageKeys_[shownKey_], typed);
    pageKeyLengths_[shownKey_] = static_cast<std::int32_t>(typed.size() / 2);
  }
  shownKey_ = static_cast<std::size_t>(chosen) % kWepKeyCount;
  controls_.setText(kKey, pageKeys_[shownKey_]);
  const int keySize = ManualSizeOfKey(pageKeyLengths_[shownKey_]);
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
  controls_.selectListItem(kKeyNumber, static_cast<int>(shownKey_));
  return false;
}

bool SettingsPage::preTranslateKey(const KeyPress& key) {
  if (key.alt && key.letter == 'F') {
    onInfrastructure();
    return true;
  }
  if (key.alt && key.letter == 'S') {
    if (saveEnabled())
      SaveProfile();
    return true;
  }
  const bool typing = key.kind == KeyPress::Kind::Printable ||
                      key.kind == KeyPress::Kind::Backspace || key.kind == KeyPress::Kind::Delete;
  if (passphraseMasked_ && typing && !key.alt && !key.ctrl && key.target == kPassphrase) {
    SecureWipe(wepPassphrase_);
    clearPassphraseEdit();
  }
  return false;
}

// --- What the networks page asks ------------------------------------------------------

void SettingsPage::reload() {
  controls_.selectListItem(kProfile, -1);
  Reload();
  refreshProfileCombo();
}

void SettingsPage::chooseWep() {
  checkSecurity(kWep);
}

void SettingsPage::chooseWpaPskPassphrase() {
  checkEntryMode(EntryMode::Passphrase);
  checkSecurity(kWpaPsk);
}

void SettingsPage::showProfileName(const std::string& name) {
  controls_.setText(kProfile, name);
}

}  // namespace kestrel
