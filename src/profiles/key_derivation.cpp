#include "profiles/key_derivation.h"

#include <algorithm>

#include "profiles/hex_text.h"
#include "profiles/md5.h"
#include "profiles/profile_messages.h"
#include "profiles/secure_wipe.h"
#include "profiles/wiped_bytes.h"

namespace kestrel {

namespace {

constexpr WepKeySize kSizes[kWepKeySizeCount] = {
    {"64 Bit", 5, 10, 40, kKeyLength10Message},
    {"128 Bit", 13, 26, 104, kKeyLength26Message},
    {"152 Bit", 16, 32, 128, kKeyLength32Message},
};

constexpr std::size_t kGeneratedBytes64 = 5;
constexpr std::size_t kGeneratedBytes128 = 13;
constexpr std::size_t kMd5InputBytes = 64;

}  // namespace

const WepKeySize& WepKeySizeAt(std::size_t listIndex) {
  return kSizes[std::min(listIndex, kWepKeySizeCount - 1)];
}

// The seed, the generator's state and the digest give the keys away, so all are wiped.
WepKeys GenerateWepKeys64(std::string_view passphrase) {
  WipedBytes<4> seed;
  for (std::size_t i = 0; i < passphrase.size(); ++i) {
    seed[i % 4] ^= static_cast<std::uint8_t>(passphrase[i]);
  }
  std::uint32_t x = static_cast<std::uint32_t>(seed[0]) | static_cast<std::uint32_t>(seed[1]) << 8 |
                    static_cast<std::uint32_t>(seed[2]) << 16 |
                    static_cast<std::uint32_t>(seed[3]) << 24;
  WepKeys keys;
  WipedBytes<kGeneratedBytes64> bytes;
  for (std::string& key : keys) {
    for (std::size_t j = 0; j < bytes.size(); ++j) {
      x = x * 214013u + 2531011u;
      bytes[j] = static_cast<std::uint8_t>(x >> 16);
    }
    AppendHexText(key, bytes.data(), bytes.size(), true);
  }
  SecureWipe(&x, sizeof x);
  return keys;
}

WepKeys GenerateWepKeys128(std::string_view passphrase) {
  WepKeys keys;
  if (passphrase.empty())
    return keys;
  WipedBytes<kMd5InputBytes> repeated;
  for (std::size_t i = 0; i < repeated.size(); ++i) {
    repeated[i] = static_cast<std::uint8_t>(passphrase[i % passphrase.size()]);
  }
  Md5Digest digest = ComputeMd5({reinterpret_cast<const char*>(repeated.data()), repeated.size()});
  for (std::string& key : keys) {
    AppendHexText(key, digest.data(), kGeneratedBytes128, true);
  }
  SecureWipe(digest.data(), digest.size());
  return keys;
}

WepKeys GenerateWepKeys(std::string_view passphrase, std::size_t listIndex) {
  if (passphrase.empty())
    return {};
  if (listIndex == 0)
    return GenerateWepKeys64(passphrase);
  if (listIndex == 1)
    return GenerateWepKeys128(passphrase);
  return {};
}

bool IsMask(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c == '*'; });
}

std::string MaskOf(std::size_t length) {
  return std::string(length, '*');
}

bool HasKeyLength(std::string_view keyText, std::size_t listIndex) {
  return keyText.size() == static_cast<std::size_t>(WepKeySizeAt(listIndex).hexDigits);
}

std::size_t RemoveFirstNonHexDigit(std::string& keyText) {
  const auto found =
      std::find_if(keyText.begin(), keyText.end(), [](char c) { return HexDigitValue(c) < 0; });
  if (found == keyText.end())
    return std::string::npos;
  const auto at = static_cast<std::size_t>(found - keyText.begin());
  keyText.erase(found);
  return at;
}

bool IsValidWpaPassphrase(std::string_view passphrase) {
  return passphrase.size() >= kMinWpaPassphrase && passphrase.size() <= kMaxWpaPassphrase;
}

void SetWpaPskPassphrase(WirelessProfile& profile, const std::string& passphrase) {
  profile.WPA = 1;
  profile.AdvancedAuthenticationType = 5;
  profile.EncryptionAlg = 6;
  profile.EapSelection = kEapWpaPsk;
  profile.Passphrase = passphrase;
  profile.PassphraseLength = static_cast<std::int32_t>(passphrase.size());
}

bool IsValidWepPassphrase(std::string_view passphrase) {
  return !passphrase.empty();
}

void ApplyPlaceholderKey(WirelessProfile& profile) {
  if (profile.WPA != 0 || profile.leapEnabled != 0)
    return;
  profile.SharedKey[0] = kPlaceholderKey;
  profile.SharedKeyLength[0] = 5;
}

}  // namespace kestrel
