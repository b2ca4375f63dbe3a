#include "activation/first_run_defaults.h"

namespace kestrel {

bool SaveFirstRunDefaults(ProfileStore& store) {
  WirelessProfile defaults;
  ResetToDefaults(defaults);
  const bool savedDefault = store.SaveProfile(defaults, kDefaultProfileName);
  // Settings applied before the utility's first start (a deployment's kestrelctl) are the
  // ones to come back; only a missing or partly stored record takes the defaults.
  WirelessProfile applied;
  if (store.LoadProfile(applied, kVirtualProfileName))
    return savedDefault;
  const bool savedVirtual = store.SaveProfile(defaults, kVirtualProfileName);
  return savedDefault && savedVirtual;
}

}  // namespace kestrel
