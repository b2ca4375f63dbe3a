#pragma once
// The network table's columns: titles from the column layout text, widths from
// the table's width.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

inline constexpr int kNetworkColumnCount = 7;

struct ColumnLayout {
  std::string title;
  int width = 0;
};

// "title,width;title,width;...": a width that is not a number reads as 0, an entry
// without a comma is a title with width 0.
std::vector<ColumnLayout> ParseColumnLayout(std::string_view text);

// Network name W/3; XR, channel and security W/9; signal W/10; MAC address and mode W/5.
std::array<int, kNetworkColumnCount> NetworkColumnWidths(int tableWidth);

}  // namespace kestrel
