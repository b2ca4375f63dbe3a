#pragma once
// Port: the Windows registry, one key opened and closed per call.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel {

enum class RegistryHive { LocalMachine, CurrentUser };

// Registry value types, with the Windows numbers.
enum class RegistryType : std::uint32_t { None = 0, String = 1, Binary = 3, Dword = 4 };

struct RegistryValue {
  RegistryType type = RegistryType::None;
  std::vector<std::uint8_t> data;
};

using RegistryKeyHandle = std::uintptr_t;

// What an opened key is for. A read asks for no more, so a key the user may read but not
// change still reads.
enum class RegistryAccess { Query, Full };

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key. False when it does not exist or the access is denied; a key
  // opened for Query refuses every change.
  virtual bool openKey(RegistryHive hive, const std::string& path, RegistryAccess access,
                       RegistryKeyHandle& key) = 0;
  // Opens the key, creating it and any missing parents.
  virtual bool createKey(RegistryHive hive, const std::string& path, RegistryKeyHandle& key) = 0;
  virtual void closeKey(RegistryKeyHandle key) = 0;
  // Reads a value of at most `maxBytes` bytes; false when missing or larger.
  virtual bool queryValue(RegistryKeyHandle key, const std::string& name, std::size_t maxBytes,
                          RegistryValue& value) = 0;
  // Stores exactly the given bytes (a string is not given a terminating NUL here).
  virtual bool setValue(RegistryKeyHandle key, const std::string& name,
                        const RegistryValue& value) = 0;
  virtual bool deleteValue(RegistryKeyHandle key, const std::string& name) = 0;
  // Removes the key with everything beneath it.
  virtual bool deleteTree(RegistryHive hive, const std::string& path) = 0;
  // Replaces the key's DACL with a null DACL: full access for everyone.
  virtual bool setNullDacl(RegistryKeyHandle key) = 0;
};

}  // namespace kestrel
