#include "probe_statistics.h"

#include <optional>

#include "monitor/statistics_sampler.h"
#include "ui/statistics/statistics_page.h"
#include "ui/statistics/steady_scroll_chart.h"
#include "win32/line_chart.h"

namespace kestrel {

namespace {

// The sampler's chart operations on the chart window.
class ChartWindow : public LoadChart {
 public:
  explicit ChartWindow(LineChart& chart) : chart_(chart) {}
  std::uint32_t SetScrollInterval(std::uint32_t ms) override {
    return chart_.SetScrollInterval(ms);
  }
  void AppendValue(int value) override { chart_.AppendValue(value); }
  void Advance() override { chart_.Advance(); }
  void AdvanceEmpty() override { chart_.AdvanceEmpty(); }

 private:
  LineChart& chart_;
};

}  // namespace

struct StatisticsProbe::Parts {
  explicit Parts(Adapter& adapter) : sampler(adapter, steadyChart) {}
  LineChart lineChart;
  ChartWindow chart{lineChart};
  SteadyScrollChart steadyChart{chart, kStatisticsPeriodMs};
  StatisticsSampler sampler;
};

StatisticsProbe::StatisticsProbe(Adapter& adapter) : parts_(std::make_unique<Parts>(adapter)) {}

StatisticsProbe::~StatisticsProbe() = default;

void StatisticsProbe::open(HWND window, const RECT& chartArea) {
  if (parts_->lineChart.Create(WS_VISIBLE, chartArea, window, kChartId))
    parts_->lineChart.SetRange(kChartLow, kChartHigh);
}

bool StatisticsProbe::sample(Texts& texts) {
  StatisticsPageFields page;
  page.txTotalText = texts[2];
  page.rxTotalText = texts[6];
  page.mode = ChartMode::Total;
  const std::optional<StatisticsDisplay> display = parts_->sampler.SampleStatistics(page);
  if (!display)
    return false;
  texts = {display->txMbps,     display->txPacketsPerSecond, display->txTotal, display->txErrors,
           display->rxMbps,     display->rxPacketsPerSecond, display->rxTotal, display->rxErrors,
           display->percentText};
  return true;
}

}  // namespace kestrel
