#pragma once
// In-memory registry: keys case-insensitive as on Windows, every open handle tracked,
// writes that can be told to fail.

#include <map>
#include <set>
#include <string>

#include "platform/registry.h"

namespace kestrel::fakes {

class FakeRegistry : public Registry {
 public:
  // Scripting.
  int failWriteNumber = 0;  // the Nth setValue (1-based) fails; 0 never
  // After this many changes (value writes and deletions, key deletions) every change fails,
  // as when the process is killed there; -1 never.
  int stopAfterChanges = -1;
  std::set<std::string> deniedKeys;     // lower-cased "hive\path" that cannot be opened
  std::set<std::string> queryOnlyKeys;  // lower-cased "hive\path" the user may only read

  // Observations.
  int openHandles() const { return static_cast<int>(open_.size()); }
  int writes = 0;
  int changes = 0;  // value writes and deletions, key deletions, tried or done
  std::vector<std::string> nullDaclKeys;  // "HKLM\path" as given
  std::vector<std::string> openedPaths;
  struct Write {
    std::string key;  // lower case, as hklm\a\b
    std::string name;
    RegistryValue value;
  };
  std::vector<Write> written;  // every successful setValue, in order

  // Direct access for arranging and checking.
  void putKey(RegistryHive hive, const std::string& path);
  void putValue(RegistryHive hive, const std::string& path, const std::string& name,
                const RegistryValue& value);
  bool hasKey(RegistryHive hive, const std::string& path) const;
  // Every value of one key by lower-cased name; empty when the key does not exist.
  std::map<std::string, RegistryValue> valuesOf(RegistryHive hive, const std::string& path) const;
  const RegistryValue* value(RegistryHive hive, const std::string& path,
                             const std::string& name) const;
  // Every key, value name, type and byte, in order: equal texts mean equal registries.
  std::string dump() const;

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

 private:
  struct Key {
    std::map<std::string, RegistryValue> values;  // by lower-cased name
  };
  static std::string normalize(RegistryHive hive, const std::string& path);
  static std::string lower(const std::string& text);

  std::map<std::string, Key> keys_;                // by normalized path
  std::map<RegistryKeyHandle, std::string> open_;  // handle -> normalized path
  std::set<RegistryKeyHandle> queryHandles_;       // opened for Query: no changes
  bool changeAllowed(RegistryKeyHandle key) const;
  bool stopped();  // counts one change; true once the process counts as killed
  RegistryKeyHandle nextHandle_ = 1;
};

}  // namespace kestrel::fakes
