#include "ui/dialogs/ad_hoc_channels.h"

namespace kestrel {

namespace {

bool Is5GhzCode(std::uint32_t code) {
  return code == 1 || code == 2;
}

bool Is24GhzCode(std::uint32_t code) {
  return code == 4 || code == 8 || code == 16;
}

}  // namespace

std::uint32_t BandCode(std::int32_t adHocBand) {
  switch (adHocBand) {
    case 0:
      return 4;
    case 1:
      return 1;
    case 2:
      return 2;
    case 3:
      return 8;
    default:
      return 0;
  }
}

std::uint32_t FrequencyOfChannel(std::uint32_t channel, std::uint32_t code) {
  if (channel == 0)
    return 0;
  if (Is5GhzCode(code))
    return channel * 5 + 5000;
  if (Is24GhzCode(code)) {
    if (channel == 14)
      return 2484;
    return channel > 14 ? channel * 20 + 2212 : channel * 5 + 2407;
  }
  return 0;
}

std::uint32_t ChannelOfFrequency(std::uint32_t megahertz, std::uint32_t code) {
  if (megahertz == 0)
    return 0;
  if (Is5GhzCode(code))
    return (megahertz - 5000) / 5;
  if (Is24GhzCode(code)) {
    if (megahertz == 2484)
      return 14;
    return megahertz < 2484 ? (megahertz - 2407) / 5 : (megahertz - 2512) / 20 + 15;
  }
  return 0;
}

}  // namespace kestrel
