// The GIF block walk on containers built byte by byte: what it finds and where it stops.
#include <gtest/gtest.h>

#include <string>

#include "controls/gif_walk.h"
#include "gif_bytes.h"

namespace kestrel {
namespace {

using testing::GifBytes;

GifLayout Walk(const GifBytes& gif) {
  return WalkGif(gif.bytes().data(), gif.size());
}

GifLayout Walk(const std::string& text) {
  return WalkGif(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(GifWalkScreen, ReadsLogicalScreenAndGlobalTableSize) {
  const GifLayout layout = Walk(GifBytes(320, 40, 2).trailer());
  EXPECT_TRUE(layout.isGif);
  EXPECT_EQ(layout.width, 320);
  EXPECT_EQ(layout.height, 40);
  EXPECT_EQ(layout.globalTableSize, 24u);
  EXPECT_EQ(Walk(GifBytes(1, 1, 7).trailer()).globalTableSize, 768u);
  EXPECT_EQ(Walk(GifBytes(1, 1, -1).trailer()).globalTableSize, 0u);
}

TEST(GifWalkScreen, AcceptsOnlyTheTwoVersions) {
  EXPECT_TRUE(Walk(GifBytes(2, 2, 1, "87a").image(0, 0, 2, 2).trailer()).isGif);
  const GifLayout other = Walk(GifBytes(2, 2, 1, "88a").image(0, 0, 2, 2).trailer());
  EXPECT_FALSE(other.isGif);
  EXPECT_TRUE(other.graphics.empty());
}

TEST(GifWalkScreen, DataThatIsNotAGifHasNoGraphics) {
  const GifLayout bitmap = Walk(std::string("BM\x36\x00\x00\x00\x00\x00", 8));
  EXPECT_FALSE(bitmap.isGif);
  EXPECT_TRUE(bitmap.graphics.empty());
  EXPECT_FALSE(Walk(std::string("GIF")).isGif);
  EXPECT_FALSE(Walk(std::string()).isGif);
}

TEST(GifWalkScreen, SignatureWithoutAScreenDescriptorHasNoGraphics) {
  const GifLayout layout = Walk(std::string("GIF89a\x10\x00", 8));
  EXPECT_TRUE(layout.isGif);
  EXPECT_TRUE(layout.graphics.empty());
}

TEST(GifWalkGraphics, CountsImagesWithTheirDelaysDisposalsAndPlacement) {
  GifBytes gif(64, 32);
  gif.application({3})
      .graphicControl(10, 1)
      .image(0, 0, 64, 32)
      .graphicControl(3, 2)
      .image(5, 6, 7, 8)
      .graphicControl(250, 3)
      .image(1, 2, 3, 4)
      .trailer();
  const GifLayout layout = Walk(gif);
  ASSERT_EQ(layout.graphics.size(), 3u);
  EXPECT_EQ(layout.graphics[0].delay, 10);
  EXPECT_EQ(layout.graphics[0].disposal, 1);
  EXPECT_EQ(layout.graphics[0].begin, 13u + 12u);  // the application extension belongs to it
  EXPECT_EQ(layout.graphics[1].delay, 3);
  EXPECT_EQ(layout.graphics[1].disposal, 2);
  EXPECT_EQ(layout.graphics[1].left, 5);
  EXPECT_EQ(layout.graphics[1].top, 6);
  EXPECT_EQ(layout.graphics[1].width, 7);
  EXPECT_EQ(layout.graphics[1].height, 8);
  EXPECT_EQ(layout.graphics[2].delay, 250);
  EXPECT_EQ(layout.graphics[2].disposal, 3);
  EXPECT_EQ(layout.graphics[0].end, layout.graphics[1].begin);
  EXPECT_EQ(layout.graphics[2].end, gif.size() - 1);
}

TEST(GifWalkGraphics, ImageWithoutGraphicControlHasNoDelay) {
  const GifLayout layout = Walk(GifBytes(4, 4).image(0, 0, 4, 4).trailer());
  ASSERT_EQ(layout.graphics.size(), 1u);
  EXPECT_EQ(layout.graphics[0].delay, -1);
  EXPECT_EQ(layout.graphics[0].disposal, 0);
}

TEST(GifWalkGraphics, SkipsLocalColourTablesOfEverySize) {
  for (int bits = 0; bits < 8; ++bits) {
    GifBytes gif(4, 4, -1);
    gif.image(0, 0, 4, 4, {3}, bits).image(0, 0, 2, 2).trailer();
    EXPECT_EQ(Walk(gif).graphics.size(), 2u) << "table bits " << bits;
  }
}

TEST(GifWalkGraphics, FollowsSubBlockChains) {
  GifBytes gif(4, 4);
  gif.image(0, 0, 4, 4, {255, 1, 17, 0x3B}).image(0, 0, 4, 4, {}).trailer();
  const GifLayout layout = Walk(gif);
  ASSERT_EQ(layout.graphics.size(), 2u);
  EXPECT_EQ(layout.graphics[1].end - layout.graphics[1].begin, 12u);  // 11 + terminator
}

TEST(GifWalkGraphics, PassesOverCommentsAndPlainTextBetweenGraphics) {
  GifBytes gif(4, 4);
  gif.comment({5, 2})
      .graphicControl(7, 2)
      .plainText({4})
      .image(0, 0, 4, 4)
      .comment({})
      .image(0, 0, 4, 4)
      .trailer();
  const GifLayout layout = Walk(gif);
  ASSERT_EQ(layout.graphics.size(), 2u);
  EXPECT_EQ(layout.graphics[0].delay, 7);
  EXPECT_EQ(layout.graphics[1].delay, -1);
}

TEST(GifWalkEnds, TrailerEndsTheWalk) {
  GifBytes gif(4, 4);
  gif.image(0, 0, 4, 4).trailer().image(0, 0, 4, 4).trailer();
  EXPECT_EQ(Walk(gif).graphics.size(), 1u);
}

TEST(GifWalkEnds, UnknownBlockEndsTheWalk) {
  GifBytes stray(4, 4);
  stray.image(0, 0, 4, 4).raw({0x00}).image(0, 0, 4, 4).trailer();
  EXPECT_EQ(Walk(stray).graphics.size(), 1u);

  GifBytes unknownLabel(4, 4);
  unknownLabel.image(0, 0, 4, 4).raw({0x21, 0x02, 0x00}).image(0, 0, 4, 4).trailer();
  EXPECT_EQ(Walk(unknownLabel).graphics.size(), 1u);
}

TEST(GifWalkEnds, MissingTrailerKeepsTheCompleteGraphics) {
  GifBytes gif(4, 4);
  gif.image(0, 0, 4, 4).image(0, 0, 4, 4);
  EXPECT_EQ(Walk(gif).graphics.size(), 2u);
}

TEST(GifWalkEnds, BlockReachingPastTheEndIsNotCounted) {
  GifBytes whole(4, 4);
  whole.graphicControl(5, 0).image(0, 0, 4, 4, {20}).graphicControl(5, 0).image(0, 0, 4, 4, {20});
  const std::vector<std::uint8_t>& bytes = whole.bytes();
  const std::size_t secondStart = Walk(whole).graphics.at(1).begin;
  // Every cut inside the second graphic leaves exactly the first one.
  for (std::size_t cut = secondStart; cut < bytes.size(); ++cut) {
    const GifLayout layout = WalkGif(bytes.data(), cut);
    ASSERT_EQ(layout.graphics.size(), 1u) << "cut at " << cut;
  }
}

TEST(GifWalkEnds, GlobalTablePastTheEndGivesNoGraphics) {
  GifBytes gif(4, 4, 7);
  const std::vector<std::uint8_t> bytes(gif.bytes().begin(), gif.bytes().begin() + 100);
  EXPECT_TRUE(WalkGif(bytes.data(), bytes.size()).graphics.empty());
}

TEST(GifWalkEnds, SubBlockLengthPastTheEndIsNotFollowed) {
  GifBytes gif(4, 4);
  gif.image(0, 0, 4, 4).raw({0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0, 2, 200, 1, 2});
  EXPECT_EQ(Walk(gif).graphics.size(), 1u);
}

TEST(GifFrames, OneFrameGifHoldsScreenTableGraphicAndTrailer) {
  GifBytes gif(64, 32, 1);
  gif.graphicControl(10, 0)
      .image(0, 0, 64, 32)
      .graphicControl(20, 2)
      .image(5, 6, 7, 8, {4}, 0)
      .trailer();
  const GifLayout layout = Walk(gif);
  ASSERT_EQ(layout.graphics.size(), 2u);
  const GifGraphic& second = layout.graphics[1];
  const std::vector<std::uint8_t> frame =
      BuildFrameGif(gif.bytes().data(), gif.size(), layout, second);
  ASSERT_EQ(frame.size(), 13u + 12u + (second.end - second.begin) + 1u);
  EXPECT_EQ(frame.back(), 0x3B);
  EXPECT_TRUE(std::equal(frame.begin(), frame.begin() + 6, gif.bytes().begin()));
  EXPECT_TRUE(std::equal(frame.begin() + 10, frame.begin() + 25, gif.bytes().begin() + 10));

  const GifLayout reread = WalkGif(frame.data(), frame.size());
  EXPECT_EQ(reread.width, 7);
  EXPECT_EQ(reread.height, 8);
  ASSERT_EQ(reread.graphics.size(), 1u);
  EXPECT_EQ(reread.graphics[0].left, 0);
  EXPECT_EQ(reread.graphics[0].top, 0);
  EXPECT_EQ(reread.graphics[0].width, 7);
  EXPECT_EQ(reread.graphics[0].delay, 20);
  EXPECT_EQ(reread.graphics[0].disposal, 2);
}

TEST(GifFrames, GraphicOutsideTheDataGivesNoFrame) {
  GifBytes gif(4, 4);
  gif.image(0, 0, 4, 4).trailer();
  const GifLayout layout = Walk(gif);
  GifGraphic bad = layout.graphics.at(0);
  bad.end = gif.size() + 10;
  EXPECT_TRUE(BuildFrameGif(gif.bytes().data(), gif.size(), layout, bad).empty());
  bad = layout.graphics.at(0);
  bad.image = bad.end - 3;
  EXPECT_TRUE(BuildFrameGif(gif.bytes().data(), gif.size(), layout, bad).empty());
}

TEST(GifFrames, ShortDelaysWaitAHundredMilliseconds) {
  for (int delay = -1; delay <= 4; ++delay)
    EXPECT_EQ(FrameWaitMilliseconds(delay), 100u) << delay;
  EXPECT_EQ(FrameWaitMilliseconds(5), 50u);
  EXPECT_EQ(FrameWaitMilliseconds(65535), 655350u);
}

}  // namespace
}  // namespace kestrel
