#pragma once
// What the statistics sampler needs of the page's scrolling line chart.

#include <cstdint>

namespace kestrel {

class LoadChart {
 public:
  virtual ~LoadChart() = default;
  // Stops the chart's own advance timer and, for a non-zero period, restarts it; returns
  // the previous period.
  virtual std::uint32_t SetScrollInterval(std::uint32_t ms) = 0;
  // Queues a value; the next advance plots the average of the values queued since the last.
  virtual void AppendValue(int value) = 0;
  // One step with the queued values.
  virtual void Advance() = 0;
  // One step showing only background and grid; queued values stay queued.
  virtual void AdvanceEmpty() = 0;
};

}  // namespace kestrel
