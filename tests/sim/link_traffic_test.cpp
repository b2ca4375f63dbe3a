// The traffic of a connected link: growing, bursty, and true to its mean load.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/link_traffic.h"

namespace kestrel::sim {
namespace {

std::vector<std::uint64_t> ReceivedEachSecond(std::uint32_t kbps, std::uint32_t seed,
                                              std::uint64_t seconds) {
  std::vector<std::uint64_t> perSecond;
  for (std::uint64_t s = 0; s < seconds; ++s) {
    perSecond.push_back(LinkTraffic((s + 1) * 1000, kbps, seed).rx -
                        LinkTraffic(s * 1000, kbps, seed).rx);
  }
  return perSecond;
}

TEST(LinkTrafficTest, NeverFallsAsTimeGoesOnNotEvenWithinASecond) {
  TrafficBytes last;
  for (std::uint64_t ms = 0; ms < 200'000; ms += 37) {
    const TrafficBytes now = LinkTraffic(ms, kDefaultLoadKbps, 7);
    ASSERT_GE(now.tx, last.tx) << ms;
    ASSERT_GE(now.rx, last.rx) << ms;
    last = now;
  }
  EXPECT_EQ(LinkTraffic(0, kDefaultLoadKbps, 7).rx, 0u);
}

TEST(LinkTrafficTest, EverySixtyFourSecondsCarryExactlyTheMeanAThirdOfItSent) {
  for (std::uint32_t seed : {1u, 99u, 0xDEADBEEFu}) {
    const TrafficBytes period = LinkTraffic(64'000, 2400, seed);
    EXPECT_EQ(period.tx, 64u * 300'000 * 33 / 100);
    EXPECT_EQ(period.rx, 64u * 300'000 * 67 / 100);
    const TrafficBytes tenPeriods = LinkTraffic(640'000, 2400, seed);
    EXPECT_EQ(tenPeriods.rx, 10 * period.rx);
  }
  // A day-long link still counts exactly.
  EXPECT_EQ(LinkTraffic(86'400'000, 8000, 3).tx, 86'400ull * 1'000'000 * 33 / 100);
}

TEST(LinkTrafficTest, SecondsVaryWithBurstsOfSeveralTimesTheMeanAndQuietSpells) {
  const std::vector<std::uint64_t> seconds = ReceivedEachSecond(3000, 12345, 256);
  const double mean = 3000.0 * 1000 / 8 * 0.67;
  const auto [low, high] = std::minmax_element(seconds.begin(), seconds.end());
  EXPECT_GT(static_cast<double>(*high), 2.5 * mean);
  EXPECT_LT(static_cast<double>(*low), 0.4 * mean);
  EXPECT_GT(*low, 0u);  // a connected link is never silent
  const auto bursts = std::count_if(seconds.begin(), seconds.end(), [&](std::uint64_t b) {
    return static_cast<double>(b) > 1.5 * mean;
  });
  EXPECT_GT(bursts, 256 / 12);
  EXPECT_LT(bursts, 256 / 3);
}

TEST(LinkTrafficTest, EachLinkDrawsItsOwnPatternAndNoLoadCarriesNothing) {
  EXPECT_NE(ReceivedEachSecond(3000, 1, 8), ReceivedEachSecond(3000, 2, 8));
  EXPECT_EQ(ReceivedEachSecond(3000, 5, 8), ReceivedEachSecond(3000, 5, 8));
  const TrafficBytes none = LinkTraffic(1'000'000, 0, 5);
  EXPECT_EQ(none.tx + none.rx, 0u);
  const TrafficBytes most = LinkTraffic(1'000'000, kMaxLoadKbps, 5);
  EXPECT_GT(most.rx, 0u);
}

}  // namespace
}  // namespace kestrel::sim
