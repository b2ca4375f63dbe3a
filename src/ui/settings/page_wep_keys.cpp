#include "ui/settings/page_wep_keys.h"

#include <algorithm>

#include "profiles/key_derivation.h"
#include "profiles/secure_wipe.h"
#include "ui/settings/settings_rules.h"

namespace kestrel {

PageWepKeys::~PageWepKeys() {
  clear();
  SecureWipe(passphrase_);
}

void PageWepKeys::load(const WirelessProfile& profile) {
  for (std::size_t k = 0; k < kWepKeyCount; ++k)
    AssignSecret(keys_[k], profile.SharedKey[k]);
  lengths_ = profile.SharedKeyLength;
  shown_ = profile.defaultKey >= 0 && profile.defaultKey < static_cast<std::int32_t>(kWepKeyCount)
               ? static_cast<std::size_t>(profile.defaultKey)
               : 0;
  if (EqualsIgnoringCase(keys_[shown_], kPlaceholderKey) && profile.EapSelection != kEapWpaPsk) {
    SecureWipe(keys_[shown_]);
    lengths_[shown_] = 0;
  }
  for (std::string& key : keys_)
    std::fill(key.begin(), key.end(), '*');
}

void PageWepKeys::generate(const std::string& passphrase, std::size_t sizeIndex) {
  rememberPassphrase(passphrase);
  WepKeys made = GenerateWepKeys(passphrase, sizeIndex);
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    AssignSecret(keys_[k], made[k]);
    lengths_[k] = static_cast<std::int32_t>(made[k].size() / 2);
    SecureWipe(made[k]);
  }
}

void PageWepKeys::keepTyped(const std::string& typed) {
  if (IsKeyMask(typed))
    return;
  AssignSecret(keys_[shown_], typed);
  lengths_[shown_] = static_cast<std::int32_t>(typed.size() / 2);
}

void PageWepKeys::clear() {
  for (std::string& key : keys_)
    SecureWipe(key);
  lengths_.fill(0);
}

void PageWepKeys::forgetGenerated() {
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    if (!IsMask(keys_[k])) {
      SecureWipe(keys_[k]);
      lengths_[k] = 0;
    }
  }
}

void PageWepKeys::rememberPassphrase(const std::string& passphrase) {
  AssignSecret(passphrase_, passphrase);
}

void PageWepKeys::forgetPassphrase() {
  SecureWipe(passphrase_);
}

void PageWepKeys::writeUnmaskedInto(WirelessProfile& profile) const {
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    if (!IsMask(keys_[k])) {
      profile.SharedKey[k] = keys_[k];
      profile.SharedKeyLength[k] = static_cast<std::int32_t>(keys_[k].size() / 2);
    }
  }
}

}  // namespace kestrel
