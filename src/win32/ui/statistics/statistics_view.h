#pragma once
// The statistics page window (template 132): the line chart over its placeholder, the
// level gauge drawn from its bitmap pair, the green-on-black percentage.

#include <windows.h>

#include <memory>

#include "monitor/load_chart.h"
#include "ui/statistics/statistics_page.h"
#include "ui/statistics/steady_scroll_chart.h"
#include "win32/dialog_view.h"
#include "win32/line_chart.h"
#include "win32/ui/pages/page_header.h"
#include "win32/win32_control_surface.h"
#include "win32/win32_timers.h"

namespace kestrel {

class StatisticsView : public DialogView, private LoadChart, private LevelGauge {
 public:
  StatisticsView(AppServices& services, SheetControl& sheet);
  ~StatisticsView() override;
  PROPSHEETPAGEW page(HINSTANCE instance);
  StatisticsPage& logic() { return page_; }
  const LineChart* chart() const { return chart_.get(); }

 private:
  BOOL onInitDialog() override;
  void onCommand(int id, std::optional<ControlEvent> event) override;
  void onTimer(UINT_PTR id) override;
  void onDestroy() override;
  void onSetActive() override;
  bool onKillActive() override;
  INT_PTR onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

  // LoadChart, over the line chart window.
  std::uint32_t SetScrollInterval(std::uint32_t ms) override;
  void AppendValue(int value) override;
  void Advance() override;
  void AdvanceEmpty() override;
  // LevelGauge.
  void setRange(int minimum, int maximum) override;
  void setPosition(int position) override;

  void placeGauge();
  void drawGauge(const DRAWITEMSTRUCT& item);
  void releaseGaugeBitmaps();

  AppServices& services_;
  Win32Timers timers_{nullptr};
  StatisticsPage page_;
  std::unique_ptr<Win32ControlSurface> controls_;
  std::unique_ptr<LineChart> chart_;
  std::unique_ptr<SteadyScrollChart> steadyChart_;
  PageHeader header_;
  HBITMAP gaugeEmpty_ = nullptr;
  HBITMAP gaugeFull_ = nullptr;
  int gaugeMinimum_ = 0;
  int gaugeMaximum_ = 100;
  int gaugePosition_ = 0;
};

}  // namespace kestrel
