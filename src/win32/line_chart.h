#pragma once
// The strip chart window: the chart model draws into a DIB section, painting is one blit.

#include <windows.h>

#include <memory>

#include "controls/line_chart_model.h"
#include "win32/scoped_handles.h"

namespace kestrel {

class LineChart {
 public:
  LineChart() = default;
  ~LineChart();
  LineChart(const LineChart&) = delete;
  LineChart& operator=(const LineChart&) = delete;

  // A child window with a sunken edge over `rect` of `parent`; scrolls every 1000 ms.
  bool Create(DWORD style, const RECT& rect, HWND parent, UINT id);
  void SetRange(int low, int high);
  void SetPen(int width, COLORREF colour);
  void AppendValue(int value);
  void Advance();
  void AdvanceEmpty();
  // Returns the previous interval; 0 stops the chart.
  UINT SetScrollInterval(UINT milliseconds);

  HWND window() const { return window_; }
  // The off-screen image's pixel as a COLORREF; CLR_INVALID outside it.
  COLORREF PixelAt(int x, int y) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void paint();

  HWND window_ = nullptr;
  OffscreenImage image_;
  PixelView pixels_;
  std::unique_ptr<LineChartModel> model_;
  UINT interval_ = 0;
};

}  // namespace kestrel
