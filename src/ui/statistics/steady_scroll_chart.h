#pragma once
// The sampler asks for the 1000 ms scroll interval at every tick of its own 1000 ms timer.
// Restarting the chart's timer each time would postpone its advance for ever, so a
// request for the interval already running leaves that timer alone.

#include "monitor/load_chart.h"

namespace kestrel {

class SteadyScrollChart : public LoadChart {
 public:
  // `runningMs` is the interval the chart runs with now (1000 once created).
  SteadyScrollChart(LoadChart& chart, std::uint32_t runningMs)
      : chart_(chart), running_(runningMs) {}

  std::uint32_t SetScrollInterval(std::uint32_t ms) override {
    if (ms != 0 && ms == running_)
      return running_;
    running_ = ms;
    return chart_.SetScrollInterval(ms);
  }
  void AppendValue(int value) override { chart_.AppendValue(value); }
  void Advance() override { chart_.Advance(); }
  void AdvanceEmpty() override { chart_.AdvanceEmpty(); }

 private:
  LoadChart& chart_;
  std::uint32_t running_;
};

}  // namespace kestrel
