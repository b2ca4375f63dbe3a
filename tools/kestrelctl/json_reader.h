#pragma once
// A strict, bounded JSON reader for the files kestrelctl imports. RFC 8259 without
// extensions: no comments, no trailing commas, no duplicate member names, UTF-8 only
// (no byte order mark, no overlong forms, no surrogates), and limits on size, nesting,
// string length and member count, so that any input ends in a value or one message
// naming the line and column where it went wrong.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrel::ctl {

struct JsonLimits {
  std::size_t maxBytes = 1u << 20;
  std::size_t maxDepth = 8;
  std::size_t maxStringBytes = 4096;
  std::size_t maxItems = 256;  // elements of one array or members of one object
};

class JsonValue {
 public:
  enum class Kind { Null, Boolean, Number, String, Array, Object };

  Kind kind() const { return kind_; }
  bool boolean() const { return boolean_; }
  // A number's text as written (JSON grammar already checked).
  const std::string& numberText() const { return text_; }
  // A whole number that fits 32 bits signed; nothing for fractions, exponents and others.
  std::optional<std::int32_t> int32() const;
  // A string's UTF-8 bytes, escapes resolved.
  const std::string& text() const { return text_; }
  const std::vector<JsonValue>& items() const { return items_; }
  const std::vector<std::pair<std::string, JsonValue>>& members() const { return members_; }
  // The member of that name, or null when this is no object or has none.
  const JsonValue* member(const std::string& name) const;
  // Line and column (1-based) where the value begins.
  std::size_t line() const { return line_; }
  std::size_t column() const { return column_; }

 private:
  friend class JsonParser;
  Kind kind_ = Kind::Null;
  bool boolean_ = false;
  std::string text_;
  std::vector<JsonValue> items_;
  std::vector<std::pair<std::string, JsonValue>> members_;
  std::size_t line_ = 1;
  std::size_t column_ = 1;
};

struct JsonParseResult {
  std::optional<JsonValue> value;
  std::string error;  // "line L, column C: what", when there is no value
};

JsonParseResult ParseJson(const std::string& utf8, const JsonLimits& limits = {});

}  // namespace kestrel::ctl
