#include "json_reader.h"

#include <cstdlib>

namespace kestrel::ctl {

std::optional<std::int32_t> JsonValue::int32() const {
  if (kind_ != Kind::Number || text_.find_first_of(".eE") != std::string::npos)
    return std::nullopt;
  // At most ten digits and a sign: anything longer is out of range anyway.
  if (text_.size() > 11)
    return std::nullopt;
  const long long number = std::strtoll(text_.c_str(), nullptr, 10);
  if (number < INT32_MIN || number > INT32_MAX)
    return std::nullopt;
  return static_cast<std::int32_t>(number);
}

const JsonValue* JsonValue::member(const std::string& name) const {
  for (const auto& [key, value] : members_) {
    if (key == name)
      return &value;
  }
  return nullptr;
}

class JsonParser {
 public:
  JsonParser(const std::string& text, const JsonLimits& limits) : s_(text), limits_(limits) {}

  JsonParseResult run() {
    JsonParseResult result;
    if (s_.size() > limits_.maxBytes) {
      result.error = "the file is larger than " + std::to_string(limits_.maxBytes) + " bytes";
      return result;
    }
    JsonValue value;
    skipBlanks();
    if (parseValue(value, 0)) {
      skipBlanks();
      if (at_ == s_.size()) {
        result.value = std::move(value);
        return result;
      }
      fail("text after the end of the document");
    }
    result.error = error_;
    return result;
  }

 private:
  bool fail(const std::string& what) {
    if (error_.empty()) {
      std::size_t line = 1;
      std::size_t column = 1;
      for (std::size_t i = 0; i < at_ && i < s_.size(); ++i) {
        // Columns count characters, not the continuation bytes of UTF-8.
        if (s_[i] == '\n') {
          ++line;
          column = 1;
        } else if ((static_cast<unsigned char>(s_[i]) & 0xC0) != 0x80) {
          ++column;
        }
      }
      error_ = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
    }
    return false;
  }

  bool atEnd() const { return at_ >= s_.size(); }
  char peek() const { return atEnd() ? '\0' : s_[at_]; }

  void skipBlanks() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
      ++at_;
  }

