#pragma once
// WEP keys from a passphrase, the rules for typed keys and passphrases, and the messages
// those rules show.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "profiles/wireless_profile.h"

namespace kestrel {

struct WepKeySize {
  const char* caption;
  std::int32_t keyBytes;
  std::int32_t hexDigits;
  std::int32_t storedBits;
  const char* lengthMessage;  // shown when a typed key has another digit count
};

// In the order of the key-size lists; the passphrase list offers the first two.
inline constexpr std::size_t kWepKeySizeCount = 3;
const WepKeySize& WepKeySizeAt(std::size_t listIndex);  // index past the end: the last size

using WepKeys = std::array<std::string, kWepKeyCount>;

// 64-bit keys: a linear congruential generator seeded from the passphrase bytes XOR-ed
// into four bytes, running on across the four keys.
WepKeys GenerateWepKeys64(std::string_view passphrase);
// 128-bit keys: MD5 of the passphrase repeated to 64 bytes; the four keys are equal.
WepKeys GenerateWepKeys128(std::string_view passphrase);
// By list index: 0 is 64-bit, 1 is 128-bit; an empty passphrase gives four empty keys, as
// does a size that has no generator.
WepKeys GenerateWepKeys(std::string_view passphrase, std::size_t listIndex);

// True for a non-empty text of '*' only: a stored key or passphrase shown masked.
bool IsMask(std::string_view text);
std::string MaskOf(std::size_t length);

// A typed key must have exactly the digit count of its size.
bool HasKeyLength(std::string_view keyText, std::size_t listIndex);
// Removes the first character that is not a hex digit; its position, or npos if none.
std::size_t RemoveFirstNonHexDigit(std::string& keyText);

inline constexpr std::size_t kMinWpaPassphrase = 8;
inline constexpr std::size_t kMaxWpaPassphrase = 63;
inline constexpr std::size_t kMaxPassphraseEdit = 63;
bool IsValidWpaPassphrase(std::string_view passphrase);
// The WPA-PSK settings of a profile with this passphrase.
void SetWpaPskPassphrase(WirelessProfile& profile, const std::string& passphrase);

bool IsValidWepPassphrase(std::string_view passphrase);

// The key an 802.1X profile with WEP carries: set as key 1 when the page has WPA-PSK
// chosen but the profile has neither WPA nor LEAP.
inline constexpr char kPlaceholderKey[] = "7c7c7c7c7c";
void ApplyPlaceholderKey(WirelessProfile& profile);

}  // namespace kestrel
