#pragma once

#include <string>

#include "activation/configuration_push.h"
#include "profiles/driver_parameter_mirror.h"
#include "profiles/profile_store.h"
#include "profiles/wireless_profile.h"

namespace kestrel {

// Everything applying a profile touches.
struct ActivationTargets {
  ProfileRecords& records;
  DriverParameterMirror& mirror;
  PushTargets push;
  ProfileStore& store;
};

// Makes the working profile the applied one, after the calling page validated it:
// working copied into current, the driver mirror written (its result not checked), the
// push, "VirtualProfile" saved and selected, and `profileNameOfRecord` recorded as the
// configuration profile name. Returns the push's result. The page then shows the
// applying-settings popup and reloads, each page in its own order.
bool ActivateWorkingProfile(ActivationTargets targets, const std::string& profileNameOfRecord);

}  // namespace kestrel