  void place(JsonValue& value) {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = lineStart_; i < at_; ++i) {
      if (s_[i] == '\n') {
        ++line;
        column = 1;
      } else if ((static_cast<unsigned char>(s_[i]) & 0xC0) != 0x80) {
        ++column;
      }
    }
    // Counted incrementally so that placing every value stays linear.
    line_ += line - 1;
    column_ = line > 1 ? column : column_ + column - 1;
    lineStart_ = at_;
    value.line_ = line_;
    value.column_ = column_;
  }

  bool parseValue(JsonValue& value, std::size_t depth) {
    if (atEnd())
      return fail("the document ends where a value should be");
    place(value);
    const char c = peek();
    if (c == '{' || c == '[') {
      if (depth >= limits_.maxDepth)
        return fail("nested deeper than " + std::to_string(limits_.maxDepth) + " levels");
      return c == '{' ? parseObject(value, depth) : parseArray(value, depth);
    }
    if (c == '"') {
      value.kind_ = JsonValue::Kind::String;
      return parseString(value.text_);
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
      value.kind_ = JsonValue::Kind::Number;
      return parseNumber(value.text_);
    }
    if (literal("true")) {
      value.kind_ = JsonValue::Kind::Boolean;
      value.boolean_ = true;
      return true;
    }
    if (literal("false")) {
      value.kind_ = JsonValue::Kind::Boolean;
      return true;
    }
    if (literal("null"))
      return true;
    return fail("no JSON value begins here");
  }

  bool literal(const char* word) {
    const std::string text = word;
    if (s_.compare(at_, text.size(), text) != 0)
      return false;
    at_ += text.size();
    return true;
  }

  bool parseObject(JsonValue& value, std::size_t depth) {
    value.kind_ = JsonValue::Kind::Object;
    ++at_;
    skipBlanks();
    if (peek() == '}') {
      ++at_;
      return true;
    }
    for (;;) {
      skipBlanks();
      if (peek() != '"')
        return fail(atEnd() ? "the document ends inside an object" : "a member name expected");
      std::string name;
      if (!parseString(name))
        return false;
      if (value.member(name) != nullptr)
        return fail("member \"" + name + "\" given twice");
      if (value.members_.size() >= limits_.maxItems)
        return fail("more than " + std::to_string(limits_.maxItems) + " members");
      skipBlanks();
      if (peek() != ':')
        return fail(atEnd() ? "the document ends inside an object" : "':' expected");
      ++at_;
      skipBlanks();
      JsonValue member;
      if (!parseValue(member, depth + 1))
        return false;
      value.members_.emplace_back(std::move(name), std::move(member));
      skipBlanks();
      if (peek() == ',') {
        ++at_;
        continue;
      }
      if (peek() == '}') {
        ++at_;
        return true;
      }
      return fail(atEnd() ? "the document ends inside an object" : "',' or '}' expected");
    }
  }

  bool parseArray(JsonValue& value, std::size_t depth) {
    value.kind_ = JsonValue::Kind::Array;
    ++at_;
    skipBlanks();
    if (peek() == ']') {
      ++at_;
      return true;
    }
    for (;;) {
      skipBlanks();
      if (value.items_.size() >= limits_.maxItems)
        return fail("more than " + std::to_string(limits_.maxItems) + " elements");
      JsonValue item;
      if (!parseValue(item, depth + 1))
        return false;
      value.items_.push_back(std::move(item));
      skipBlanks();
      if (peek() == ',') {
        ++at_;
        continue;
      }
      if (peek() == ']') {
        ++at_;
        return true;
      }
      return fail(atEnd() ? "the document ends inside an array" : "',' or ']' expected");
    }
  }

  bool parseNumber(std::string& text) {
    const std::size_t start = at_;
    if (peek() == '-')
      ++at_;
    if (peek() == '0') {
      ++at_;
    } else if (peek() >= '1' && peek() <= '9') {
      digits();
    } else {
      return fail("a digit expected");
    }
    if (peek() == '.') {
      ++at_;
      if (digits() == 0)
        return fail("a digit expected after '.'");
    }
    if (peek() == 'e' || peek() == 'E') {
      ++at_;
      if (peek() == '+' || peek() == '-')
        ++at_;
      if (digits() == 0)
        return fail("a digit expected in the exponent");
    }
    if (at_ - start > 64)
      return fail("a number of more than 64 characters");
    text = s_.substr(start, at_ - start);
    return true;
  }

  std::size_t digits() {
    std::size_t count = 0;
    while (peek() >= '0' && peek() <= '9') {
      ++at_;
      ++count;
    }
    return count;
  }

  static void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool hex4(std::uint32_t& code) {
    code = 0;
    for (int i = 0; i < 4; ++i, ++at_) {
      const char c = peek();
      code <<= 4;
      if (c >= '0' && c <= '9')
        code |= static_cast<std::uint32_t>(c - '0');
      else if (c >= 'a' && c <= 'f')
        code |= static_cast<std::uint32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        code |= static_cast<std::uint32_t>(c - 'A' + 10);
      else
        return fail(atEnd() ? "the document ends inside a string" : "four hex digits expected");
    }
    return true;
  }

  bool escape(std::string& out) {
    ++at_;  // the backslash
    const char c = peek();
    ++at_;
    switch (c) {
      case '"':
      case '\\':
      case '/':
        out += c;
        return true;
      case 'b':
        out += '\b';
        return true;
      case 'f':
        out += '\f';
        return true;
      case 'n':
        out += '\n';
        return true;
      case 'r':
        out += '\r';
        return true;
      case 't':
        out += '\t';
        return true;
      case 'u':
        break;
      default:
        --at_;
        return fail(atEnd() ? "the document ends inside a string" : "an unknown escape");
    }
    std::uint32_t code = 0;
    if (!hex4(code))
      return false;
    if (code >= 0xDC00 && code <= 0xDFFF)
      return fail("a low surrogate without its high one");
    if (code >= 0xD800 && code <= 0xDBFF) {
      std::uint32_t low = 0;
      if (peek() != '\\' || at_ + 1 >= s_.size() || s_[at_ + 1] != 'u')
        return fail("a high surrogate without its low one");
      at_ += 2;
      if (!hex4(low))
        return false;
      if (low < 0xDC00 || low > 0xDFFF)
        return fail("a high surrogate without its low one");
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    appendUtf8(out, code);
    return true;
  }

  // One UTF-8 character copied as it stands; false on any byte sequence that is not
  // well-formed UTF-8.
  bool utf8Character(std::string& out) {
    const auto lead = static_cast<unsigned char>(peek());
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return fail("a byte that is not UTF-8");
    }
    if (at_ + length > s_.size())
      return fail("the document ends inside a UTF-8 character");
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(s_[at_ + i]);
      if ((next & 0xC0) != 0x80)
        return fail("a byte that is not UTF-8");
      code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return fail("a byte that is not UTF-8");
    out.append(s_, at_, length);
    at_ += length;
    return true;
  }

  bool parseString(std::string& out) {
    ++at_;  // the opening quote
    out.clear();
    for (;;) {
      if (atEnd())
        return fail("the document ends inside a string");
      if (out.size() > limits_.maxStringBytes)
        return fail("a string longer than " + std::to_string(limits_.maxStringBytes) + " bytes");
      const auto c = static_cast<unsigned char>(peek());
      if (c == '"') {
        ++at_;
        return true;
      }
      if (c == '\\') {
        if (!escape(out))
          return false;
      } else if (c < 0x20) {
        return fail("a control character inside a string");
      } else if (c < 0x80) {
        out += static_cast<char>(c);
        ++at_;
      } else if (!utf8Character(out)) {
        return false;
      }
    }
  }

  const std::string& s_;
  const JsonLimits& limits_;
  std::size_t at_ = 0;
  std::size_t lineStart_ = 0;
  std::size_t line_ = 1;
  std::size_t column_ = 1;
  std::string error_;
};

JsonParseResult ParseJson(const std::string& utf8, const JsonLimits& limits) {
  return JsonParser(utf8, limits).run();
}

}  // namespace kestrel::ctl
