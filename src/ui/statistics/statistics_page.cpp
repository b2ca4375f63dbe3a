#include "ui/statistics/statistics_page.h"

#include <algorithm>
#include <cstdio>

#include "monitor/load_chart.h"
#include "platform/timers.h"
#include "ui/app_services.h"
#include "ui/sheet_services.h"

namespace kestrel {

namespace {

// Bitmap resources of the gauge: large, medium and small pairs.
constexpr GaugeBitmaps kLargeGauge{253, 252};
constexpr GaugeBitmaps kMediumGauge{254, 255};
constexpr GaugeBitmaps kSmallGauge{272, 273};

std::string PercentText(int percent) {
  char text[16];
  std::snprintf(text, sizeof text, "%d %c", percent, '%');
  return text;
}

void ClearChart(LoadChart& chart) {
  for (int step = 0; step < kChartClearSteps; ++step)
    chart.AdvanceEmpty();
}

}  // namespace

GaugeBitmaps GaugeBitmapsForHeight(int areaHeight) {
  if (areaHeight >= 181)
    return kLargeGauge;
  if (areaHeight < 166)
    return kSmallGauge;
  return kMediumGauge;
}

int GaugeLeft(int areaLeft, int areaRight) {
  return areaLeft + (areaRight - areaLeft) / 2 - 16;
}

int GaugeLitHeight(int position, int height) {
  return std::clamp(position, 0, 100) * std::max(height, 0) / 100;
}

StatisticsPage::StatisticsPage(AppServices& services, SheetControl& sheet, Timers& timers)
    : services_(services), sheet_(sheet), timers_(timers) {}

void StatisticsPage::OnInitDialog(ControlSurface& controls, LoadChart& chart, LevelGauge& gauge) {
  controls_ = &controls;
  chart_ = &chart;
  gauge_ = &gauge;
  timers_.start(kStatisticsTimerId, kStatisticsPeriodMs);
  controls.setChecked(kTransmitRadioId, true);
  controls.setChecked(kReceiveRadioId, false);
  controls.setChecked(kTotalRadioId, false);
  chartMode_ = ChartMode::Transmit;
  sampler_.emplace(services_.adapter, chart);
  FillAdapterChoice(controls, services_.parameters);
  ClearChart(chart);
  gauge.setRange(0, 100);
  gauge.setPosition(0);
  controls.setText(kPercentTextId, PercentText(0));
}

void StatisticsPage::OnDestroy() {
  timers_.stop(kStatisticsTimerId);
  sampler_.reset();
  controls_ = nullptr;
  chart_ = nullptr;
  gauge_ = nullptr;
}

void StatisticsPage::OnSetActive() {
  sheet_.showButton(SheetButton::Scan, false);
  sheet_.showButton(SheetButton::Connect, false);
  sheet_.showButton(SheetButton::Apply, false);
  sheet_.showButton(SheetButton::Cancel, false);
}

bool StatisticsPage::OnTimer(std::uint32_t timerId) {
  if (timerId != kStatisticsTimerId)
    return false;
  if (controls_ == nullptr || !sampler_)
    return true;
  StatisticsPageFields fields;
  fields.txTotalText = controls_->text(kTxTotalId);
  fields.rxTotalText = controls_->text(kRxTotalId);
  if (controls_->checked(kTransmitRadioId))
    fields.mode = ChartMode::Transmit;
  else if (controls_->checked(kReceiveRadioId))
    fields.mode = ChartMode::Receive;
  else
    fields.mode = ChartMode::Total;
  if (const auto display = sampler_->SampleStatistics(fields))
    show(*display);
  return true;
}

void StatisticsPage::show(const StatisticsDisplay& display) {
  controls_->setText(kTxMbpsId, display.txMbps);
  controls_->setText(kTxPacketsPerSecondId, display.txPacketsPerSecond);
  controls_->setText(kTxTotalId, display.txTotal);
  controls_->setText(kTxErrorsId, display.txErrors);
  controls_->setText(kRxMbpsId, display.rxMbps);
  controls_->setText(kRxPacketsPerSecondId, display.rxPacketsPerSecond);
  controls_->setText(kRxTotalId, display.rxTotal);
  controls_->setText(kRxErrorsId, display.rxErrors);
  controls_->setText(kPercentTextId, display.percentText);
  if (display.setGauge && gauge_ != nullptr)
    gauge_->setPosition(display.gaugePercent);
}

void StatisticsPage::OnCommand(ControlId id, ControlEvent event) {
  if (event != ControlEvent::Clicked)
    return;
  if (id == kTransmitRadioId)
    changeChartMode(ChartMode::Transmit);
  else if (id == kReceiveRadioId)
    changeChartMode(ChartMode::Receive);
  else if (id == kTotalRadioId)
    changeChartMode(ChartMode::Total);
}

// Only a real change clears the chart; the sampler follows the radios from its next tick.
void StatisticsPage::changeChartMode(ChartMode mode) {
  if (mode == chartMode_ || chart_ == nullptr)
    return;
  chart_->AppendValue(0);
  chart_->Advance();
  ClearChart(*chart_);
  chartMode_ = mode;
}

bool StatisticsPage::SwallowsKey(const PageKey& key) {
  return kestrel::SwallowsKey(kStatisticsSwallowedKeys, key);
}

}  // namespace kestrel
