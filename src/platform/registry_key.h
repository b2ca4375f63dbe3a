#pragma once

#include <string>

#include "platform/registry.h"

namespace kestrel {

// One registry key held open for the length of a scope; closed on every path.
class ScopedRegistryKey {
 public:
  explicit ScopedRegistryKey(Registry& registry) : registry_(registry) {}
  ~ScopedRegistryKey() { reset(); }
  ScopedRegistryKey(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

  bool open(RegistryHive hive, const std::string& path, RegistryAccess access) {
    reset();
    open_ = registry_.openKey(hive, path, access, key_);
    return open_;
  }
  bool create(RegistryHive hive, const std::string& path) {
    reset();
    open_ = registry_.createKey(hive, path, key_);
    return open_;
  }
  void reset() {
    if (open_) {
      registry_.closeKey(key_);
    }
    open_ = false;
  }
  RegistryKeyHandle get() const { return key_; }

 private:
  Registry& registry_;
  RegistryKeyHandle key_ = 0;
  bool open_ = false;
};

// Text of a string value: its bytes up to the first NUL, whether or not one was stored.
std::string RegistryValueText(const RegistryValue& value);
RegistryValue RegistryStringValue(const std::string& text, bool withTerminator);

}  // namespace kestrel
