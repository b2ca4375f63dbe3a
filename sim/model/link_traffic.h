#pragma once
// The traffic a connected link carries, as a function of the time since it came up: the
// counters are worked out when they are read, so nothing has to be written while they grow.

#include <cstdint>

namespace kestrel::sim {

// The mean load of a connected link, received and sent together, unless the scenario says.
inline constexpr std::uint32_t kDefaultLoadKbps = 6000;
inline constexpr std::uint32_t kMaxLoadKbps = 100'000;

struct TrafficBytes {
  std::uint64_t tx = 0;
  std::uint64_t rx = 0;
};

// Bytes carried in the first `elapsedMs` of a link with mean load `meanKbps`. Each second
// carries a share drawn from `seed`, quiet or in a burst of a few times the mean, and every
// 64 s carry exactly the mean; a third of the load is sent, the rest received. Never falls
// as the time grows.
TrafficBytes LinkTraffic(std::uint64_t elapsedMs, std::uint32_t meanKbps, std::uint32_t seed);

}  // namespace kestrel::sim
