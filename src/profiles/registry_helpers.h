#pragma once
// Value helpers over the registry port: each call opens (or creates) its sub-key and closes
// it again. An empty sub-key path means the root itself. True on success.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/os_kind.h"
#include "platform/registry.h"

namespace kestrel {

// Read capacity of a string value, terminating zero included.
inline constexpr std::size_t kStringReadCapacity = 259;

// REG_SZ with its terminating zero; the key is created with all missing parents.
bool RegWriteString(Registry& registry, RegistryHive root, const std::string& subKey,
                    const std::string& name, const std::string& text);
// A value of any type up to `capacity` bytes, as text up to its first zero and at most
// capacity - 1 bytes. Larger values fail. `text` is left alone on failure.
bool RegReadString(Registry& registry, RegistryHive root, const std::string& subKey,
                   const std::string& name, std::string& text,
                   std::size_t capacity = kStringReadCapacity);

bool RegWriteDword(Registry& registry, RegistryHive root, const std::string& subKey,
                   const std::string& name, std::int32_t number);
// A DWORD or binary value of at most 4 bytes, little-endian; a value held as text fails.
bool RegReadDword(Registry& registry, RegistryHive root, const std::string& subKey,
                  const std::string& name, std::int32_t& number);

// Decimal text ("%ld") everywhere but NT 4, which keeps a DWORD.
bool RegWriteNumber(Registry& registry, OsKind os, RegistryHive root, const std::string& subKey,
                    const std::string& name, std::int32_t number);
// Text is read base 10 (leading digits only, 0 when there are none; out-of-range values
// are clamped to 32 bits).
bool RegReadNumber(Registry& registry, OsKind os, RegistryHive root, const std::string& subKey,
                   const std::string& name, std::int32_t& number);

// Removes a key with all its subkeys; an empty path is refused.
bool RegDeleteTree(Registry& registry, RegistryHive root, const std::string& subKey);

}  // namespace kestrel
