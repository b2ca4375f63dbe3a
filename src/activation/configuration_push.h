#pragma once

#include "adapter/adapter.h"
#include "dot1x/dot1x_client.h"
#include "parameters/driver_parameters.h"
#include "platform/os_kind.h"
#include "profiles/wireless_profile.h"

namespace kestrel {

// What a push talks to.
struct PushTargets {
  Adapter& adapter;
  Dot1xClient& dot1x;
  DriverParameters& parameters;
  const SystemKind& system;
};

// Sends the whole profile to the driver in its fixed order. False at the first step that
// may not fail; what was sent before stays in effect. The region-narrowed wireless-mode
// mask is written back into `profile`.
bool ApplyConfiguration(PushTargets targets, WirelessProfile& profile);

// The fallback for an empty WEP key text: 32 hex digits, 16 bytes.
inline constexpr char kFallbackWepKey[] = "0f1e2d3c4b5a69788796a5b4c3d2e1f0";

// The wireless-mode mask the region "ccode" allows.
std::int32_t NarrowNetBandForRegion(const std::string& countryCode, std::int32_t netBand);

}  // namespace kestrel
