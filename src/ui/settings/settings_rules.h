#pragma once
// Small rules of the settings page that do not need its controls.

#include <string>
#include <string_view>

#include "profiles/wireless_profile.h"

namespace kestrel {

// Profile names and SSIDs the page lets the user type.
inline constexpr int kMaxNameCharacters = 32;

// ASCII letters compared without regard to case; other bytes exactly.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A stored key shown masked: '*' as many as a key of one of the sizes has digits.
bool IsKeyMask(std::string_view text);

// Every 802.1X and LEAP field emptied, with its length.
void ClearDot1xFields(WirelessProfile& profile);

// The message refusing `ssid` as an ad hoc network name.
std::string InvalidSsidMessage(const std::string& ssid);

}  // namespace kestrel
