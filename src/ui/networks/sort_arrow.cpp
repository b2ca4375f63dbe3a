#include "ui/networks/sort_arrow.h"

#include <algorithm>

namespace kestrel {

namespace {

constexpr int kMargin = 6;        // between the item's edges, the title and the arrow
constexpr int kSmallestRows = 3;  // an arrow of fewer rows does not read as one
constexpr int kLargestRows = 6;

}  // namespace

SortHeaderLayout LayOutSortHeader(const Rect& item, SortDirection direction) {
  SortHeaderLayout layout;
  layout.title = {item.left + kMargin, item.top, item.right - kMargin, item.bottom};
  if (layout.title.right < layout.title.left || item.bottom < item.top)
    layout.title = {item.left, item.top, item.left, std::max(item.top, item.bottom)};

  // Rows of the triangle; its base is 2 * rows - 1 pixels wide, its tip one pixel.
  const int rows = std::min((item.height() - 4) / 3, kLargestRows);
  const int base = 2 * rows - 1;
  if (rows < kSmallestRows || item.width() < base + 2 * kMargin)
    return layout;

  const int left = item.right - kMargin - base;
  const int right = left + base - 1;
  const int top = item.top + (item.height() - rows) / 2;
  const int bottom = top + rows - 1;
  const int middle = left + rows - 1;
  const bool up = direction == SortDirection::Ascending;
  layout.arrow = true;
  layout.triangle = {ArrowPoint{middle, up ? top : bottom}, ArrowPoint{left, up ? bottom : top},
                     ArrowPoint{right, up ? bottom : top}};
  layout.title.right = std::max(layout.title.left, left - kMargin);
  return layout;
}

}  // namespace kestrel
