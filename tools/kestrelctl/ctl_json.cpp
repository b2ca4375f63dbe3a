#include "ctl_json.h"

#include <cctype>

#include "ctl_escaping.h"

namespace kestrel::ctl {

namespace {

bool AllDigits(const std::string& text, std::size_t from, std::size_t to) {
  if (from >= to)
    return false;
  for (std::size_t i = from; i < to; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i])))
      return false;
  }
  return true;
}

}  // namespace

bool IsJsonNumber(const std::string& text) {
  const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::size_t point = text.find('.');
  const std::size_t integerEnd = point == std::string::npos ? text.size() : point;
  if (!AllDigits(text, start, integerEnd))
    return false;
  if (text[start] == '0' && integerEnd - start > 1)
    return false;
  return point == std::string::npos || AllDigits(text, point + 1, text.size());
}

JsonObject& JsonObject::raw(const char* name, const std::string& json) {
  if (!body_.empty())
    body_ += ", ";
  body_ += JsonString(name) + ": " + json;
  return *this;
}

JsonObject& JsonObject::text(const char* name, const std::string& value) {
  return raw(name, JsonString(value));
}

JsonObject& JsonObject::text(const char* name, const std::optional<std::string>& value) {
  return value ? text(name, *value) : null(name);
}

JsonObject& JsonObject::number(const char* name, std::int64_t value) {
  return raw(name, std::to_string(value));
}

JsonObject& JsonObject::number(const char* name, const std::optional<std::int64_t>& value) {
  return value ? number(name, *value) : null(name);
}

JsonObject& JsonObject::numberText(const char* name, const std::string& digits) {
  return IsJsonNumber(digits) ? raw(name, digits) : null(name);
}

JsonObject& JsonObject::boolean(const char* name, bool value) {
  return raw(name, value ? "true" : "false");
}

JsonObject& JsonObject::null(const char* name) {
  return raw(name, "null");
}

std::string JsonArray(const std::vector<std::string>& values) {
  std::string array = "[";
  for (std::size_t i = 0; i < values.size(); ++i)
    array += (i > 0 ? ", " : "") + values[i];
  return array + "]";
}

}  // namespace kestrel::ctl
