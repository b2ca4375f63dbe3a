#pragma once

#include "profiles/profile_store.h"

namespace kestrel {

// The first run after the driver was installed: a defaults record saved as "Default" and
// then as "VirtualProfile" (the store finds the driver parameters key afresh at each
// call). A whole "VirtualProfile" already stored since then is kept. True when both
// were saved or kept.
bool SaveFirstRunDefaults(ProfileStore& store);

}  // namespace kestrel
