#include "activation/activation.h"

namespace kestrel {

bool ActivateWorkingProfile(ActivationTargets targets, const std::string& profileNameOfRecord) {
  WirelessProfile& current = targets.records.current;
  current = targets.records.working;
  targets.mirror.WriteDriverParameters(current);
  const bool pushed = ApplyConfiguration(targets.push, current);
  current.ConfigurationName = kVirtualProfileName;
  targets.store.SaveProfile(current, kVirtualProfileName);
  targets.store.SetSelectedConfigurationName(kVirtualProfileName);
  targets.store.SetConfigurationProfileName(profileNameOfRecord);
  return pushed;
}

}  // namespace kestrel
