#pragma once
// The sort column's header item, drawn by the page: the column title and, at the item's
// right end, a triangle pointing up (ascending) or down (descending). Pixels, in the
// header's client coordinates.

#include <array>

#include "ui/networks/network_sort.h"
#include "ui/sheet/sheet_geometry.h"

namespace kestrel {

struct ArrowPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ArrowPoint& other) const { return x == other.x && y == other.y; }
};

struct SortHeaderLayout {
  Rect title;          // never inverted; empty when the item has no room
  bool arrow = false;  // false when the item is too narrow or too low for it
  // The tip, then the two ends of the base; corners of the pixels they name.
  std::array<ArrowPoint, 3> triangle{};
};

SortHeaderLayout LayOutSortHeader(const Rect& item, SortDirection direction);

}  // namespace kestrel
