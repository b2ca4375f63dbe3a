#pragma once
// In-memory window timers: log starts and stops; a test fires ticks of running timers.

#include <functional>
#include <vector>

#include "ui/windowless/manual_timers.h"

namespace kestrel::fakes {

class FakeTimers : public ManualTimers {
 public:
  struct Call {
    bool start;
    std::uint32_t id;
    std::uint32_t periodMs;  // 0 for a stop
    bool operator==(const Call& other) const {
      return start == other.start && id == other.id && periodMs == other.periodMs;
    }
  };

  // Scripting.
  bool startFails = false;
  std::function<void(std::uint32_t)> onTick;  // the owner window's timer handler

  // Observations (and `running`).
  std::vector<Call> calls;

  bool start(std::uint32_t id, std::uint32_t periodMs) override {
    calls.push_back({true, id, periodMs});
    return !startFails && ManualTimers::start(id, periodMs);
  }

  void stop(std::uint32_t id) override {
    calls.push_back({false, id, 0});
    ManualTimers::stop(id);
  }

  // Delivers one tick, as the window would, only while the timer runs.
  bool fire(std::uint32_t id) {
    if (!isRunning(id))
      return false;
    if (onTick)
      onTick(id);
    return true;
  }

  // Fires `id` until it stops or `limit` ticks have gone; returns the ticks delivered.
  int fireUntilStopped(std::uint32_t id, int limit) {
    int ticks = 0;
    while (ticks < limit && fire(id))
      ++ticks;
    return ticks;
  }
};

}  // namespace kestrel::fakes
