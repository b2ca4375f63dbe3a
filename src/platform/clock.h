#pragma once
// Port: milliseconds since system start, and blocking waits on the calling thread.

#include <cstdint>

namespace kestrel {

class Clock {
 public:
  virtual ~Clock() = default;
  // Wraps after about 49.7 days; callers compare differences, never absolute values.
  virtual std::uint32_t tickCountMs() = 0;
  virtual void sleepMs(std::uint32_t ms) = 0;
};

}  // namespace kestrel
