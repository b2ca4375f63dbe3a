#pragma once
// The scrolling strip chart's picture and rules, drawn into an image the window copies.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/pixel_view.h"

namespace kestrel {

constexpr Rgb kChartBackground = MakeRgb(0, 0, 0);
constexpr Rgb kChartGrid = MakeRgb(0, 130, 66);
constexpr Rgb kChartLine = MakeRgb(0, 255, 0);
constexpr int kChartGridCell = 13;
constexpr int kChartScrollStep = 3;

class LineChartModel {
 public:
  // Builds the first picture (background and grid) over the whole image.
  explicit LineChartModel(PixelView image);

  // An empty or inverted range is refused and the previous range kept: the height of a
  // value divides by the range size.
  bool SetRange(int low, int high);
  void SetPen(int width, Rgb colour);
  void AppendValue(int value);
  void Advance();
  void AdvanceEmpty();

  long long currentY() const { return currentY_; }
  long long previousY() const { return previousY_; }
  int gridPhase() const { return gridPhase_; }
  std::size_t pendingCount() const { return pending_.size(); }

 private:
  void scrollAndDrawGrid();
  long long takeAverage();

  PixelView image_;
  int right_;
  int bottom_;
  long long rangeLowMinusOne_ = -1;
  long long rangeSize_ = 101;
  int penWidth_ = 2;
  Rgb penColour_ = kChartLine;
  std::vector<long long> pending_;
  long long currentY_;
  long long previousY_;
  int gridPhase_ = kChartGridCell;
};

}  // namespace kestrel
