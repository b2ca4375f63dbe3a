#pragma once
// One JSON object on one line, built field by field in the order given.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::ctl {

class JsonObject {
 public:
  // A core text (code page 932), escaped as ctl_escaping.h says.
  JsonObject& text(const char* name, const std::string& value);
  JsonObject& text(const char* name, const std::optional<std::string>& value);
  JsonObject& number(const char* name, std::int64_t value);
  JsonObject& number(const char* name, const std::optional<std::int64_t>& value);
  // A number as the table form prints it ("12", "0.25", "-3"); null when it is no number.
  JsonObject& numberText(const char* name, const std::string& digits);
  JsonObject& boolean(const char* name, bool value);
  JsonObject& null(const char* name);
  std::string str() const { return "{" + body_ + "}"; }

 private:
  JsonObject& raw(const char* name, const std::string& json);
  std::string body_;
};

// "[a, b]" of JSON values already written, or "[]".
std::string JsonArray(const std::vector<std::string>& values);

// True for the JSON number grammar: optional '-', digits without a leading zero, an
// optional fraction.
bool IsJsonNumber(const std::string& text);

}  // namespace kestrel::ctl
