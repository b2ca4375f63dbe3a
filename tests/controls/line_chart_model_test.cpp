// The strip chart against its numbers: heights, averages, scrolling and the moving grid.
#include <gtest/gtest.h>

#include <vector>

#include "controls/line_chart_model.h"

namespace kestrel {
namespace {

class LineChartModelTest : public ::testing::Test {
 protected:
  explicit LineChartModelTest(int width = 200, int height = 100)
      : pixels(static_cast<std::size_t>(width * height), MakeRgb(1, 2, 3)),
        image(pixels.data(), width, height),
        chart(image) {
    chart.SetRange(0, 300);
  }

  int right() const { return image.width(); }

  // Rows of column x that hold the line colour.
  std::vector<int> lineRowsAt(int x) const {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
      if (image.at(x, y) == kChartLine)
        rows.push_back(y);
    }
    return rows;
  }

  bool columnHasLine(int x) const { return !lineRowsAt(x).empty(); }

  std::vector<Rgb> pixels;
  PixelView image;
  LineChartModel chart;
};

TEST_F(LineChartModelTest, FreshChartIsBackgroundWithGridEveryThirteenPixels) {
  EXPECT_EQ(image.at(0, 0), kChartBackground);
  EXPECT_EQ(image.at(12, 5), kChartGrid);
  EXPECT_EQ(image.at(25, 5), kChartGrid);
  EXPECT_EQ(image.at(5, 12), kChartGrid);
  EXPECT_EQ(image.at(13, 5), kChartBackground);
  EXPECT_EQ(chart.currentY(), 101);
  EXPECT_EQ(chart.previousY(), 101);
  EXPECT_EQ(chart.gridPhase(), 13);
}

TEST_F(LineChartModelTest, MidRangeValueEndsAtHalfHeight) {
  chart.AppendValue(150);
  chart.Advance();
  EXPECT_EQ(chart.currentY(), 50);  // 100 - 151 * 100 / 301
  EXPECT_EQ(lineRowsAt(right() - 6), (std::vector<int>{49, 50}));
}

TEST_F(LineChartModelTest, AdvancePlotsTheAverageOfPendingValues) {
  chart.AppendValue(10);
  chart.AppendValue(20);
  chart.AppendValue(30);
  EXPECT_EQ(chart.pendingCount(), 3u);
  chart.Advance();
  EXPECT_EQ(chart.pendingCount(), 0u);
  EXPECT_EQ(chart.currentY(), 100 - 21 * 100 / 301);
}

TEST_F(LineChartModelTest, FirstAdvanceDrawsAFlatSegment) {
  chart.AppendValue(150);
  chart.Advance();
  EXPECT_EQ(chart.previousY(), 50);
  for (int x = right() - 8; x <= right() - 5; ++x)
    EXPECT_EQ(lineRowsAt(x), (std::vector<int>{49, 50})) << "x " << x;
  EXPECT_FALSE(columnHasLine(right() - 9));
  EXPECT_FALSE(columnHasLine(right() - 3));
}

TEST_F(LineChartModelTest, AdvanceWithoutValueContinuesFlat) {
  chart.AppendValue(150);
  chart.Advance();
  chart.Advance();
  EXPECT_EQ(chart.currentY(), 50);
  // The older segment moved 3 pixels left and the new one joins it at the same height.
  for (int x = right() - 11; x <= right() - 5; ++x)
    EXPECT_EQ(lineRowsAt(x), (std::vector<int>{49, 50})) << "x " << x;
}

TEST_F(LineChartModelTest, RisingValueDrawsASlope) {
  chart.AppendValue(0);  // stored 1: just above the bottom edge
  chart.Advance();
  EXPECT_EQ(chart.currentY(), 100 - 100 / 301);
  chart.AppendValue(300);  // stored 301: the top edge
  chart.Advance();
  EXPECT_EQ(chart.currentY(), 0);
  EXPECT_TRUE(columnHasLine(right() - 6));
  EXPECT_EQ(lineRowsAt(right() - 7).back(), 100 - 1);  // starts at the old height
}

TEST_F(LineChartModelTest, ValuesOutsideTheRangeAreNotClampedButStayInsideTheImage) {
  chart.AppendValue(2000000000);
  chart.Advance();
  EXPECT_LT(chart.currentY(), -100000);
  chart.AppendValue(-2000000000);
  chart.Advance();
  EXPECT_GT(chart.currentY(), 100000);
  EXPECT_TRUE(columnHasLine(right() - 6));  // the steep line still crosses the image
}

TEST_F(LineChartModelTest, InvertedRangeIsRefusedAndTheOldOneKept) {
  EXPECT_FALSE(chart.SetRange(10, 9));
  chart.AppendValue(150);
  chart.Advance();
  EXPECT_EQ(chart.currentY(), 50);
}

TEST_F(LineChartModelTest, EmptyAdvancesScrollWithoutTouchingTheLineEnds) {
  chart.AppendValue(150);
  chart.AppendValue(160);
  chart.AdvanceEmpty();
  EXPECT_EQ(chart.pendingCount(), 2u);
  EXPECT_EQ(chart.currentY(), 101);
  EXPECT_FALSE(columnHasLine(right() - 6));
}

TEST_F(LineChartModelTest, HundredFiftyEmptyAdvancesClearANarrowerChart) {
  for (int value = 0; value < 60; ++value) {
    chart.AppendValue(value * 5);
    chart.Advance();
  }
  for (int i = 0; i < 150; ++i)
    chart.AdvanceEmpty();
  for (int x = 0; x < right(); ++x)
    EXPECT_FALSE(columnHasLine(x)) << "x " << x;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < right(); ++x) {
      const Rgb pixel = image.at(x, y);
      ASSERT_TRUE(pixel == kChartBackground || pixel == kChartGrid) << x << "," << y;
    }
  }
}

