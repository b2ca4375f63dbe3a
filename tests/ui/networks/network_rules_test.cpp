// The table's columns, the sort comparison and the ad hoc frequency rule.
#include <gtest/gtest.h>

#include "platform/text_collation.h"
#include "ui/networks/chosen_network.h"
#include "ui/networks/network_columns.h"
#include "ui/networks/network_sort.h"
#include "ui/networks/networks_texts.h"
#include "ui/networks/sort_arrow.h"

namespace kestrel {
namespace {

class ByteCollation : public TextCollation {
 public:
  int calls = 0;
  int compare(const std::string& first, const std::string& second) override {
    ++calls;
    return first.compare(second);
  }
};

TEST(NetworkColumns, SevenTitlesFromTheColumnLayoutText) {
  const auto columns = ParseColumnLayout(networks_texts::kColumnLayout);
  ASSERT_EQ(columns.size(), 7u);
  EXPECT_EQ(columns[1].title, "XR");
  EXPECT_EQ(columns[5].title, "MAC\x83\x41\x83\x68\x83\x8C\x83\x58");
  for (const ColumnLayout& column : columns)
    EXPECT_EQ(column.width, 100);
}

TEST(NetworkColumns, OddEntriesGiveWidthZero) {
  const auto columns = ParseColumnLayout("A,12;B;C,x1;D,");
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns[0].width, 12);
  EXPECT_EQ(columns[1].title, "B");
  EXPECT_EQ(columns[1].width, 0);
  EXPECT_EQ(columns[2].width, 0);
  EXPECT_EQ(columns[3].width, 0);
  EXPECT_TRUE(ParseColumnLayout("").empty());
}

TEST(NetworkColumns, WidthsAreFractionsOfTheTable) {
  const auto widths = NetworkColumnWidths(450);
  EXPECT_EQ(widths, (std::array<int, 7>{150, 50, 50, 50, 45, 90, 90}));
}

TEST(NetworkSort, DigitsCompareAsNumbers) {
  ByteCollation collation;
  EXPECT_LT(CompareColumnTexts("9", "10", SortDirection::Ascending, collation), 0);
  EXPECT_GT(CompareColumnTexts("9", "10", SortDirection::Descending, collation), 0);
  EXPECT_EQ(CompareColumnTexts("007", "7", SortDirection::Ascending, collation), 0);
  // An empty text counts as digits: the other text is read for its leading number.
  EXPECT_LT(CompareColumnTexts("", " 36 (A)", SortDirection::Ascending, collation), 0);
  // Longer than any integer: saturates instead of overflowing.
  EXPECT_EQ(CompareColumnTexts(std::string(40, '9'), std::string(41, '9'), SortDirection::Ascending,
                               collation),
            0);
  EXPECT_EQ(collation.calls, 0);
}

TEST(NetworkSort, DatesCompareByYearThenMonthThenDay) {
  ByteCollation collation;
  EXPECT_LT(CompareColumnTexts("31/12/2004", "01/01/2005", SortDirection::Ascending, collation), 0);
  EXPECT_LT(CompareColumnTexts("30/05/2005", "01/06/2005", SortDirection::Ascending, collation), 0);
  EXPECT_GT(CompareColumnTexts("02/06/2005", "01/06/2005", SortDirection::Ascending, collation), 0);
  // The second text need not be a date; its short fields read as 0.
  EXPECT_GT(CompareColumnTexts("01/01/2005", "ab", SortDirection::Ascending, collation), 0);
  EXPECT_EQ(collation.calls, 0);
}

TEST(NetworkSort, OtherTextsGoToTheLocaleComparison) {
  ByteCollation collation;
  EXPECT_LT(CompareColumnTexts("WEP", "none", SortDirection::Ascending, collation), 0);
  EXPECT_GT(CompareColumnTexts("WEP", "none", SortDirection::Descending, collation), 0);
  EXPECT_LT(CompareColumnTexts("1/1/2005", "2", SortDirection::Ascending, collation), 0);
  EXPECT_EQ(collation.calls, 3);
}

TEST(NetworkSort, StableAndBoundedWithAColumnMixingNumbersAndText) {
  ByteCollation collation;
  std::vector<SurveyRow> rows(6);
  const char* names[] = {"abc", "12", "abc", "", "7", "zz"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].ssidText = names[i];
    rows[i].bssidText = std::to_string(i);
  }
  const auto order = SortedOrder(rows, 0, SortDirection::Ascending, collation);
  ASSERT_EQ(order.size(), rows.size());
  std::vector<bool> seen(rows.size());
  for (const std::size_t index : order) {
    ASSERT_LT(index, rows.size());
    seen[index] = true;
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 6);
  // Equal texts keep their order.
  const auto first = std::find(order.begin(), order.end(), 0u);
  const auto second = std::find(order.begin(), order.end(), 2u);
  EXPECT_LT(first, second);
  EXPECT_TRUE(SortedOrder({}, 0, SortDirection::Descending, collation).empty());
}

TEST(NetworkSort, SortOrderFlipsOnTheSameColumnOnly) {
  SortOrder order;
  EXPECT_EQ(order.column(), -1);
  order.click(0);
  EXPECT_EQ(order.direction(), SortDirection::Ascending);
  order.click(0);
  EXPECT_EQ(order.direction(), SortDirection::Descending);
  order.click(3);
  EXPECT_EQ(order.column(), 3);
  EXPECT_EQ(order.direction(), SortDirection::Ascending);
}

