#include "profiles/value_chain.h"

#include "profiles/registry_helpers.h"

namespace kestrel {

constexpr RegistryHive kRoot = RegistryHive::LocalMachine;

void ValueWriter::string(const char* name, const std::string& text) {
  ok_ = ok_ && RegWriteString(registry_, kRoot, keyPath_, name, text);
}

void ValueWriter::dword(const char* name, std::int32_t number) {
  ok_ = ok_ && RegWriteDword(registry_, kRoot, keyPath_, name, number);
}

void ValueWriter::number(const char* name, std::int32_t number) {
  ok_ = ok_ && RegWriteNumber(registry_, os_, kRoot, keyPath_, name, number);
}

void ValueReader::string(const char* name, std::string& text) {
  ok_ = ok_ && RegReadString(registry_, kRoot, keyPath_, name, text);
}

void ValueReader::dword(const char* name, std::int32_t& number) {
  ok_ = ok_ && RegReadDword(registry_, kRoot, keyPath_, name, number);
}

void ValueReader::optionalDword(const char* name, std::int32_t& number) {
  if (ok_)
    RegReadDword(registry_, kRoot, keyPath_, name, number);
}

void ValueReader::optionalNumber(const char* name, std::int32_t& number, std::int32_t otherwise) {
  if (ok_ && !RegReadNumber(registry_, os_, kRoot, keyPath_, name, number))
    number = otherwise;
}

}  // namespace kestrel
