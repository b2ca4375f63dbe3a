#include "ui/networks/network_columns.h"

namespace kestrel {

namespace {

int WidthOf(std::string_view text) {
  int width = 0;
  for (const char c : text) {
    if (c < '0' || c > '9')
      return 0;
    if (width > 100000)
      return width;
    width = width * 10 + (c - '0');
  }
  return width;
}

}  // namespace

std::vector<ColumnLayout> ParseColumnLayout(std::string_view text) {
  std::vector<ColumnLayout> columns;
  while (!text.empty()) {
    const std::size_t end = text.find(';');
    const std::string_view entry = text.substr(0, end);
    const std::size_t comma = entry.find(',');
    ColumnLayout column;
    column.title = std::string(entry.substr(0, comma));
    if (comma != std::string_view::npos)
      column.width = WidthOf(entry.substr(comma + 1));
    columns.push_back(std::move(column));
    if (end == std::string_view::npos)
      break;
    text.remove_prefix(end + 1);
  }
  return columns;
}

std::array<int, kNetworkColumnCount> NetworkColumnWidths(int tableWidth) {
  const int w = tableWidth;
  return {w / 3, w / 9, w / 9, w / 9, w / 10, w / 5, w / 5};
}

}  // namespace kestrel
