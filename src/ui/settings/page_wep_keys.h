#pragma once
// The settings page's four WEP keys: stored keys held only as their masks, keys made from
// a passphrase or typed on the page as hex digits. Every copy is wiped when it is replaced,
// dropped or the keys go.

#include <array>
#include <cstdint>
#include <string>

#include "profiles/wireless_profile.h"

namespace kestrel {

class PageWepKeys {
 public:
  PageWepKeys() = default;
  ~PageWepKeys();
  PageWepKeys(const PageWepKeys&) = delete;
  PageWepKeys& operator=(const PageWepKeys&) = delete;

  // Takes the profile's keys and shows its default key (key 1 when out of range). The
  // placeholder key is dropped unless the profile is WPA-PSK, which stores it in key 1.
  // The keys are then masked in place, so no copy of their digits is freed unwiped.
  void load(const WirelessProfile& profile);
  // Four keys made from `passphrase` in the size of `sizeIndex` (0 64-bit, 1 128-bit); the
  // typed passphrase is kept with them.
  void generate(const std::string& passphrase, std::size_t sizeIndex);
  // A key typed into the key edit becomes the shown key; a mask leaves the key as it is.
  void keepTyped(const std::string& typed);
  // Empties every key.
  void clear();
  // Keys made or typed here go; stored keys, which the page has only as masks, stay.
  void forgetGenerated();
  void rememberPassphrase(const std::string& passphrase);
  void forgetPassphrase();

  // Copies the keys that are not masks into `profile`, with their lengths.
  void writeUnmaskedInto(WirelessProfile& profile) const;

  std::size_t shown() const { return shown_; }
  void show(std::size_t index) { shown_ = index % kWepKeyCount; }
  const std::string& key(std::size_t index) const { return keys_[index % kWepKeyCount]; }
  const std::string& shownKey() const { return keys_[shown_]; }
  std::int32_t shownLength() const { return lengths_[shown_]; }  // bytes

 private:
  std::array<std::string, kWepKeyCount> keys_;  // hex digits or the mask
  std::array<std::int32_t, kWepKeyCount> lengths_{};
  std::size_t shown_ = 0;
  std::string passphrase_;
};

}  // namespace kestrel
