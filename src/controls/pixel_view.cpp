#include "controls/pixel_view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kestrel {

PixelView::PixelView(Rgb* pixels, int width, int height)
    : pixels_(pixels),
      width_(pixels != nullptr ? std::max(width, 0) : 0),
      height_(pixels != nullptr ? std::max(height, 0) : 0) {}

Rgb PixelView::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return 0;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

void PixelView::set(int x, int y, Rgb colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = colour;
}

void PixelView::fill(PixelRect rect, Rgb colour) {
  const int left = std::max(rect.left, 0);
  const int top = std::max(rect.top, 0);
  const int right = std::min(rect.right, width_);
  const int bottom = std::min(rect.bottom, height_);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x)
      set(x, y, colour);
  }
}

void PixelView::shiftLeft(int columns) {
  if (columns <= 0 || columns >= width_)
    return;
  const auto kept = static_cast<std::size_t>(width_ - columns);
  for (int y = 0; y < height_; ++y) {
    Rgb* row = pixels_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    std::memmove(row, row + columns, kept * sizeof(Rgb));
  }
}

void PixelView::stamp(long long x, long long y, int penWidth, Rgb colour) {
  // A wide pen covers penWidth pixels around the point, the extra one towards the top left.
  const long long first = -(penWidth / 2);
  for (long long dy = first; dy < first + penWidth; ++dy) {
    for (long long dx = first; dx < first + penWidth; ++dx) {
      const long long px = x + dx;
      const long long py = y + dy;
      if (px >= 0 && py >= 0 && px < width_ && py < height_)
        set(static_cast<int>(px), static_cast<int>(py), colour);
    }
  }
}

void PixelView::line(long long x0, long long y0, long long x1, long long y1, int penWidth,
                     Rgb colour) {
  penWidth = std::max(penWidth, 1);
  const long long dx = x1 - x0;
  const long long dy = y1 - y0;
  if (dx == 0 && dy == 0)
    return;
  // Only the part of the major axis that can touch the image is walked, so an end point
  // far outside it (chart values are not clamped) costs nothing.
  const long long low = -penWidth;
  if (std::llabs(dx) >= std::llabs(dy)) {
    const long long high = static_cast<long long>(width_) + penWidth;
    const long long first = dx > 0 ? std::max(x0, low) : std::min(x0, high - 1);
    const long long last = dx > 0 ? std::min(x1, high) : std::max(x1, low - 1);
    const long long step = dx > 0 ? 1 : -1;
    for (long long x = first; (step > 0 ? x < last : x > last); x += step)
      stamp(x, y0 + ((x - x0) * dy * 2 + dx) / (dx * 2), penWidth, colour);
    return;
  }
  const long long high = static_cast<long long>(height_) + penWidth;
  const long long first = dy > 0 ? std::max(y0, low) : std::min(y0, high - 1);
  const long long last = dy > 0 ? std::min(y1, high) : std::max(y1, low - 1);
  const long long step = dy > 0 ? 1 : -1;
  for (long long y = first; (step > 0 ? y < last : y > last); y += step)
    stamp(x0 + ((y - y0) * dx * 2 + dy) / (dy * 2), y, penWidth, colour);
}

}  // namespace kestrel
