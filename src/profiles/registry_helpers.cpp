#include "profiles/registry_helpers.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/registry_key.h"

namespace kestrel {

namespace {

bool WriteValue(Registry& registry, RegistryHive root, const std::string& subKey,
                const std::string& name, const RegistryValue& value) {
  ScopedRegistryKey key(registry);
  return key.create(root, subKey) && registry.setValue(key.get(), name, value);
}

bool ReadValue(Registry& registry, RegistryHive root, const std::string& subKey,
               const std::string& name, std::size_t capacity, RegistryValue& value) {
  ScopedRegistryKey key(registry);
  return key.open(root, subKey, RegistryAccess::Query) &&
         registry.queryValue(key.get(), name, capacity, value);
}

std::int32_t ParseDecimal(const std::string& text) {
  errno = 0;
  const long parsed = std::strtol(text.c_str(), nullptr, 10);
  if (errno == ERANGE || parsed > INT32_MAX)
    return parsed < 0 ? INT32_MIN : INT32_MAX;
  return static_cast<std::int32_t>(std::max<long>(parsed, INT32_MIN));
}

}  // namespace

bool RegWriteString(Registry& registry, RegistryHive root, const std::string& subKey,
                    const std::string& name, const std::string& text) {
  return WriteValue(registry, root, subKey, name, RegistryStringValue(text, true));
}

bool RegReadString(Registry& registry, RegistryHive root, const std::string& subKey,
                   const std::string& name, std::string& text, std::size_t capacity) {
  RegistryValue value;
  if (!ReadValue(registry, root, subKey, name, capacity, value))
    return false;
  std::string read = RegistryValueText(value);
  if (capacity > 0 && read.size() > capacity - 1)
    read.resize(capacity - 1);
  text = read;
  return true;
}

bool RegWriteDword(Registry& registry, RegistryHive root, const std::string& subKey,
                   const std::string& name, std::int32_t number) {
  RegistryValue value;
  value.type = RegistryType::Dword;
  const auto word = static_cast<std::uint32_t>(number);
  for (int i = 0; i < 4; ++i) {
    value.data.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
  }
  return WriteValue(registry, root, subKey, name, value);
}

bool RegReadDword(Registry& registry, RegistryHive root, const std::string& subKey,
                  const std::string& name, std::int32_t& number) {
  RegistryValue value;
  if (!ReadValue(registry, root, subKey, name, 4, value))
    return false;
  if (value.type != RegistryType::Dword && value.type != RegistryType::Binary)
    return false;
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    word |= static_cast<std::uint32_t>(value.data[i]) << (8 * i);
  }
  number = static_cast<std::int32_t>(word);
  return true;
}

bool RegWriteNumber(Registry& registry, OsKind os, RegistryHive root, const std::string& subKey,
                    const std::string& name, std::int32_t number) {
  if (os == OsKind::Nt4)
    return RegWriteDword(registry, root, subKey, name, number);
  return RegWriteString(registry, root, subKey, name, std::to_string(number));
}

bool RegReadNumber(Registry& registry, OsKind os, RegistryHive root, const std::string& subKey,
                   const std::string& name, std::int32_t& number) {
  if (os == OsKind::Nt4)
    return RegReadDword(registry, root, subKey, name, number);
  std::string text;
  if (!RegReadString(registry, root, subKey, name, text))
    return false;
  number = ParseDecimal(text);
  return true;
}

bool RegDeleteTree(Registry& registry, RegistryHive root, const std::string& subKey) {
  return !subKey.empty() && registry.deleteTree(root, subKey);
}

}  // namespace kestrel
