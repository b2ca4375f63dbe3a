#pragma once
// What the networks, statistics and information pages do alike.

#include <string_view>

#include "platform/control_surface.h"

namespace kestrel {

class DriverParameters;

// The adapter choice every page shows beside "選択されたアダプタ：".
inline constexpr ControlId kAdapterChoiceId = 1097;

// Empties the adapter choice; when the driver's "DriverDesc" can be read it becomes the
// only entry, selected.
void FillAdapterChoice(ControlSurface& controls, DriverParameters& parameters);

// A key message as the page sees it before its controls do.
struct PageKey {
  bool altDown = false;
  unsigned virtualKey = 0;  // 'A'..'Z' for letters
};

// Keys a page swallows while Alt is down (the sheet's mnemonics would act on them).
inline constexpr std::string_view kNetworksSwallowedKeys = "AL";
inline constexpr std::string_view kStatisticsSwallowedKeys = "ALNS";
inline constexpr std::string_view kInformationSwallowedKeys = "ALNS";

bool SwallowsKey(std::string_view swallowedLetters, const PageKey& key);

}  // namespace kestrel
