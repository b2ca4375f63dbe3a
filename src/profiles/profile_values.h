#pragma once
// The stored form of one profile: its values in order, secrets enciphered, secret lengths
// in bits.

#include <string>
#include <vector>

#include "profiles/value_chain.h"
#include "profiles/wireless_profile.h"

namespace kestrel {

// Secret lengths are bounded by what the cipher holds; WEP keys by the largest key size.
inline constexpr std::int32_t kMaxWepKeyBytes = 16;
inline constexpr std::int32_t kMaxSecretBytes = 256;

// The value names WriteProfileValues writes, in its order.
const std::vector<const char*>& StoredProfileValueNames();

void WriteProfileValues(ValueWriter& out, WirelessProfile& profile, const std::string& cipherKey);
void ReadProfileValues(ValueReader& in, WirelessProfile& profile, const std::string& cipherKey);

// In place, so no copy of a key is left in freed memory.
void UpperCaseInPlace(std::string& text);

}  // namespace kestrel
