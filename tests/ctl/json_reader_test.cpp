// The strict JSON reader: what it takes, what it refuses and where it says the fault is.
#include <gtest/gtest.h>

#include <string>

#include "json_reader.h"

namespace kestrel::ctl {
namespace {

std::string ErrorOf(const std::string& text, const JsonLimits& limits = {}) {
  const JsonParseResult result = ParseJson(text, limits);
  EXPECT_FALSE(result.value) << text;
  return result.error;
}

TEST(JsonReader, ReadsNestedValuesWithTheirPlaces) {
  const JsonParseResult result =
      ParseJson("{\n  \"a\": [1, -0, 2.5e3, true, false, null],\n  \"b\": {\"c\": \"x\"}\n}");
  ASSERT_TRUE(result.value) << result.error;
  const JsonValue& a = *result.value->member("a");
  ASSERT_EQ(a.items().size(), 6u);
  EXPECT_EQ(a.items()[0].int32(), 1);
  EXPECT_EQ(a.items()[1].int32(), 0);
  EXPECT_FALSE(a.items()[2].int32());
  EXPECT_EQ(a.items()[2].numberText(), "2.5e3");
  EXPECT_TRUE(a.items()[3].boolean());
  EXPECT_EQ(a.items()[5].kind(), JsonValue::Kind::Null);
  EXPECT_EQ(a.line(), 2u);
  EXPECT_EQ(a.column(), 8u);
  const JsonValue& c = *result.value->member("b")->member("c");
  EXPECT_EQ(c.text(), "x");
  EXPECT_EQ(c.line(), 3u);
  EXPECT_EQ(c.column(), 14u);
  EXPECT_EQ(result.value->member("z"), nullptr);
}

TEST(JsonReader, NumbersBecomeInt32OnlyWhenWholeAndInRange) {
  for (const auto& [text, expected] : std::vector<std::pair<std::string, std::int64_t>>{
           {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}}) {
    const auto result = ParseJson(text);
    ASSERT_TRUE(result.value) << text;
    EXPECT_EQ(result.value->int32(), expected);
  }
  for (const char* text : {"2147483648", "-2147483649", "1e2", "1.0", "99999999999999999999"}) {
    const auto result = ParseJson(text);
    ASSERT_TRUE(result.value) << text;
    EXPECT_FALSE(result.value->int32()) << text;
  }
}

TEST(JsonReader, StringsResolveEscapesAndKeepUtf8) {
  const auto result = ParseJson(R"("a\"\\\/\b\f\n\r\t\u00e9\ud83d\ude00)"
                                "\xE5\x80\x89\"");
  ASSERT_TRUE(result.value) << result.error;
  EXPECT_EQ(result.value->text(), "a\"\\/\b\f\n\r\t\xC3\xA9\xF0\x9F\x98\x80\xE5\x80\x89");
}

TEST(JsonReader, RefusesWhatIsNotStrictJsonAndSaysWhere) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "line 1, column 1: the document ends where a value should be"},
      {"{\"a\": 1,}", "line 1, column 9: a member name expected"},
      {"[1, 2,]", "line 1, column 7: no JSON value begins here"},
      {"{\"a\": 1, \"a\": 2}", "member \"a\" given twice"},
      {"{\"a\" 1}", "':' expected"},
      {"[1 2]", "',' or ']' expected"},
      {"{\"a\": 1 \"b\": 2}", "',' or '}' expected"},
      {"01", "text after the end of the document"},
      {"-", "a digit expected"},
      {"1.", "a digit expected after '.'"},
      {"1e", "a digit expected in the exponent"},
      {"+1", "no JSON value begins here"},
      {"tru", "no JSON value begins here"},
      {"// note\n{}", "no JSON value begins here"},
      {"\xEF\xBB\xBF{}", "no JSON value begins here"},
      {"\"a\tb\"", "a control character inside a string"},
      {"\"\\x\"", "an unknown escape"},
      {"\"\\u12G4\"", "four hex digits expected"},
      {"\"\\ud800\"", "a high surrogate without its low one"},
      {"\"\\ud800\\u0041\"", "a high surrogate without its low one"},
      {"\"\\udc00\"", "a low surrogate without its high one"},
      {"\"\xC0\xAF\"", "a byte that is not UTF-8"},
      {"\"\xE0\x80\xAF\"", "a byte that is not UTF-8"},
      {"\"\xED\xA0\x80\"", "a byte that is not UTF-8"},
      {"\"\xF4\x90\x80\x80\"", "a byte that is not UTF-8"},
      {"\"\xFF\"", "a byte that is not UTF-8"},
      {"\"\xE5\x80\"", "line 1, column 2: a byte that is not UTF-8"},
      {"\"\xE5\x80", "the document ends inside a UTF-8 character"},
      {"\"abc", "the document ends inside a string"},
      {"{\"a\": [1,\n 2", "line 2, column 3: the document ends inside an array"},
      {"{\"a\": 1", "the document ends inside an object"},
      {std::string("[1]\0", 4), "text after the end of the document"},
  };
  for (const auto& [text, expected] : cases) {
    const std::string error = ErrorOf(text);
    EXPECT_NE(error.find(expected), std::string::npos) << text << " gave: " << error;
  }
}

TEST(JsonReader, LimitsBoundSizeDepthStringsAndItems) {
  JsonLimits limits;
  limits.maxBytes = 16;
  limits.maxDepth = 3;
  limits.maxStringBytes = 4;
  limits.maxItems = 3;
  EXPECT_TRUE(ParseJson("[[[1]]]", limits).value);
  EXPECT_NE(ErrorOf("[[[[1]]]]", limits).find("nested deeper than 3 levels"), std::string::npos);
  EXPECT_NE(ErrorOf(std::string(17, ' ') + "1", limits).find("larger than 16 bytes"),
            std::string::npos);
  EXPECT_TRUE(ParseJson("\"abcd\"", limits).value);
  EXPECT_NE(ErrorOf("\"abcdef\"", limits).find("a string longer than 4 bytes"), std::string::npos);
  EXPECT_TRUE(ParseJson("[1,2,3]", limits).value);
  EXPECT_NE(ErrorOf("[1,2,3,4]", limits).find("more than 3 elements"), std::string::npos);
  EXPECT_NE(ErrorOf("{\"a\":1,\"b\":2,\"c\":3,\"d\":4}", JsonLimits{64, 3, 4, 3})
                .find("more than 3 members"),
            std::string::npos);
  // Deep nesting of the default limits ends in a message, not in a deep recursion.
  EXPECT_NE(ErrorOf(std::string(100000, '[')).find("nested deeper"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::ctl
