#pragma once
// The simulated adapter's state as "key: value" lines a script can read.

#include <string>

#include "model/shared_adapter_state.h"

namespace kestrel::sim {

std::string StatusReport(const SharedAdapterState& state);

}  // namespace kestrel::sim
