#pragma once
// Reads and writes of one key's values that stop at the first failure, as the stored
// format asks: later steps are skipped and the chain reports false.

#include <cstdint>
#include <string>
#include <utility>

#include "platform/os_kind.h"
#include "platform/registry.h"

namespace kestrel {

class ValueWriter {
 public:
  ValueWriter(Registry& registry, OsKind os, std::string keyPath)
      : registry_(registry), os_(os), keyPath_(std::move(keyPath)) {}

  void string(const char* name, const std::string& text);
  void dword(const char* name, std::int32_t number);
  void number(const char* name, std::int32_t number);
  bool ok() const { return ok_; }

 private:
  Registry& registry_;
  OsKind os_;
  std::string keyPath_;
  bool ok_ = true;
};

class ValueReader {
 public:
  ValueReader(Registry& registry, OsKind os, std::string keyPath)
      : registry_(registry), os_(os), keyPath_(std::move(keyPath)) {}

  void string(const char* name, std::string& text);
  void dword(const char* name, std::int32_t& number);
  // A missing value keeps the field and does not stop the chain.
  void optionalDword(const char* name, std::int32_t& number);
  void optionalNumber(const char* name, std::int32_t& number, std::int32_t otherwise);
  bool ok() const { return ok_; }

 private:
  Registry& registry_;
  OsKind os_;
  std::string keyPath_;
  bool ok_ = true;
};

}  // namespace kestrel