TEST(ChosenNetwork, BandAndChannelComeFromTheChannelText) {
  SurveyRow row;
  row.channelText = " 149 (T)";
  const ChosenNetwork chosen = ChooseRow(row, 4);
  EXPECT_EQ(chosen.bandText, "(T)");
  EXPECT_EQ(chosen.channelNumber, 149);
  EXPECT_EQ(chosen.rowIndex, 4);
  row.channelText = "G)";
  EXPECT_EQ(ChooseRow(row, 0).bandText, "G)");
  EXPECT_EQ(ChooseRow(row, 0).channelNumber, 0);
  EXPECT_EQ(ChannelNumberOfText("   " + std::string(30, '9')), 99999);
}

TEST(ChosenNetwork, AdHocCentreFrequencies) {
  EXPECT_EQ(AdHocSettingFor("(A)", 36).AdHocBand, 1);
  EXPECT_EQ(AdHocSettingFor("(A)", 36).AdHocChannel, 5180);
  EXPECT_EQ(AdHocSettingFor("(T)", 42).AdHocBand, 2);
  EXPECT_EQ(AdHocSettingFor("(T)", 42).AdHocChannel, 5210);
  EXPECT_EQ(AdHocSettingFor("(G)", 6).AdHocBand, 0);
  EXPECT_EQ(AdHocSettingFor("(G)", 6).AdHocChannel, 2437);
  EXPECT_EQ(AdHocSettingFor("(B)", 14).AdHocChannel, 2484);
  EXPECT_EQ(AdHocSettingFor("(B)", 15).AdHocChannel, 2512);
  EXPECT_EQ(AdHocSettingFor("(A)", 0).AdHocChannel, 0);
  EXPECT_EQ(AdHocSettingFor("", 1).AdHocChannel, 2412);
}

// --- The sort column's header ----------------------------------------------------------

TEST(SortHeader, AscendingPointsUpAndDescendingDownInTheSameBox) {
  const Rect item{100, 0, 200, 20};
  const SortHeaderLayout up = LayOutSortHeader(item, SortDirection::Ascending);
  const SortHeaderLayout down = LayOutSortHeader(item, SortDirection::Descending);
  ASSERT_TRUE(up.arrow);
  ASSERT_TRUE(down.arrow);
  // Tip above the base going up, below it going down; the base as wide either way.
  EXPECT_LT(up.triangle[0].y, up.triangle[1].y);
  EXPECT_EQ(up.triangle[1].y, up.triangle[2].y);
  EXPECT_GT(down.triangle[0].y, down.triangle[1].y);
  EXPECT_EQ(down.triangle[1].y, down.triangle[2].y);
  EXPECT_EQ(up.triangle[1].x, down.triangle[1].x);
  EXPECT_EQ(up.triangle[2].x, down.triangle[2].x);
  EXPECT_EQ(up.triangle[0].x, down.triangle[0].x);
  EXPECT_EQ(up.triangle[0].x * 2, up.triangle[1].x + up.triangle[2].x);  // centred tip
  // 20 pixels high: five rows, nine pixels wide, six from the right edge, centred.
  EXPECT_EQ(up.triangle[1], (ArrowPoint{185, 11}));
  EXPECT_EQ(up.triangle[2], (ArrowPoint{193, 11}));
  EXPECT_EQ(up.triangle[0], (ArrowPoint{189, 7}));
  EXPECT_EQ(up.title, (Rect{106, 0, 179, 20}));
}

TEST(SortHeader, TheArrowAndTitleStayInsideTheItemAtEverySize) {
  for (int height = 0; height <= 60; height += 3) {
    for (int width = -4; width <= 120; width += 5) {
      const Rect item{30, 2, 30 + width, 2 + height};
      const SortHeaderLayout layout = LayOutSortHeader(item, SortDirection::Descending);
      EXPECT_GE(layout.title.left, item.left);
      EXPECT_GE(layout.title.right, layout.title.left);
      EXPECT_GE(layout.title.bottom, layout.title.top);
      if (!layout.arrow)
        continue;
      for (const ArrowPoint& point : layout.triangle) {
        EXPECT_GE(point.x, item.left) << width << "x" << height;
        EXPECT_LT(point.x, item.right) << width << "x" << height;
        EXPECT_GE(point.y, item.top) << width << "x" << height;
        EXPECT_LT(point.y, item.bottom) << width << "x" << height;
      }
      EXPECT_LE(layout.title.right, layout.triangle[1].x);  // half-open: no overlap
    }
  }
}

TEST(SortHeader, ANarrowOrLowItemShowsTheTitleWithoutAnArrow) {
  EXPECT_FALSE(LayOutSortHeader({0, 0, 20, 20}, SortDirection::Ascending).arrow);
  EXPECT_FALSE(LayOutSortHeader({0, 0, 100, 12}, SortDirection::Ascending).arrow);
  EXPECT_EQ(LayOutSortHeader({0, 0, 20, 20}, SortDirection::Ascending).title, (Rect{6, 0, 14, 20}));
  EXPECT_TRUE(LayOutSortHeader({0, 0, 21, 20}, SortDirection::Ascending).arrow);
}

}  // namespace
}  // namespace kestrel
