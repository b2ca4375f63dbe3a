#include "adapter/oid_conversions.h"

#include <cstdio>

namespace kestrel {

namespace {

constexpr std::uint32_t kFlagTurbo = 0x0100;
constexpr std::uint32_t kFlagOfdm24 = 0x0400;

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

bool IsCLocaleSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One pair read as the C library's base-16 conversion reads it: leading white space, an
// optional sign, then digits until the first non-digit; the result keeps its low byte,
// so "-5" gives 0xFB. Stored keys were converted this way, and the driver must get the
// same bytes for the same text. A NUL ends the text as it ends a C string.
std::uint8_t PairValue(std::string_view text, std::size_t at) {
  const std::string_view pair = at < text.size() ? text.substr(at, 2) : std::string_view();
  const std::string_view digits = pair.substr(0, pair.find('\0'));
  std::size_t i = 0;
  while (i < digits.size() && IsCLocaleSpace(digits[i]))
    ++i;
  const bool negative = i < digits.size() && digits[i] == '-';
  if (i < digits.size() && (digits[i] == '-' || digits[i] == '+'))
    ++i;
  unsigned value = 0;
  for (; i < digits.size(); ++i) {
    const int digit = HexDigit(digits[i]);
    if (digit < 0)
      break;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<std::uint8_t>(negative ? 0u - value : value);
}

}  // namespace

std::int32_t ClampRssi(std::int32_t dbm) {
  if (dbm < kRssiFloor)
    return kRssiFloor;
  if (dbm > kRssiCeiling)
    return kRssiCeiling;
  return dbm;
}

ChannelNumberAndBand DecodeChannelWord(std::uint32_t channelInfo) {
  const std::uint32_t mhz = channelInfo & 0xFFFF;
  const std::uint32_t flags = channelInfo >> 16;
  const bool turbo = (flags & kFlagTurbo) != 0;
  ChannelNumberAndBand decoded;
  if (mhz <= 5000) {
    decoded.band = (flags & kFlagOfdm24) != 0 ? (turbo ? "T" : "G") : "B";
    if (mhz == 2484) {
      decoded.number = 14;
    } else if (mhz < 2484) {
      decoded.number = (mhz - 2407) / 5;  // unsigned, as the driver's numbers are
    } else {
      decoded.number = (mhz - 2512) / 20 + 15;
    }
  } else {
    decoded.band = turbo ? "T" : "A";
    decoded.number = (mhz - 5000) / 5;
  }
  return decoded;
}

std::string ChannelText(std::uint32_t channelInfo) {
  const ChannelNumberAndBand decoded = DecodeChannelWord(channelInfo);
  char text[32];
  std::snprintf(text, sizeof text, "Ch: %2d(%s)", static_cast<int>(decoded.number), decoded.band);
  return text;
}

std::string CountryCodeText(std::uint32_t packed) {
  const char letters[3] = {static_cast<char>((packed >> 8) & 0xFF),
                           static_cast<char>(packed & 0xFF), '\0'};
  return letters;
}

std::uint32_t PackCountryCode(std::string_view letters) {
  const auto letter = [&](std::size_t i) -> std::uint32_t {
    return i < letters.size() ? static_cast<std::uint8_t>(letters[i]) : 0u;
  };
  return (letter(0) << 8) | letter(1);
}

KeyBytes HexToKeyBytes(std::string_view text) {
  KeyBytes key;
  key.size = text.size() == 10 ? 5 : text.size() == 26 ? 13 : 16;
  for (std::size_t i = 0; i < key.size; ++i) {
    key.bytes[i] = PairValue(text, 2 * i);
  }
  return key;
}

std::string MacAddressText(const std::array<std::uint8_t, 6>& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

}  // namespace kestrel
