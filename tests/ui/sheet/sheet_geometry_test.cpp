#include "ui/sheet/sheet_geometry.h"

#include <gtest/gtest.h>

#include "ui/sheet/help_toggle.h"
#include "ui/sheet/sheet_texts.h"

namespace kestrel {
namespace {

// A sheet 620 pixels wide inside, its tab control ending at y = 300.
constexpr int kClientWidth = 620;
constexpr int kTabBottom = 300;

TEST(StatusStrip, SpansTheClientLessSixPixelsEachSideDirectlyBelowTheTabs) {
  EXPECT_EQ(StatusStripBelow(kTabBottom, kClientWidth), (Rect{6, 300, 614, 330}));
}

TEST(StatusCells, EachCellStartsWhereTheTruncatedRunningSumEnded) {
  const auto cells = LayOutStatusCells(StatusStripBelow(kTabBottom, kClientWidth));
  // Strip width 608: 30.4, 249.28, 24.32, 69.92, 60.8, 48.64, then 15.2 per bar.
  EXPECT_EQ(cells[0].rect, (Rect{6, 306, 36, 330}));
  EXPECT_EQ(cells[1].rect, (Rect{44, 305, 280, 326}));
  EXPECT_EQ(cells[2].rect, (Rect{297, 307, 306, 318}));
  EXPECT_EQ(cells[3].rect, (Rect{317, 305, 373, 326}));
  EXPECT_EQ(cells[4].rect, (Rect{386, 305, 433, 326}));
  EXPECT_EQ(cells[5].rect, (Rect{446, 305, 481, 326}));
  EXPECT_EQ(cells[6].rect, (Rect{484, 307, 496, 322}));  // 2 pixels left of its cell
  EXPECT_EQ(cells[7].rect, (Rect{499, 307, 511, 322}));
  // Truncating at every step loses pixels: the last bar ends at 606, not at 6 + 608 x 0.995.
  EXPECT_EQ(cells[13].rect.right, 606 - 5);
}

TEST(StatusCells, IdsKindsAndPictureOrder) {
  const auto cells = LayOutStatusCells(StatusStripBelow(kTabBottom, kClientWidth));
  const int ids[kStatusCellCount] = {1114, 1100, 1101, 1102, 1103, 1104, 1105,
                                     1106, 1107, 1108, 1109, 1110, 1111, 1112};
  for (int i = 0; i < kStatusCellCount; ++i)
    EXPECT_EQ(cells[static_cast<std::size_t>(i)].controlId, ids[i]) << "cell " << i;
  EXPECT_EQ(cells[0].pictureIndex, 0);
  EXPECT_EQ(cells[1].kind, CellKind::LeftText);
  EXPECT_EQ(cells[2].pictureIndex, 1);
  EXPECT_EQ(cells[3].kind, CellKind::CentredText);
  EXPECT_EQ(cells[5].kind, CellKind::CentredText);
  for (int bar = 0; bar < 8; ++bar) {
    EXPECT_EQ(cells[static_cast<std::size_t>(6 + bar)].kind, CellKind::Picture);
    EXPECT_EQ(cells[static_cast<std::size_t>(6 + bar)].pictureIndex, 2 + bar);
  }
}

TEST(BottomRow, SlotsRightOfTheHiddenAnchorAndHelpAtTheLeft) {
  const Rect strip = StatusStripBelow(kTabBottom, kClientWidth);
  const BottomRow row = LayOutBottomRow(strip, {75, 23});
  // Anchor at 6 + 304 - 15 = 295; each slot 75 + 6 further; the row 35 below the strip top.
  EXPECT_EQ(row.apply, (Rect{376, 335, 451, 358}));
  EXPECT_EQ(row.connect, row.apply);
  EXPECT_EQ(row.cancel, (Rect{457, 335, 532, 358}));
  EXPECT_EQ(row.scan, row.cancel);
  EXPECT_EQ(row.close, (Rect{538, 335, 613, 358}));
  EXPECT_EQ(row.help, (Rect{8, 335, 83, 358}));
  EXPECT_EQ(row.windowBottom(), 368);
}

TEST(BottomRow, FollowsTheStripWhenItMoves) {
  const Rect strip = StatusStripBelow(kTabBottom, kClientWidth);
  const BottomRow lower = LayOutBottomRow(strip, {75, 23});
  const BottomRow higher = LayOutBottomRow(strip.movedDown(-120), {75, 23});
  EXPECT_EQ(higher.close, lower.close.movedDown(-120));
  EXPECT_EQ(higher.help, lower.help.movedDown(-120));
}

TEST(TabWidth, FourOrTwoTabsShareTheWidthLessFive) {
  EXPECT_EQ(MinimumTabWidth(610, true), 151);
  EXPECT_EQ(MinimumTabWidth(610, false), 302);
}

TEST(HelpToggle, HidingRemembersTheHeightThatShowingGivesBack) {
  HelpToggle help;
  EXPECT_TRUE(help.shown());
  EXPECT_EQ(help.hide(400, 250), 145);
  EXPECT_FALSE(help.shown());
  EXPECT_EQ(help.buttonText(), sheet_texts::kHelp);
  EXPECT_EQ(help.hide(255, 250), 0);  // already hidden: nothing more to take away
  EXPECT_EQ(help.show(), 145);
  EXPECT_EQ(help.buttonText(), sheet_texts::kCloseHelp);
  EXPECT_EQ(help.show(), 0);
  // A page whose frame starts at a different height hides by its own amount.
  EXPECT_EQ(help.hide(400, 300), 95);
  EXPECT_EQ(help.show(), 95);
}

TEST(HelpToggle, AFrameBelowTheTabsTakesNothingAway) {
  HelpToggle help;
  EXPECT_EQ(help.hide(200, 198), 0);
  EXPECT_EQ(help.show(), 0);
}

}  // namespace
}  // namespace kestrel
