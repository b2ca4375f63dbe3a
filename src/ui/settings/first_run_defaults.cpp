#include "ui/settings/first_run_defaults.h"

namespace kestrel {

bool SaveFirstRunDefaults(ProfileStore& store) {
  WirelessProfile defaults;
  ResetToDefaults(defaults);
  const bool savedDefault = store.SaveProfile(defaults, kDefaultProfileName);
  const bool savedVirtual = store.SaveProfile(defaults, kVirtualProfileName);
  return savedDefault && savedVirtual;
}

}  // namespace kestrel
