#pragma once

#include "platform/os_kind.h"
#include "platform/system_version.h"

namespace kestrel {

enum class OsSupport { Supported, Unsupported };

// Classifies the system into `kind`. An NT version other than 4 and 5 leaves `kind` as it
// was; a platform outside the NT and 95 families is reported Unsupported (and leaves it too).
OsSupport ClassifyOs(const SystemVersionInfo& version, SystemKind& kind);

}  // namespace kestrel
