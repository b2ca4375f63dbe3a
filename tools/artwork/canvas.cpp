#include "canvas.h"

#include <cmath>
#include <cstdlib>
#include <map>

namespace kestrel::artwork {

namespace {

// 5x7 glyphs, one string per row, '#' set.
const std::map<char, std::vector<const char*>>& Glyphs() {
  static const std::map<char, std::vector<const char*>> glyphs{
      {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
      {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
      {'C', {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "}},
      {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
      {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
      {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
      {'G', {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"}},
      {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
      {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
      {'J', {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "}},
      {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
      {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
      {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
      {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
      {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
      {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
      {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
      {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
      {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
      {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
      {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
      {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
      {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
      {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
      {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
      {'Z', {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
      {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
      {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
      {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
      {'3', {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "}},
      {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
      {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
      {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
      {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
      {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
      {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
      {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
      {'/', {"     ", "    #", "   # ", "  #  ", " #   ", "#    ", "     "}},
      {'-', {"     ", "     ", "     ", "#####", "     ", "     ", "     "}},
      {' ', {"     ", "     ", "     ", "     ", "     ", "     ", "     "}},
  };
  return glyphs;
}

int Channel(Colour colour, int shift) {
  return static_cast<int>((colour >> shift) & 0xFF);
}

}  // namespace

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

Colour Canvas::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return kClear;
  return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

void Canvas::set(int x, int y, Colour colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return;
  pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
}

void Canvas::fill(int left, int top, int width, int height, Colour colour) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x)
      set(x, y, colour);
  }
}

void Canvas::frame(int left, int top, int width, int height, Colour colour) {
  fill(left, top, width, 1, colour);
  fill(left, top + height - 1, width, 1, colour);
  fill(left, top, 1, height, colour);
  fill(left + width - 1, top, 1, height, colour);
}

void Canvas::line(int x0, int y0, int x1, int y1, Colour colour) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    set(x0, y0, colour);
    if (x0 == x1 && y0 == y1)
      return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

void Canvas::disc(int cx, int cy, int radius, Colour colour) {
  for (int y = -radius; y <= radius; ++y) {
    for (int x = -radius; x <= radius; ++x) {
      if (x * x + y * y <= radius * radius + radius / 2)
        set(cx + x, cy + y, colour);
    }
  }
}

void Canvas::arc(int cx, int cy, int radius, int thickness, int fromDegrees, int toDegrees,
                 Colour colour) {
  const int outer = radius * radius;
  const int inner = (radius - thickness) * (radius - thickness);
  for (int y = -radius; y <= radius; ++y) {
    for (int x = -radius; x <= radius; ++x) {
      const int distance = x * x + y * y;
      if (distance > outer || distance <= inner)
        continue;
      // Integer-free angle test would be clumsy; degrees are compared after rounding.
      const double degrees = std::atan2(-y, x) * 180.0 / 3.14159265358979;
      const long rounded = std::lround(degrees);
      if (rounded >= fromDegrees && rounded <= toDegrees)
        set(cx + x, cy + y, colour);
    }
  }
}

void Canvas::gradient(int left, int top, int width, int height, Colour topColour,
                      Colour bottomColour) {
  for (int row = 0; row < height; ++row) {
    const int span = height > 1 ? height - 1 : 1;
    auto mix = [&](int shift) {
      return (Channel(topColour, shift) * (span - row) + Channel(bottomColour, shift) * row) / span;
    };
    fill(left, top + row, width, 1, Rgb(mix(16), mix(8), mix(0)));
  }
}

int TextWidth(const std::string& text, int scale) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
}

int Canvas::text(int x, int y, const std::string& text, int scale, Colour colour) {
  int cursor = x;
  for (char c : text) {
    const auto found = Glyphs().find(c);
    if (found != Glyphs().end()) {
      for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
          if (found->second[static_cast<std::size_t>(row)][column] == '#')
            fill(cursor + column * scale, y + row * scale, scale, scale, colour);
        }
      }
    }
    cursor += 6 * scale;
  }
  return TextWidth(text, scale);
}

void Canvas::blit(const Canvas& source, int x, int y) {
  for (int row = 0; row < source.height(); ++row) {
    for (int column = 0; column < source.width(); ++column) {
      const Colour colour = source.at(column, row);
      if (colour != kClear)
        set(x + column, y + row, colour);
    }
  }
}

Canvas Canvas::crop(int left, int top, int width, int height) const {
  Canvas part(width, height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column)
      part.set(column, row, at(left + column, top + row));
  }
  return part;
}

}  // namespace kestrel::artwork