TEST_F(LineChartModelTest, GridPhaseCyclesThroughItsSequence) {
  const std::vector<int> expected{10, 7, 4, 1, 11, 8, 5, 2, 12, 9, 6, 3, 0, 10};
  for (int phase : expected) {
    chart.AdvanceEmpty();
    EXPECT_EQ(chart.gridPhase(), phase);
  }
}

TEST_F(LineChartModelTest, VerticalGridKeepsThirteenPixelSpacingWhileScrolling) {
  for (int advance = 1; advance <= 40; ++advance) {
    chart.AdvanceEmpty();
    std::vector<int> columns;
    for (int x = 0; x < right(); ++x) {
      if (image.at(x, 5) == kChartGrid)
        columns.push_back(x);
    }
    ASSERT_GE(columns.size(), 2u);
    for (std::size_t i = 1; i < columns.size(); ++i)
      ASSERT_EQ(columns[i] - columns[i - 1], 13) << "advance " << advance;
    ASSERT_GE(columns.back(), right() - 13) << "advance " << advance;
    ASSERT_LE(columns.front(), 12) << "advance " << advance;
  }
}

TEST_F(LineChartModelTest, HorizontalGridIsRedrawnInTheNewStrip) {
  for (int i = 0; i < 5; ++i)
    chart.AdvanceEmpty();
  for (int x = right() - 6; x < right(); ++x) {
    EXPECT_EQ(image.at(x, 12), kChartGrid) << x;
    EXPECT_EQ(image.at(x, 25), kChartGrid) << x;
  }
}

TEST_F(LineChartModelTest, PenWidthAndColourFollowSetPen) {
  const Rgb red = MakeRgb(255, 0, 0);
  chart.SetPen(4, red);
  chart.AppendValue(150);
  chart.Advance();
  std::vector<int> rows;
  for (int y = 0; y < 100; ++y) {
    if (image.at(right() - 6, y) == red)
      rows.push_back(y);
  }
  EXPECT_EQ(rows, (std::vector<int>{48, 49, 50, 51}));
}

class TinyLineChartTest : public LineChartModelTest {
 protected:
  TinyLineChartTest() : LineChartModelTest(4, 3) {}
};

TEST_F(TinyLineChartTest, ChartSmallerThanOneStepOnlyEverHoldsChartColours) {
  chart.AppendValue(150);
  chart.Advance();
  chart.AdvanceEmpty();
  chart.Advance();
  for (Rgb pixel : pixels)
    EXPECT_TRUE(pixel == kChartBackground || pixel == kChartGrid || pixel == kChartLine);
}

}  // namespace
}  // namespace kestrel
