#include "fakes/fake_registry.h"

#include <algorithm>
#include <cctype>

namespace kestrel::fakes {

std::string FakeRegistry::lower(const std::string& text) {
  std::string result = text;
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

// "hklm\a\b": lower case, no empty components, so "A\\B\" and "a\b" are one key.
std::string FakeRegistry::normalize(RegistryHive hive, const std::string& path) {
  std::string result = hive == RegistryHive::LocalMachine ? "hklm" : "hkcu";
  std::string part;
  for (const char c : lower(path) + "\\") {
    if (c == '\\') {
      if (!part.empty())
        result += "\\" + part;
      part.clear();
    } else {
      part += c;
    }
  }
  return result;
}

void FakeRegistry::putKey(RegistryHive hive, const std::string& path) {
  std::string normalized = normalize(hive, path);
  // Parents exist too, as they would on Windows.
  for (std::size_t at = normalized.find('\\', 5); at != std::string::npos;
       at = normalized.find('\\', at + 1)) {
    keys_[normalized.substr(0, at)];
  }
  keys_[normalized];
}

void FakeRegistry::putValue(RegistryHive hive, const std::string& path, const std::string& name,
                            const RegistryValue& value) {
  putKey(hive, path);
  keys_[normalize(hive, path)].values[lower(name)] = value;
}

std::string FakeRegistry::dump() const {
  std::string text;
  for (const auto& [path, key] : keys_) {
    text += "[" + path + "]\n";
    for (const auto& [name, value] : key.values) {
      text += name + " type " + std::to_string(static_cast<std::uint32_t>(value.type)) + ":";
      for (const std::uint8_t byte : value.data)
        text += " " + std::to_string(byte);
      text += "\n";
    }
  }
  return text;
}

bool FakeRegistry::hasKey(RegistryHive hive, const std::string& path) const {
  return keys_.count(normalize(hive, path)) != 0;
}

std::map<std::string, RegistryValue> FakeRegistry::valuesOf(RegistryHive hive,
                                                            const std::string& path) const {
  const auto key = keys_.find(normalize(hive, path));
  return key == keys_.end() ? std::map<std::string, RegistryValue>() : key->second.values;
}

const RegistryValue* FakeRegistry::value(RegistryHive hive, const std::string& path,
                                         const std::string& name) const {
  const auto key = keys_.find(normalize(hive, path));
  if (key == keys_.end())
    return nullptr;
  const auto found = key->second.values.find(lower(name));
  return found == key->second.values.end() ? nullptr : &found->second;
}

bool FakeRegistry::openKey(RegistryHive hive, const std::string& path, RegistryAccess access,
                           RegistryKeyHandle& key) {
  openedPaths.push_back(path);
  const std::string normalized = normalize(hive, path);
  if (keys_.count(normalized) == 0 || deniedKeys.count(normalized) != 0)
    return false;
  if (access == RegistryAccess::Full && queryOnlyKeys.count(normalized) != 0)
    return false;
  key = nextHandle_++;
  open_[key] = normalized;
  if (access == RegistryAccess::Query)
    queryHandles_.insert(key);
  return true;
}

bool FakeRegistry::changeAllowed(RegistryKeyHandle key) const {
  return open_.count(key) != 0 && queryHandles_.count(key) == 0;
}

bool FakeRegistry::stopped() {
  ++changes;
  return stopAfterChanges >= 0 && changes > stopAfterChanges;
}

bool FakeRegistry::createKey(RegistryHive hive, const std::string& path, RegistryKeyHandle& key) {
  const std::string normalized = normalize(hive, path);
  if (deniedKeys.count(normalized) != 0 || queryOnlyKeys.count(normalized) != 0)
    return false;
  putKey(hive, path);
  key = nextHandle_++;
  open_[key] = normalized;
  return true;
}

void FakeRegistry::closeKey(RegistryKeyHandle key) {
  open_.erase(key);
  queryHandles_.erase(key);
}

bool FakeRegistry::queryValue(RegistryKeyHandle key, const std::string& name, std::size_t maxBytes,
                              RegistryValue& value) {
  const auto handle = open_.find(key);
  if (handle == open_.end())
    return false;
  const auto& values = keys_[handle->second].values;
  const auto found = values.find(lower(name));
  if (found == values.end() || found->second.data.size() > maxBytes)
    return false;
  value = found->second;
  return true;
}

bool FakeRegistry::setValue(RegistryKeyHandle key, const std::string& name,
                            const RegistryValue& value) {
  const auto handle = open_.find(key);
  if (handle == open_.end() || !changeAllowed(key))
    return false;
  ++writes;
  if (stopped() || writes == failWriteNumber)
    return false;
  keys_[handle->second].values[lower(name)] = value;
  written.push_back({handle->second, name, value});
  return true;
}

bool FakeRegistry::deleteValue(RegistryKeyHandle key, const std::string& name) {
  const auto handle = open_.find(key);
  if (handle == open_.end() || !changeAllowed(key) || stopped())
    return false;
  return keys_[handle->second].values.erase(lower(name)) != 0;
}

bool FakeRegistry::deleteTree(RegistryHive hive, const std::string& path) {
  const std::string normalized = normalize(hive, path);
  if (keys_.count(normalized) == 0 || stopped())
    return false;
  for (auto it = keys_.begin(); it != keys_.end();) {
    const bool beneath = it->first == normalized ||
                         it->first.compare(0, normalized.size() + 1, normalized + "\\") == 0;
    it = beneath ? keys_.erase(it) : std::next(it);
  }
  return true;
}

bool FakeRegistry::setNullDacl(RegistryKeyHandle key) {
  const auto handle = open_.find(key);
  if (handle == open_.end() || !changeAllowed(key))
    return false;
  nullDaclKeys.push_back(handle->second);
  return true;
}

}  // namespace kestrel::fakes
