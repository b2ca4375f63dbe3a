#pragma once

#include <string>

#include "parameters/zadapter_info.h"
#include "platform/ndis_request_library.h"
#include "platform/os_kind.h"
#include "platform/registry.h"

namespace kestrel {

inline constexpr std::size_t kDriverParameterMaxBytes = 1024;

// Gives every user full access to a key under the local machine hive; failures ignored.
void OpenKeyToEveryone(Registry& registry, const std::string& keyPath);

// The adapter driver's parameter key (local machine hive), beneath which the profiles
// also live, and its string values.
class DriverParameters {
 public:
  DriverParameters(NdisRequestLibrary& library, Registry& registry, const SystemKind& system,
                   const AdapterIdentity& identity);

  // Recomputed on every call: the identity and the library's answer may have changed.
  std::string GetDriverParametersPath();
  // Leaves `value` as it was on failure.
  bool ReadDriverParameter(const std::string& name, std::string& value);
  // Written as REG_SZ without the terminating NUL.
  bool WriteDriverParameter(const std::string& name, const std::string& value);

 private:
  NdisRequestLibrary& library_;
  Registry& registry_;
  const SystemKind& system_;
  const AdapterIdentity& identity_;
};

}  // namespace kestrel
