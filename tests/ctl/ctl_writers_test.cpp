// The JSON, CSV and table writers: an SSID is 32 arbitrary bytes, read as code page 932.
#include <gtest/gtest.h>

#include "ctl_escaping.h"
#include "ctl_json.h"

namespace kestrel::ctl {
namespace {

// "ソ" in code page 932: its second byte is the backslash.
const std::string kSo = "\x83\x5C";
// "ｱ", a single-byte half-width katakana.
const std::string kHalfWidthA = "\xB1";

TEST(JsonString, EscapesQuotesBackslashesAndControlsAndKeepsWholeCharacters) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"Lab", "\"Lab\""},
      {"", "\"\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"a\\b", "\"a\\\\b\""},
      {"a,b", "\"a,b\""},
      {"line\nnext\t", "\"line\\u000anext\\u0009\""},
      {std::string("nul\0x", 5), "\"nul\\u0000x\""},
      {"del\x7F", "\"del\\u007f\""},
      {kSo, "\"" + kSo + "\""},  // the trail byte 0x5C is no backslash
      {kSo + "\\", "\"" + kSo + "\\\\\""},
      {kHalfWidthA, "\"" + kHalfWidthA + "\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JsonString(c.in), c.out) << HexBytes(c.in);
}

TEST(JsonString, BytesThatAreNotTextBecomeTheReplacementCharacter) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"\x80", "\"\\ufffd\""},
      {"\xA0", "\"\\ufffd\""},
      {"\xFD\xFE\xFF", "\"\\ufffd\\ufffd\\ufffd\""},
      {"end\x83", "\"end\\ufffd\""},       // a lead byte with nothing after it
      {"\x83\x22", "\"\\ufffd\\\"\""},     // ... or with a quote after it
      {"\x83\x0A", "\"\\ufffd\\u000a\""},  // ... or a control
  };
  for (const auto& c : cases)
    EXPECT_EQ(JsonString(c.in), c.out) << HexBytes(c.in);
}

TEST(CsvField, QuotesWhatNeedsQuotingAndReplacesWhatCannotStand) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"Lab", "Lab"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {" padded ", "\" padded \""},
      {"back\\slash", "back\\slash"},
      {kSo + ",", "\"" + kSo + ",\""},
      {"new\nline", "new?line"},
      {"\xFF\x83", "??"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CsvField(c.in), c.out) << HexBytes(c.in);
}

TEST(TableText, ShowsControlsAndStrayBytesAsHex) {
  EXPECT_EQ(TableText("Lab \"5G\", a\\b"), "Lab \"5G\", a\\b");
  EXPECT_EQ(TableText("a\tb\xFF" + kSo), "a\\x09b\\xFF" + kSo);
}

TEST(HexBytes, GivesEveryByteExactly) {
  EXPECT_EQ(HexBytes(std::string("\x00\x5C\xFF\x83", 4)), "005CFF83");
  EXPECT_EQ(HexBytes(""), "");
}

TEST(CharacterCount, CountsDoubleByteCharactersOnce) {
  EXPECT_EQ(CharacterCount("abc"), 3u);
  EXPECT_EQ(CharacterCount(kSo + kSo + "a"), 3u);
  EXPECT_EQ(CharacterCount("\x83"), 1u);
}

TEST(JsonObject, WritesTypedFieldsInOrder) {
  const std::string json = JsonObject()
                               .text("ssid", std::string("a\"b"))
                               .number("channel", 6)
                               .number("rssi_dbm", -61)
                               .numberText("rate_mbps", "5.5")
                               .numberText("tx_errors", "N/A")
                               .boolean("xr", false)
                               .text("bssid", std::optional<std::string>())
                               .number("missing", std::optional<std::int64_t>())
                               .str();
  EXPECT_EQ(json,
            "{\"ssid\": \"a\\\"b\", \"channel\": 6, \"rssi_dbm\": -61, \"rate_mbps\": 5.5, "
            "\"tx_errors\": null, \"xr\": false, \"bssid\": null, \"missing\": null}");
  EXPECT_EQ(JsonArray({}), "[]");
  EXPECT_EQ(JsonArray({"1", "\"a\""}), "[1, \"a\"]");
}

TEST(IsJsonNumber, FollowsTheGrammar) {
  for (const char* good : {"0", "12", "-3", "0.25", "1024.00", "-0.5"})
    EXPECT_TRUE(IsJsonNumber(good)) << good;
  for (const char* bad : {"", "-", "01", "1.", ".5", "N/A", "1e3", "12 %", "+1", "0x10"})
    EXPECT_FALSE(IsJsonNumber(bad)) << bad;
}

}  // namespace
}  // namespace kestrel::ctl
