#pragma once
// Conversions between driver words and what the rest of the system shows or sends.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

inline constexpr std::int32_t kRssiFloor = -200;
inline constexpr std::int32_t kRssiCeiling = -10;
std::int32_t ClampRssi(std::int32_t dbm);

// Channel number and band letter ("A", "B", "G" or "T") of the channel word: centre
// frequency in bits 0..15, flags above.
struct ChannelNumberAndBand {
  std::uint32_t number = 0;
  const char* band = "";
};
ChannelNumberAndBand DecodeChannelWord(std::uint32_t channelInfo);

// "Ch: %2d(%s)" of the decoded channel word.
std::string ChannelText(std::uint32_t channelInfo);

// Two ASCII letters: first in bits 8..15, second in bits 0..7.
std::string CountryCodeText(std::uint32_t packed);
std::uint32_t PackCountryCode(std::string_view letters);

// Key bytes from hexadecimal key text: 5 for 10 characters, 13 for 26, 16 otherwise.
struct KeyBytes {
  std::array<std::uint8_t, 16> bytes{};
  std::size_t size = 0;
};
KeyBytes HexToKeyBytes(std::string_view text);

// "%02X:%02X:%02X:%02X:%02X:%02X".
std::string MacAddressText(const std::array<std::uint8_t, 6>& mac);

}  // namespace kestrel
