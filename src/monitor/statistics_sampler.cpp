#include "monitor/statistics_sampler.h"

#include <cctype>
#include <cstdio>

#include "adapter/adapter.h"
#include "adapter/byte_order.h"
#include "monitor/load_chart.h"
#include "monitor/monitor_texts.h"

namespace kestrel {

namespace {

constexpr std::size_t kTxBytesAt = 32;
constexpr std::size_t kRxBytesAt = 104;
constexpr float kCounterModulus = 1024.0f;
constexpr float kLargestShownStep = 128.0f;
constexpr float kFirstPrevious = 128.0f;
constexpr std::uint32_t kChartScrollIntervalMs = 1000;

constexpr std::uint32_t kFlagTurbo = 0x0100;
constexpr std::uint32_t kFlagOfdm24 = 0x0400;

struct LoadScale {
  char band;
  float fullScale;    // Mbit/s
  float chartFactor;  // chart value = load x factor + 8 while the load is above 0
  int chartValueAtZero;
};

constexpr LoadScale kLoadScales[] = {
    {'A', 25.0f, 11.0f, 5}, {'T', 45.0f, 6.0f, 5}, {'G', 25.0f, 11.0f, 5},
    {'B', 6.0f, 45.0f, 6},  {'W', 45.0f, 5.0f, 5},
};

const LoadScale& ScaleOf(char band) {
  for (const LoadScale& scale : kLoadScales) {
    if (scale.band == band)
      return scale;
  }
  return kLoadScales[3];
}

std::uint64_t ReadLe64(const std::uint8_t* bytes) {
  return static_cast<std::uint64_t>(ReadLe32(bytes)) |
         (static_cast<std::uint64_t>(ReadLe32(bytes + 4)) << 32);
}

float Difference(float counter, float previous) {
  const float difference = counter - previous;
  return difference >= 0.0f ? difference : counter + kCounterModulus - previous;
}

std::string Decimal(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%u", value);
  return text;
}

std::string TwoDecimals(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  return text;
}

std::string PercentText(int percent) {
  char text[16];
  std::snprintf(text, sizeof text, "%d %c", percent, '%');
  return text;
}

// A step of 128 Mbit or more is taken for a wrap, except against the starting value.
std::string MbpsText(float counter, float previous) {
  if (counter >= previous && counter - previous < kLargestShownStep)
    return TwoDecimals(counter - previous);
  if (previous == kFirstPrevious)
    return TwoDecimals(0.0f);
  return TwoDecimals(counter + kCounterModulus - previous);
}

}  // namespace

float MegabitCounter(std::uint64_t bytes) {
  const auto kilobits = static_cast<std::uint32_t>(((bytes * 8) >> 10) & 0xFFFFF);
  return static_cast<float>(kilobits) / 1024.0f;
}

char LoadBandLetter(std::uint32_t channelWord) {
  const std::uint32_t mhz = channelWord & 0xFFFF;
  const std::uint32_t flags = channelWord >> 16;
  const bool turbo = (flags & kFlagTurbo) != 0;
  if (mhz > 5000)
    return turbo ? 'T' : 'A';
  if ((flags & kFlagOfdm24) != 0)
    return turbo ? 'W' : 'G';
  return 'B';
}

std::uint32_t ReadTotalField(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
    ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    negative = text[at] == '-';
    ++at;
  }
  std::uint64_t value = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    value = value * 10 + static_cast<std::uint64_t>(text[at] - '0');
    if (value > 0xFFFFFFFFu)
      value = 0xFFFFFFFFu;  // far beyond any total the page wrote
  }
  const auto total = static_cast<std::uint32_t>(value);
  return negative ? 0u - total : total;
}

StatisticsSampler::StatisticsSampler(Adapter& adapter, LoadChart& chart)
    : adapter_(adapter), chart_(chart) {}

