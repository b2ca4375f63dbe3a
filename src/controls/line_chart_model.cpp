#include "controls/line_chart_model.h"

#include <algorithm>

namespace kestrel {

namespace {
constexpr int kMaxPenWidth = 32;
}

LineChartModel::LineChartModel(PixelView image)
    : image_(image),
      right_(image.width()),
      bottom_(image.height()),
      currentY_(image.height() + 1LL),
      previousY_(image.height() + 1LL) {
  pending_.reserve(10);
  image_.fill({0, 0, right_, bottom_}, kChartBackground);
  for (int x = -1; x < right_; x += kChartGridCell)
    image_.fill({x, 0, x + 1, bottom_}, kChartGrid);
  for (int y = -1; y < bottom_; y += kChartGridCell)
    image_.fill({0, y, right_, y + 1}, kChartGrid);
}

bool LineChartModel::SetRange(int low, int high) {
  const long long size = static_cast<long long>(high) - low + 1;
  if (size <= 0)
    return false;
  rangeLowMinusOne_ = static_cast<long long>(low) - 1;
  rangeSize_ = size;
  return true;
}

void LineChartModel::SetPen(int width, Rgb colour) {
  penWidth_ = std::clamp(width, 1, kMaxPenWidth);
  penColour_ = colour;
}

void LineChartModel::AppendValue(int value) {
  pending_.push_back(value - rangeLowMinusOne_);
}

long long LineChartModel::takeAverage() {
  if (pending_.empty())
    return 0;
  long long sum = 0;
  for (long long value : pending_)
    sum += value;  // each within +-2^32, so a sum of billions of them still fits
  const long long average = sum / static_cast<long long>(pending_.size());
  pending_.clear();
  return average;
}

void LineChartModel::scrollAndDrawGrid() {
  image_.fill({right_ - kChartScrollStep, 0, right_, bottom_}, kChartBackground);
  image_.shiftLeft(kChartScrollStep);

  gridPhase_ -= kChartScrollStep;
  if (gridPhase_ < 0)
    gridPhase_ += kChartGridCell;
  const int offset = ((right_ - gridPhase_) % kChartGridCell + kChartGridCell) % kChartGridCell;
  const int x = right_ - offset - 1;
  image_.fill({x, 0, x + 1, bottom_}, kChartGrid);
  for (int y = -1; y < bottom_; y += kChartGridCell)
    image_.fill({right_ - 6, y, right_, y + 1}, kChartGrid);
}

void LineChartModel::Advance() {
  scrollAndDrawGrid();
  const long long average = takeAverage();
  if (average != 0)
    currentY_ = bottom_ - average * bottom_ / rangeSize_;
  if (previousY_ == bottom_ + 1LL)
    previousY_ = currentY_;
  image_.line(right_ - 7, previousY_, right_ - 4, currentY_, penWidth_, penColour_);
  previousY_ = currentY_;
}

void LineChartModel::AdvanceEmpty() {
  scrollAndDrawGrid();
}

}  // namespace kestrel
