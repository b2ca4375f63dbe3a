#pragma once
// The statistics page's part of the sheet floor probe: the 1000 ms sample and the load
// chart window scrolling each second. (Apart from the panel's texts: the chart's colour
// type and the panel's share a name.)

#include <windows.h>

#include <array>
#include <memory>
#include <string>

namespace kestrel {

class Adapter;

class StatisticsProbe {
 public:
  static constexpr std::size_t kFieldCount = 9;
  using Texts = std::array<std::string, kFieldCount>;

  explicit StatisticsProbe(Adapter& adapter);
  ~StatisticsProbe();
  StatisticsProbe(const StatisticsProbe&) = delete;
  StatisticsProbe& operator=(const StatisticsProbe&) = delete;

  void open(HWND window, const RECT& chartArea);
  // One sample over the texts shown now (the totals are read back from them); false when
  // the counters could not be read and the texts stay.
  bool sample(Texts& texts);

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace kestrel
