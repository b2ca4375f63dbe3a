#include "win32/win32_registry.h"

#include <windows.h>

namespace kestrel {

namespace {

HKEY RootOf(RegistryHive hive) {
  return hive == RegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

HKEY ToKey(RegistryKeyHandle key) {
  return reinterpret_cast<HKEY>(key);
}

RegistryKeyHandle FromKey(HKEY key) {
  return reinterpret_cast<RegistryKeyHandle>(key);
}

}  // namespace

bool Win32Registry::openKey(RegistryHive hive, const std::string& path, RegistryAccess access,
                            RegistryKeyHandle& key) {
  HKEY opened = nullptr;
  const REGSAM rights = access == RegistryAccess::Query ? KEY_QUERY_VALUE : KEY_ALL_ACCESS;
  if (RegOpenKeyExA(RootOf(hive), path.c_str(), 0, rights, &opened) != ERROR_SUCCESS) {
    return false;
  }
  key = FromKey(opened);
  return true;
}

bool Win32Registry::createKey(RegistryHive hive, const std::string& path, RegistryKeyHandle& key) {
  HKEY created = nullptr;
  if (RegCreateKeyExA(RootOf(hive), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  key = FromKey(created);
  return true;
}

void Win32Registry::closeKey(RegistryKeyHandle key) {
  RegCloseKey(ToKey(key));
}

bool Win32Registry::queryValue(RegistryKeyHandle key, const std::string& name, std::size_t maxBytes,
                               RegistryValue& value) {
  std::vector<std::uint8_t> data(maxBytes);
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(maxBytes);
  if (RegQueryValueExA(ToKey(key), name.c_str(), nullptr, &type, data.data(), &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  data.resize(size <= maxBytes ? size : maxBytes);
  value.type = static_cast<RegistryType>(type);
  value.data.swap(data);
  return true;
}

bool Win32Registry::setValue(RegistryKeyHandle key, const std::string& name,
                             const RegistryValue& value) {
  return RegSetValueExA(ToKey(key), name.c_str(), 0, static_cast<DWORD>(value.type),
                        value.data.data(), static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool Win32Registry::deleteValue(RegistryKeyHandle key, const std::string& name) {
  return RegDeleteValueA(ToKey(key), name.c_str()) == ERROR_SUCCESS;
}

// Depth first by hand: RegDeleteTree does not exist before Vista.
bool Win32Registry::deleteTree(RegistryHive hive, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(RootOf(hive), path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return false;
  }
  std::vector<std::string> children;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    children.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const std::string& child : children) {
    deleteTree(hive, path + "\\" + child);
  }
  return RegDeleteKeyA(RootOf(hive), path.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::setNullDacl(RegistryKeyHandle key) {
  SECURITY_DESCRIPTOR descriptor;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE)) {
    return false;
  }
  return RegSetKeySecurity(ToKey(key), DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
}

}  // namespace kestrel
