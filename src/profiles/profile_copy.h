#pragma once
// Copying one stored profile's values from key to key, as exact bytes.

#include <string>

#include "platform/registry.h"

namespace kestrel {

enum class ProfileCopy {
  Copied,
  SourceIncomplete,  // a value could not be read; nothing was written
  WriteFailed,       // the target holds some values of each copy
};

// Every value is read before the first write, so a source that lost values leaves the
// target as it was.
ProfileCopy CopyProfileValues(Registry& registry, const std::string& fromKey,
                              const std::string& toKey);

}  // namespace kestrel
