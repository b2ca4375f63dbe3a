#include "page_user.h"

#include "ctl_escaping.h"
#include "profiles/key_derivation.h"
#include "ui/information/information_page.h"
#include "ui/settings/settings_controls.h"

namespace kestrel::ctl {

using namespace settings_controls;

namespace {

// The manual key size whose digit count the key has; the nearest larger one otherwise,
// so that the page answers a wrong length with its own message.
int ManualSizeForKey(const std::string& key) {
  for (std::size_t i = 0; i < kWepKeySizeCount; ++i) {
    if (key.size() <= static_cast<std::size_t>(WepKeySizeAt(i).hexDigits))
      return static_cast<int>(i);
  }
  return static_cast<int>(kWepKeySizeCount) - 1;
}

}  // namespace

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

SettingsPageUser::SettingsPageUser(AppServices& services)
    : page_(services, controls_, surroundings_, surroundings_, surroundings_, surroundings_) {
  page_.OnInitDialog();
}

bool SettingsPageUser::click(ControlId id, std::string& why) {
  if (!controls_.enabled(id)) {
    why = "the settings page does not offer this now";
    return false;
  }
  page_.onCommand(id, ControlEvent::Clicked);
  return true;
}

bool SettingsPageUser::type(ControlId id, const std::string& text, std::string& why) {
  if (!controls_.enabled(id)) {
    why = "the settings page does not offer this now";
    return false;
  }
  const int limit = controls_.at(id).textLimit;
  if (limit > 0 && CharacterCount(text) > static_cast<std::size_t>(limit)) {
    why = "longer than the " + std::to_string(limit) + " characters the page takes";
    return false;
  }
  controls_.setText(id, text);
  page_.onCommand(id, ControlEvent::TextChanged);
  return true;
}

bool SettingsPageUser::choose(ControlId id, int index, std::string& why) {
  if (!controls_.enabled(id) || index < 0 || index >= controls_.listCount(id)) {
    why = "the settings page does not offer this now";
    return false;
  }
  controls_.selectListItem(id, index);
  page_.onCommand(id, ControlEvent::SelectionChanged);
  return true;
}

bool SettingsPageUser::enterNetwork(const NetworkChoice& choice, std::string& why) {
  // The network type first: ad hoc takes WPA-PSK away.
  if (!click(choice.adHoc ? kAdHoc : kInfrastructure, why)) {
    why = (choice.adHoc ? "ad hoc: " : "infrastructure: ") + why;
    return false;
  }
  if (!type(kSsid, choice.ssid, why)) {
    why = "SSID: " + why;
    return false;
  }
  if (choice.wepKey) {
    const bool entered = click(kWep, why) && click(kManualEntry, why) &&
                         choose(kManualSize, ManualSizeForKey(*choice.wepKey), why) &&
                         type(kKey, *choice.wepKey, why);
    if (!entered)
      why = "WEP key: " + why;
    return entered;
  }
  if (choice.passphrase) {
    const bool entered = click(kWpaPsk, why) && type(kPassphrase, *choice.passphrase, why);
    if (!entered) {
      why = choice.adHoc ? "WPA-PSK: not for ad hoc networks"
                         : "WPA-PSK: not offered without the 802.1X client";
    }
    return entered;
  }
  if (!click(kNoSecurity, why)) {
    why = "no security: " + why;
    return false;
  }
  return true;
}

bool SettingsPageUser::typeProfileName(const std::string& name, std::string& why) {
  if (!type(kProfile, name, why)) {
    why = "profile name: " + why;
    return false;
  }
  return true;
}

bool SettingsPageUser::chooseProfile(const std::string& name) {
  for (int i = 0; i < controls_.listCount(kProfile); ++i) {
    std::string why;
    if (controls_.listItemText(kProfile, i) == name)
      return choose(kProfile, i, why);
  }
  return false;
}

bool SettingsPageUser::save() {
  return page_.saveProfile();
}

bool SettingsPageUser::apply() {
  return page_.apply();
}

IdentityFields ReadIdentityFields(AppServices& services, const std::string& releaseDate) {
  WindowlessPage surroundings;
  MemoryControls controls;
  InformationPage page(services, surroundings, surroundings, releaseDate);
  page.OnInitDialog(controls);
  page.OnDestroy();

  IdentityFields fields;
  std::string code;
  if (ReadRegionCode(services.adapter, services.parameters, code))
    fields.countryCode = code;
  fields.region = Trimmed(controls.text(kRegionId));
  fields.macAddress = Trimmed(controls.text(kMacAddressId));
  fields.ipAddress = Trimmed(controls.text(kIpAddressId));
  fields.driverVersion = Trimmed(controls.text(kDriverVersionId));
  fields.driverDate = Trimmed(controls.text(kDriverDateId));
  fields.utilityVersion = Trimmed(controls.text(kUtilityVersionId));
  fields.utilityDate = Trimmed(controls.text(kUtilityDateId));
  return fields;
}

}  // namespace kestrel::ctl