std::optional<StatisticsDisplay> StatisticsSampler::SampleStatistics(
    const StatisticsPageFields& page) {
  const std::uint32_t previousTxTotal = ReadTotalField(page.txTotalText);
  const std::uint32_t previousRxTotal = ReadTotalField(page.rxTotalText);
  if (!adapter_.IsMediaConnected())
    return idleTick();

  StatisticsBlock block{};
  if (!adapter_.GetStatistics(block))
    return std::nullopt;
  const float txMbit = MegabitCounter(ReadLe64(block.data() + kTxBytesAt));
  const float rxMbit = MegabitCounter(ReadLe64(block.data() + kRxBytesAt));

  StatisticsDisplay display;
  // A failed packet count shows no rate rather than a difference with the old total.
  std::uint32_t txCount = 0;
  if (adapter_.GetTxOkCount(txCount)) {
    display.txPacketsPerSecond = Decimal(txCount - previousTxTotal);
  } else {
    display.txPacketsPerSecond = "0";
  }
  display.txTotal = Decimal(txCount);

  std::uint32_t errors = 0;
  display.txErrors =
      adapter_.GetTxErrorCount(errors) ? Decimal(errors) : monitor_texts::kNotAvailable;
  display.rxErrors =
      adapter_.GetRxErrorCount(errors) ? Decimal(errors) : monitor_texts::kNotAvailable;

  std::uint32_t rxCount = 0;
  if (adapter_.GetRxOkCount(rxCount)) {
    display.rxPacketsPerSecond = Decimal(rxCount - previousRxTotal);
    display.rxTotal = Decimal(rxCount);
  } else {
    display.rxPacketsPerSecond = "0";
    display.rxTotal = monitor_texts::kNotAvailable;
  }

  std::uint32_t channelWord = 0;
  adapter_.GetChannelInfo(channelWord);

  const int percent = load(page.mode, Difference(txMbit, prevTxMbit_),
                           Difference(rxMbit, prevRxMbit_), LoadBandLetter(channelWord));
  display.percentText = PercentText(percent);
  display.setGauge = true;
  display.gaugePercent = percent;

  display.txMbps = MbpsText(txMbit, prevTxMbit_);
  prevTxMbit_ = txMbit;
  display.rxMbps = MbpsText(rxMbit, prevRxMbit_);
  prevRxMbit_ = rxMbit;

  prevTotalMbit_ = txMbit + rxMbit;
  hasPrevious_ = true;
  return display;
}

// Returns the shown percentage: the load's share of the band's full scale, rounded up.
int StatisticsSampler::load(ChartMode mode, float txDifference, float rxDifference, char band) {
  if (!hasPrevious_)
    return 0;
  chart_.SetScrollInterval(kChartScrollIntervalMs);
  if (prevTotalMbit_ == 0.0f)
    return 0;
  float load = txDifference + rxDifference;
  if (mode == ChartMode::Transmit) {
    load = txDifference;
  } else if (mode == ChartMode::Receive) {
    load = rxDifference;
  }
  const LoadScale& scale = ScaleOf(band);
  if (load > scale.fullScale)
    load = scale.fullScale;
  const float percent = load / scale.fullScale * 100.0f;
  chart_.AppendValue(load > 0.0f ? static_cast<int>(load * scale.chartFactor + 8.0f)
                                 : scale.chartValueAtZero);
  const int whole = static_cast<int>(percent);
  return static_cast<float>(whole) < percent ? whole + 1 : whole;
}

StatisticsDisplay StatisticsSampler::idleTick() {
  StatisticsDisplay display;
  display.txPacketsPerSecond = "0";
  display.txTotal = "0";
  display.rxPacketsPerSecond = "0";
  display.rxTotal = "0";
  display.txErrors = monitor_texts::kNotAvailable;
  display.rxErrors = monitor_texts::kNotAvailable;
  display.txMbps = TwoDecimals(0.0f);
  display.rxMbps = TwoDecimals(0.0f);
  display.percentText = PercentText(0);

  chart_.AppendValue(0);
  if (hasPrevious_) {
    chart_.Advance();
    for (int step = 0; step < kChartClearSteps; ++step)
      chart_.AdvanceEmpty();
  }
  chart_.SetScrollInterval(0);
  hasPrevious_ = false;
  return display;
}

}  // namespace kestrel
