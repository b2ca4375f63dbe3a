#include "ui/sheet/sheet_geometry.h"

namespace kestrel {

namespace {

struct CellLayout {
  int controlId;
  CellKind kind;
  int pictureIndex;
  double fraction;
  int insetLeft;
  int insetTop;
  int insetRight;
  int insetBottom;
};

constexpr int kBarCount = 8;
constexpr int kFirstBarId = 1105;

constexpr std::array<CellLayout, 6> kLeadingCells = {{
    {1114, CellKind::Picture, 0, 0.05, 0, 6, 0, 0},
    {kNetworkTextId, CellKind::LeftText, -1, 0.41, 8, 5, 5, 4},
    {1101, CellKind::Picture, 1, 0.04, 12, 7, 3, 12},
    {kChannelTextId, CellKind::CentredText, -1, 0.115, 8, 5, 5, 4},
    {kRateTextId, CellKind::CentredText, -1, 0.10, 8, 5, 5, 4},
    {kSignalLabelId, CellKind::CentredText, -1, 0.08, 8, 5, 5, 4},
}};

// The bar pictures start 2 pixels left of their cells.
constexpr CellLayout kBarCell = {0, CellKind::Picture, 0, 0.025, -2, 7, 5, 8};

constexpr int kRowOffset = 35;
constexpr int kAnchorBack = 15;
constexpr int kButtonGap = 6;
constexpr int kHelpLeft = 8;
constexpr int kTabWidthSlack = 5;

StatusCell PlaceCell(const CellLayout& layout, const Rect& strip, int& runningLeft) {
  const int left = runningLeft;
  runningLeft = static_cast<int>(runningLeft + strip.width() * layout.fraction);
  const int right = runningLeft;
  StatusCell cell;
  cell.controlId = layout.controlId;
  cell.kind = layout.kind;
  cell.pictureIndex = layout.pictureIndex;
  cell.rect = {left + layout.insetLeft, strip.top + layout.insetTop, right - layout.insetRight,
               strip.bottom - layout.insetBottom};
  return cell;
}

Rect ButtonAt(int left, int top, Size button) {
  return {left, top, left + button.width, top + button.height};
}

}  // namespace

Rect StatusStripBelow(int tabBottom, int clientWidth) {
  return {kStatusStripMargin, tabBottom, clientWidth - kStatusStripMargin,
          tabBottom + kStatusStripHeight};
}

std::array<StatusCell, kStatusCellCount> LayOutStatusCells(const Rect& strip) {
  std::array<StatusCell, kStatusCellCount> cells{};
  int runningLeft = strip.left;
  std::size_t index = 0;
  for (const CellLayout& layout : kLeadingCells)
    cells[index++] = PlaceCell(layout, strip, runningLeft);
  for (int bar = 0; bar < kBarCount; ++bar) {
    CellLayout layout = kBarCell;
    layout.controlId = kFirstBarId + bar;
    layout.pictureIndex = 2 + bar;
    cells[index++] = PlaceCell(layout, strip, runningLeft);
  }
  return cells;
}

BottomRow LayOutBottomRow(const Rect& strip, Size button) {
  const int top = strip.top + kRowOffset;
  const int anchor = strip.left + strip.width() / 2 - kAnchorBack;
  const int step = button.width + kButtonGap;
  BottomRow row;
  row.apply = ButtonAt(anchor + step, top, button);
  row.connect = row.apply;
  row.cancel = ButtonAt(anchor + 2 * step, top, button);
  row.scan = row.cancel;
  row.close = ButtonAt(anchor + 3 * step, top, button);
  row.help = ButtonAt(kHelpLeft, top, button);
  return row;
}

int MinimumTabWidth(int tabControlWidth, bool fourPages) {
  return (tabControlWidth - kTabWidthSlack) / (fourPages ? 4 : 2);
}

}  // namespace kestrel
