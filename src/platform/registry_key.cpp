#include "platform/registry_key.h"

#include <algorithm>

namespace kestrel {

std::string RegistryValueText(const RegistryValue& value) {
  const auto end = std::find(value.data.begin(), value.data.end(), std::uint8_t{0});
  return std::string(value.data.begin(), end);
}

RegistryValue RegistryStringValue(const std::string& text, bool withTerminator) {
  RegistryValue value;
  value.type = RegistryType::String;
  value.data.assign(text.begin(), text.end());
  if (withTerminator) {
    value.data.push_back(0);
  }
  return value;
}

}  // namespace kestrel
