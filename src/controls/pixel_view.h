#pragma once
// A window onto 32-bit pixels owned elsewhere: a DIB section on Windows, a vector in tests.

#include <cstdint>

namespace kestrel {

// 0x00RRGGBB: the memory layout of one pixel of a 32-bit top-down DIB.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int red, int green, int blue) {
  return (static_cast<Rgb>(red & 0xFF) << 16) | (static_cast<Rgb>(green & 0xFF) << 8) |
         static_cast<Rgb>(blue & 0xFF);
}

// Half-open: left and top inside, right and bottom outside.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Every write is clipped to the image; reads outside it give 0.
class PixelView {
 public:
  PixelView() = default;
  PixelView(Rgb* pixels, int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb at(int x, int y) const;

  void set(int x, int y, Rgb colour);
  void fill(PixelRect rect, Rgb colour);
  // Each pixel takes the one `columns` to its right; the last `columns` keep their pixels.
  void shiftLeft(int columns);
  // GDI convention: the end point is not drawn. Each point is a penWidth-square.
  void line(long long x0, long long y0, long long x1, long long y1, int penWidth, Rgb colour);

 private:
  void stamp(long long x, long long y, int penWidth, Rgb colour);

  Rgb* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace kestrel
