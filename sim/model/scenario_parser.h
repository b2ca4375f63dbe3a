#pragma once
// Scenario files: the adapter's facts, then one block per network (format in README.md).

#include <string>
#include <string_view>

#include "model/scenario.h"

namespace kestrel::sim {

// Parses `text` into `scenario`. On a malformed line returns false with `error` naming the
// line ("line 7: ...") and leaves `scenario` unchanged.
bool ParseScenario(std::string_view text, Scenario& scenario, std::string& error);

}  // namespace kestrel::sim
