#include "ui/dialogs/threshold_mapping.h"

#include <algorithm>

namespace kestrel {

namespace {

// Stored values come from the registry: computed wide, so that no value can overflow.
int ClampToSlider(std::int64_t position) {
  return static_cast<int>(
      std::clamp<std::int64_t>(position, kThresholdSliderMinimum, kThresholdSliderMaximum));
}

}  // namespace

// The top position means 2346; below it the value is 2p - 4, so the bottom label "256"
// stands for a stored 252.
int FragThresholdPosition(std::int32_t bytes) {
  if (bytes == kThresholdMaximumBytes)
    return kThresholdSliderMaximum;
  return ClampToSlider((static_cast<std::int64_t>(bytes) + 4) / 2);
}

std::int32_t FragThresholdBytes(int position) {
  if (position == kThresholdSliderMaximum)
    return kThresholdMaximumBytes;
  return 2 * position - 4;
}

int RtsThresholdPosition(std::int32_t bytes) {
  return ClampToSlider(bytes / 2);
}

std::int32_t RtsThresholdBytes(int position) {
  return 2 * position;
}

}  // namespace kestrel
