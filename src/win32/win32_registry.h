#pragma once

#include "platform/registry.h"

namespace kestrel {

// The registry through the ANSI functions: core texts are in the system code page.
class Win32Registry : public Registry {
 public:
  bool openKey(RegistryHive hive, const std::string& path, RegistryAccess access,
               RegistryKeyHandle& key) override;
  bool createKey(RegistryHive hive, const std::string& path, RegistryKeyHandle& key) override;
  void closeKey(RegistryKeyHandle key) override;
  bool queryValue(RegistryKeyHandle key, const std::string& name, std::size_t maxBytes,
                  RegistryValue& value) override;
  bool setValue(RegistryKeyHandle key, const std::string& name,
                const RegistryValue& value) override;
  bool deleteValue(RegistryKeyHandle key, const std::string& name) override;
  bool deleteTree(RegistryHive hive, const std::string& path) override;
  bool setNullDacl(RegistryKeyHandle key) override;
};

}  // namespace kestrel
