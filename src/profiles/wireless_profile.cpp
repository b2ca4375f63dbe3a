#include "profiles/wireless_profile.h"

#include <algorithm>

namespace kestrel {

void ResetToDefaults(WirelessProfile& profile) {
  profile = WirelessProfile{};
}

bool ProfileList::contains(const std::string& name) const {
  return std::find(names_.begin(), names_.end(), name) != names_.end();
}

bool ProfileList::remove(const std::string& name) {
  const auto found = std::find(names_.begin(), names_.end(), name);
  if (found == names_.end())
    return false;
  names_.erase(found);
  return true;
}

}  // namespace kestrel
