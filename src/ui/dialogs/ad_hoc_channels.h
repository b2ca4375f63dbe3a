#pragma once
// Ad hoc bands as the profile stores them, their band codes, and the conversion between
// channel numbers and the centre frequencies `AdHocChannel` holds.

#include <cstdint>

namespace kestrel {

inline constexpr std::int32_t kAdHocBand24Ghz = 0;
inline constexpr std::int32_t kAdHocBand5Ghz = 1;
inline constexpr std::int32_t kAdHocBandTurbo = 2;

// 0 -> 4, 1 -> 1, 2 -> 2, 3 -> 8; any other band has code 0 (no conversion).
std::uint32_t BandCode(std::int32_t adHocBand);
// MHz; 0 for channel 0 (automatic) and for a code without a conversion.
std::uint32_t FrequencyOfChannel(std::uint32_t channel, std::uint32_t code);
// Unsigned arithmetic as the driver's channel text has it: a frequency outside the band
// yields a channel no list offers.
std::uint32_t ChannelOfFrequency(std::uint32_t megahertz, std::uint32_t code);

}  // namespace kestrel
