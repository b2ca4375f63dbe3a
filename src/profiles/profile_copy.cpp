#include "profiles/profile_copy.h"

#include <vector>

#include "platform/registry_key.h"
#include "profiles/profile_values.h"

namespace kestrel {

namespace {

constexpr RegistryHive kRoot = RegistryHive::LocalMachine;
// Far above any value the store writes; a larger one is not a profile value.
constexpr std::size_t kValueCapacity = 4096;

}  // namespace

ProfileCopy CopyProfileValues(Registry& registry, const std::string& fromKey,
                              const std::string& toKey) {
  const std::vector<const char*>& names = StoredProfileValueNames();
  std::vector<RegistryValue> values(names.size());
  {
    ScopedRegistryKey from(registry);
    if (!from.open(kRoot, fromKey, RegistryAccess::Query))
      return ProfileCopy::SourceIncomplete;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (!registry.queryValue(from.get(), names[i], kValueCapacity, values[i]))
        return ProfileCopy::SourceIncomplete;
    }
  }
  ScopedRegistryKey to(registry);
  if (!to.create(kRoot, toKey))
    return ProfileCopy::WriteFailed;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!registry.setValue(to.get(), names[i], values[i]))
      return ProfileCopy::WriteFailed;
  }
  return ProfileCopy::Copied;
}

}  // namespace kestrel
