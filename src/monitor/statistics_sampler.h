#pragma once
// The statistics page's once-a-second sample: throughput, packet rates, totals, errors
// and the load of the link, with what the load chart is to do.

#include <cstdint>
#include <optional>
#include <string>

namespace kestrel {

class Adapter;
class LoadChart;

enum class ChartMode { Transmit = 1, Receive = 2, Total = 3 };

// What the sampler reads back from the page at each tick.
struct StatisticsPageFields {
  std::string txTotalText;  // the totals shown by the previous tick
  std::string rxTotalText;
  ChartMode mode = ChartMode::Transmit;  // the checked radio button
};

struct StatisticsDisplay {
  std::string txMbps;
  std::string rxMbps;
  std::string txPacketsPerSecond;
  std::string rxPacketsPerSecond;
  std::string txTotal;
  std::string rxTotal;
  std::string txErrors;
  std::string rxErrors;
  std::string percentText;  // "%d %c" of the shown percentage and '%'
  bool setGauge = false;    // false: the level gauge keeps its position
  int gaugePercent = 0;
};

inline constexpr std::uint32_t kStatisticsTimerId = 132;
inline constexpr std::uint32_t kStatisticsPeriodMs = 1000;
inline constexpr int kChartClearSteps = 150;

// Megabits modulo 1024 of a byte count: ((bytes x 8) >> 10, low 20 bits) / 1024.
float MegabitCounter(std::uint64_t bytes);
// 'A', 'T', 'G', 'W' (2.4 GHz OFDM turbo) or 'B' from the channel word.
char LoadBandLetter(std::uint32_t channelWord);
// The page's total field read back: a base-10 integer, 0 when it is not a number.
std::uint32_t ReadTotalField(const std::string& text);

// The sampler state lives with the statistics page.
class StatisticsSampler {
 public:
  StatisticsSampler(Adapter& adapter, LoadChart& chart);

  // One tick; nullopt when the counter block cannot be read (the page stays as it was).
  std::optional<StatisticsDisplay> SampleStatistics(const StatisticsPageFields& page);

 private:
  StatisticsDisplay idleTick();
  int load(ChartMode mode, float txDifference, float rxDifference, char band);

  Adapter& adapter_;
  LoadChart& chart_;
  float prevTxMbit_ = 128.0f;
  float prevRxMbit_ = 128.0f;
  float prevTotalMbit_ = 260.0f;
  bool hasPrevious_ = false;
};

}  // namespace kestrel
