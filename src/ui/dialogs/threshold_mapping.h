#pragma once
// Slider positions of the two thresholds and the byte values the profile stores.

#include <cstdint>

namespace kestrel {

inline constexpr int kThresholdSliderMinimum = 128;
inline constexpr int kThresholdSliderMaximum = 1173;
inline constexpr std::int32_t kThresholdMaximumBytes = 2346;

// Positions come back inside the slider's range whatever the stored value was.
int FragThresholdPosition(std::int32_t bytes);
std::int32_t FragThresholdBytes(int position);
int RtsThresholdPosition(std::int32_t bytes);
std::int32_t RtsThresholdBytes(int position);

}  // namespace kestrel
