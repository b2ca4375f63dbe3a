#pragma once
// CStatisticsDlg: the sampler's figures once a second, the load chart, the level gauge
// and the chart-mode radios. The object lives with the application; its window, timer,
// chart and sampler state come with each sheet.

#include <cstdint>
#include <optional>

#include "monitor/statistics_sampler.h"
#include "platform/control_surface.h"
#include "ui/pages/page_common.h"

namespace kestrel {

struct AppServices;
class LoadChart;
class SheetControl;
class Timers;

// The level gauge beside the chart: a position within a range, drawn with two bitmaps.
class LevelGauge {
 public:
  virtual ~LevelGauge() = default;
  virtual void setRange(int minimum, int maximum) = 0;
  virtual void setPosition(int position) = 0;
};

inline constexpr ControlId kTxMbpsId = 1009;
inline constexpr ControlId kTxPacketsPerSecondId = 1010;
inline constexpr ControlId kTxTotalId = 1011;
inline constexpr ControlId kTxErrorsId = 1012;
inline constexpr ControlId kRxMbpsId = 1021;
inline constexpr ControlId kRxPacketsPerSecondId = 1022;
inline constexpr ControlId kRxTotalId = 1023;
inline constexpr ControlId kRxErrorsId = 1024;
inline constexpr ControlId kChartPlaceholderId = 1126;
inline constexpr ControlId kChartId = 1000;
inline constexpr ControlId kTransmitRadioId = 1092;
inline constexpr ControlId kReceiveRadioId = 1093;
inline constexpr ControlId kTotalRadioId = 1096;
inline constexpr ControlId kGaugeAreaId = 1115;
inline constexpr ControlId kGaugeId = 1139;
inline constexpr ControlId kPercentTextId = 1116;
inline constexpr ControlId kStatisticsHeaderPictureId = 1073;
inline constexpr ControlId kStatisticsHelpId = 1091;

inline constexpr int kChartLow = 0;
inline constexpr int kChartHigh = 300;

// The gauge's bitmap pair (empty, full) for the pixel height of its area.
struct GaugeBitmaps {
  int empty = 0;
  int full = 0;
};
GaugeBitmaps GaugeBitmapsForHeight(int areaHeight);
// The gauge's left edge: 16 pixels left of the area's horizontal centre.
int GaugeLeft(int areaLeft, int areaRight);
// Rows of a gauge `height` pixels high that are lit at `position` of 0..100 (clamped).
int GaugeLitHeight(int position, int height);

class StatisticsPage {
 public:
  StatisticsPage(AppServices& services, SheetControl& sheet, Timers& timers);

  // The chart is already created over its placeholder with the range 0..300.
  void OnInitDialog(ControlSurface& controls, LoadChart& chart, LevelGauge& gauge);
  void OnDestroy();
  void OnSetActive();
  // False for ids that are not the sampler's.
  bool OnTimer(std::uint32_t timerId);
  void OnCommand(ControlId id, ControlEvent event);
  static bool SwallowsKey(const PageKey& key);

  ChartMode chartMode() const { return chartMode_; }

 private:
  void changeChartMode(ChartMode mode);
  void show(const StatisticsDisplay& display);

  AppServices& services_;
  SheetControl& sheet_;
  Timers& timers_;
  ControlSurface* controls_ = nullptr;
  LoadChart* chart_ = nullptr;
  LevelGauge* gauge_ = nullptr;
  std::optional<StatisticsSampler> sampler_;
  ChartMode chartMode_ = ChartMode::Transmit;
};

using CStatisticsDlg = StatisticsPage;

}  // namespace kestrel
