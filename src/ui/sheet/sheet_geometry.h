#pragma once
// Where the main sheet puts its own parts: the status strip under the tabs with its cells,
// the bottom row of buttons, the tab width and the page it opens on. Coordinates are the
// sheet's client coordinates in pixels.

#include <array>

namespace kestrel {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  Rect movedDown(int dy) const { return {left, top + dy, right, bottom + dy}; }
  bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

struct Size {
  int width = 0;
  int height = 0;
};

inline constexpr int kStatusStripHeight = 30;
inline constexpr int kStatusStripMargin = 6;
inline constexpr int kStatusFontHeight = 11;

// Control ids of the status panel.
inline constexpr int kStatusBackgroundId = 1139;
inline constexpr int kNetworkTextId = 1100;
inline constexpr int kChannelTextId = 1102;
inline constexpr int kRateTextId = 1103;
inline constexpr int kSignalLabelId = 1104;
inline constexpr int kStatusCellCount = 14;
inline constexpr int kStatusPictureCount = 10;

enum class CellKind { Picture, LeftText, CentredText };

struct StatusCell {
  int controlId = 0;
  CellKind kind = CellKind::Picture;
  int pictureIndex = -1;  // 0..9 in the presentation order; -1 for a text cell
  Rect rect;              // the cell after its insets
};

// The strip directly below the tab control, 30 pixels high, 6 pixels in from each side.
Rect StatusStripBelow(int tabBottom, int clientWidth);

// The cells left to right: each one as wide as its fraction of the strip, starting where
// the previous one ended (truncated to whole pixels at every step), then shrunk by its
// insets.
std::array<StatusCell, kStatusCellCount> LayOutStatusCells(const Rect& strip);

// The bottom row, every button the size of the framework's OK button. The hidden anchor
// slot starts at strip left + strip width / 2 - 15; the three slots to its right hold
// Apply or Connect, Cancel or Scan, and Close. Help sits 8 pixels from the left edge.
struct BottomRow {
  Rect apply;
  Rect connect;
  Rect cancel;
  Rect scan;
  Rect close;
  Rect help;
  // Where the sheet's window ends: 10 pixels below the row.
  int windowBottom() const { return close.bottom + 10; }
};
BottomRow LayOutBottomRow(const Rect& strip, Size button);

// The tab control's minimum tab width: the four or two tabs share its width less 5.
int MinimumTabWidth(int tabControlWidth, bool fourPages);

}  // namespace kestrel
