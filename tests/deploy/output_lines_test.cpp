#include "output_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel::deploy {
namespace {

struct Collected {
  std::vector<std::string> lines;
  OutputLines output{[this](const std::string& line) { lines.push_back(line); }};
  void feed(const std::string& bytes) { output.feed(bytes.data(), bytes.size()); }
};

TEST(OutputLines, LinesCutAtLineFeedsWhereverTheReadsEnd) {
  const std::string text = "Office: Passphrase: 8 to 63 characters\r\n\nGuest: ok\nno end";
  // Every way of splitting the bytes into two reads gives the same lines.
  for (std::size_t split = 0; split <= text.size(); ++split) {
    Collected c;
    c.feed(text.substr(0, split));
    c.feed(text.substr(split));
    c.output.finish();
    EXPECT_EQ(c.lines, (std::vector<std::string>{"Office: Passphrase: 8 to 63 characters", "",
                                                 "Guest: ok", "no end"}))
        << "split at " << split;
  }
}

TEST(OutputLines, NothingFedGivesNothingAndFinishingTwiceGivesTheRestOnce) {
  Collected c;
  c.output.finish();
  EXPECT_TRUE(c.lines.empty());
  c.feed("tail");
  c.output.finish();
  c.output.finish();
  EXPECT_EQ(c.lines, std::vector<std::string>{"tail"});
}

TEST(OutputLines, AnOverlongLineIsCutNeverInsideACharacter) {
  // 1023 ASCII bytes, then three-byte characters: the one across the limit moves on whole.
  const std::string kana = "\xE3\x81\x82";  // あ
  Collected c;
  c.feed(std::string(OutputLines::kMaxLineBytes - 1, 'a') + kana + kana + "\n");
  c.output.finish();
  ASSERT_EQ(c.lines.size(), 2u);
  EXPECT_EQ(c.lines[0], std::string(OutputLines::kMaxLineBytes - 1, 'a'));
  EXPECT_EQ(c.lines[1], kana + kana);
  for (const auto& line : c.lines)
    EXPECT_LE(line.size(), OutputLines::kMaxLineBytes);
}

TEST(OutputLines, BytesThatAreNotUtf8AreCutAtTheLimitAndKept) {
  Collected c;
  const std::string junk(3 * OutputLines::kMaxLineBytes, '\x80');
  c.feed(junk);
  c.output.finish();
  ASSERT_EQ(c.lines.size(), 3u);
  std::string joined;
  for (const auto& line : c.lines) {
    EXPECT_EQ(line.size(), OutputLines::kMaxLineBytes);
    joined += line;
  }
  EXPECT_EQ(joined, junk);
}

TEST(OutputLines, ARunawayProgramGivesAtMostTheLimitThenACount) {
  Collected c;
  for (int i = 0; i < 2000; ++i)
    c.feed("line " + std::to_string(i) + "\n");
  c.feed("unterminated");
  c.output.finish();
  ASSERT_EQ(c.lines.size(), OutputLines::kMaxLines + 1);
  EXPECT_EQ(c.lines[OutputLines::kMaxLines - 1], "line 499");
  EXPECT_EQ(c.lines.back(), "(1501 further lines of output left out)");
}

}  // namespace
}  // namespace kestrel::deploy
