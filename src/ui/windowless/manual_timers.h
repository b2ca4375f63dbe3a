#pragma once
// Timers with no window behind them: nothing ticks by itself, the owner looks at what runs
// and delivers the ticks (kestrelctl sleeps the period first; a test fires at once).

#include <cstdint>
#include <map>

#include "platform/timers.h"

namespace kestrel {

class ManualTimers : public Timers {
 public:
  std::map<std::uint32_t, std::uint32_t> running;  // id -> period

  bool start(std::uint32_t id, std::uint32_t periodMs) override {
    running[id] = periodMs;
    return true;
  }
  void stop(std::uint32_t id) override { running.erase(id); }
  bool isRunning(std::uint32_t id) const { return running.count(id) != 0; }
};

}  // namespace kestrel
