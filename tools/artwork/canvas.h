#pragma once
// A small RGB drawing surface for the program's artwork; kClear marks see-through pixels.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::artwork {

using Colour = std::uint32_t;  // 0x00RRGGBB, or kClear
constexpr Colour kClear = 0xFF000000u;

constexpr Colour Rgb(int red, int green, int blue) {
  return (static_cast<Colour>(red) << 16) | (static_cast<Colour>(green) << 8) |
         static_cast<Colour>(blue);
}

class Canvas {
 public:
  Canvas(int width, int height, Colour fill = kClear);

  int width() const { return width_; }
  int height() const { return height_; }
  Colour at(int x, int y) const;
  const std::vector<Colour>& pixels() const { return pixels_; }

  void set(int x, int y, Colour colour);
  void fill(int left, int top, int width, int height, Colour colour);
  void frame(int left, int top, int width, int height, Colour colour);
  void line(int x0, int y0, int x1, int y1, Colour colour);
  void disc(int cx, int cy, int radius, Colour colour);
  // Arc of a ring centred on (cx, cy) between two angles in degrees (0 = right, 90 = up).
  void arc(int cx, int cy, int radius, int thickness, int fromDegrees, int toDegrees,
           Colour colour);
  // Vertical blend from `top` to `bottom` colour over the rectangle.
  void gradient(int left, int top, int width, int height, Colour topColour, Colour bottomColour);
  // The 5x7 pixel font, each font pixel drawn as scale x scale. Returns the text's width.
  int text(int x, int y, const std::string& text, int scale, Colour colour);
  void blit(const Canvas& source, int x, int y);
  Canvas crop(int left, int top, int width, int height) const;

 private:
  int width_;
  int height_;
  std::vector<Colour> pixels_;
};

int TextWidth(const std::string& text, int scale);

}  // namespace kestrel::artwork
