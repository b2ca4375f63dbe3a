// Validation, saving, deleting and applying: what the settings page writes.
#include "activation/activation.h"
#include "profiles/key_derivation.h"
#include "profiles/profile_messages.h"
#include "profiles/profile_store.h"
#include "profiles/secure_wipe.h"
#include "ui/settings/settings_controls.h"
#include "ui/settings/settings_page.h"
#include "ui/settings/settings_rules.h"
#include "ui/settings/settings_texts.h"

namespace kestrel {

using namespace settings_controls;

namespace {

bool IsHexDigits(const std::string& text) {
  std::string copy = text;
  return RemoveFirstNonHexDigit(copy) == std::string::npos;
}

}  // namespace

// Fills the working profile from the controls; stops at the first refusal, whose message
// has then been shown.
bool SettingsPage::validate() {
  return validatePassphrase() && validateNetworkName() && validateKeys() && validateSecurity();
}

bool SettingsPage::validatePassphrase() {
  WirelessProfile& profile = working();
  const std::string passphrase = controls_.text(kPassphrase);
  const bool passphraseEntry = controls_.checked(kPassphraseEntry);
  const Security security = chosenSecurity();
  if (security == Security::Wep && passphraseEntry) {
    if (!IsValidWepPassphrase(passphrase)) {
      services_.prompt.inform(kWepPassphraseLengthMessage);
      return false;
    }
    keys_.rememberPassphrase(passphrase);
    AssignSecret(profile.wepPassphrase, passphrase);
    profile.PHlength = static_cast<std::int32_t>(passphrase.size());
  } else if (security == Security::WpaPsk && passphraseEntry) {
    if (!IsValidWpaPassphrase(passphrase)) {
      services_.prompt.inform(kWpaPassphraseLengthMessage);
      clearPassphraseEdit();
      return false;
    }
    SetWpaPskPassphrase(profile, passphrase);
    // Typed passphrases are text; a hex flag left from a stored profile would make the
    // store read this text as hex digits.
    profile.HexEntryPp = 0;
  } else {
    keys_.forgetPassphrase();
    SecureWipe(profile.wepPassphrase);
    profile.PHlength = 0;
  }
  return true;
}

bool SettingsPage::validateNetworkName() {
  WirelessProfile& profile = working();
  std::string ssid = controls_.text(kSsid);
  if (networkType_ == 0) {
    if (EqualsIgnoringCase(ssid, settings_texts::kAnyNetwork))
      ssid = settings_texts::kAnyNetworkName;
  } else {
    if (ssid.empty()) {
      services_.prompt.inform(settings_texts::kAdHocSsidEmptyMessage);
      return false;
    }
    if (EqualsIgnoringCase(ssid, settings_texts::kAnyNetworkName) ||
        EqualsIgnoringCase(ssid, settings_texts::kAnyNetwork)) {
      services_.prompt.inform(InvalidSsidMessage(ssid));
      return false;
    }
  }
  profile.NetworkName = ssid;
  profile.NetworkConnectionType = networkType_ + 1;
  return true;
}

bool SettingsPage::validateKeys() {
  WirelessProfile& profile = working();
  const std::size_t sizeIndex = manualSizeIndex();
  const WepKeySize& size = WepKeySizeAt(sizeIndex);
  const std::size_t number = keyNumber();
  profile.defaultKey = static_cast<std::int32_t>(number);
  if (chosenSecurity() != Security::Wep) {
    for (std::size_t k = 0; k < kWepKeyCount; ++k) {
      profile.SharedKey[k].clear();
      profile.SharedKeyLength[k] = 0;
    }
    return true;
  }
  const std::string typed = controls_.text(kKey);
  // A key that is neither the stored key's mask nor hex digits (a mask partly typed over)
  // would be stored as it stands.
  if (!HasKeyLength(typed, sizeIndex) || (!IsKeyMask(typed) && !IsHexDigits(typed))) {
    services_.prompt.inform(size.lengthMessage);
    return false;
  }
  keys_.writeUnmaskedInto(profile);
  if (!IsKeyMask(typed)) {
    profile.SharedKey[number] = typed;
    profile.SharedKeyLength[number] = size.keyBytes;
  }
  return true;
}

bool SettingsPage::validateSecurity() {
  WirelessProfile& profile = working();
  const Security security = chosenSecurity();
  switch (security) {
    case Security::None:
    case Security::Wep:
      profile.EapSelection = 0;
      profile.AdvancedAuthenticationType = security == Security::Wep ? 3 : 0;
      profile.EncryptionAlg = security == Security::Wep ? 1 : 0;
      profile.WPA = 0;
      ClearDot1xFields(profile);
      profile.Passphrase.clear();
      profile.PassphraseLength = 0;
      break;
    case Security::WpaPsk:
      if (profile.EapSelection == 0 || (profile.EapSelection == kEapWpaPsk && profile.WPA == 0)) {
        profile.EapSelection = kEapWpaPsk;
        profile.AdvancedAuthenticationType = 5;
        profile.EncryptionAlg = 6;
        profile.WPA = 1;
        ClearDot1xFields(profile);
        if (profile.PassphraseLength == 0) {
          services_.prompt.inform(kWpaPassphraseLengthMessage);
          return false;
        }
      }
      ApplyPlaceholderKey(profile);
      break;
  }
  profile.EnableSecurity = security == Security::None ? 0 : security == Security::Wep ? 1 : 2;
  return true;
}

bool SettingsPage::saveProfile() {
  const std::string typed = controls_.text(kProfile);
  if (EqualsIgnoringCase(typed, "NEW PROFILE")) {
    services_.prompt.inform(settings_texts::kEnterNewProfileNameMessage);
    controls_.focus(kProfile);
    return false;
  }
  if (typed.empty()) {
    services_.prompt.inform(settings_texts::kEnterProfileNameMessage);
    controls_.focus(kProfile);
    return false;
  }
  if (EqualsIgnoringCase(selectedName_, kDefaultProfileName)) {
    services_.prompt.inform(settings_texts::kCannotSaveDefaultMessage);
    enableAll({kSaveProfile, kDeleteProfile}, false);
    return false;
  }
  controls_.enable(kSaveProfile, false);
  controls_.enable(kDeleteProfile, true);
  const std::string name = selectedName_;
  working().ConfigurationName = name;
  // A refused validation leaves the edits unsaved, so Save stays offered.
  if (!validate() || !services_.store.SaveProfile(working(), name)) {
    controls_.enable(kSaveProfile, true);
    return false;
  }
  refreshProfileCombo();
  services_.store.SetConfigurationProfileName(name);
  selectedName_ = name;
  controls_.setText(kProfile, name);
  controls_.enable(kSaveProfile, false);
  return true;
}

void SettingsPage::deleteProfile() {
  if (controls_.text(kProfile).empty()) {
    services_.prompt.inform(settings_texts::kSelectProfileToDeleteMessage);
    controls_.focus(kProfile);
    return;
  }
  if (selectedName_ == kDefaultProfileName) {
    services_.prompt.inform(settings_texts::kCannotDeleteDefaultMessage);
    enableAll({kSaveProfile, kDeleteProfile}, false);
    return;
  }
  services_.store.DeleteProfile(selectedName_);
  refreshProfileCombo();
  loadChosenProfile();
}

bool SettingsPage::apply() {
  if (!validate())
    return false;
  const std::string nameOfRecord = saveEnabled() ? settings_texts::kNewProfile : selectedName_;
  lastPushAccepted_ = ActivateWorkingProfile(services_.activationTargets(), nameOfRecord);
  sheet_.showApplyingPopup();
  controls_.selectListItem(kProfile, -1);
  loadChosenProfile();
  refreshProfileCombo();
  return true;
}

void SettingsPage::discardChanges() {
  controls_.selectListItem(kProfile, -1);
  loadChosenProfile();
  window_.setPageModified(false);
}

}  // namespace kestrel
