#pragma once
// What the simulated driver takes from its host: the time and chance. Tests inject both.

#include <cstdint>

namespace kestrel::sim {

class SimClock {
 public:
  virtual ~SimClock() = default;
  // Milliseconds on a clock every process on the machine shares; never goes back.
  virtual std::uint64_t nowMs() = 0;
};

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual std::uint32_t next() = 0;
};

}  // namespace kestrel::sim
