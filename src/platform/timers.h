#pragma once
// Port: the window timers of one owner window.

#include <cstdint>

namespace kestrel {

// Timers are named by a small id chosen by their owner; starting an id that is already
// running restarts it with the new period. Ticks are not delivered through this port:
// every `periodMs` the owner window receives a timer message carrying the id on the
// user-interface thread and routes it to the part that started the timer. Once `stop`
// returns no further tick of that id arrives, and all of an owner's timers end when its
// window is destroyed. `start` returns false when no timer could be made; nothing then
// ticks. Stopping an id that is not running does nothing.
class Timers {
 public:
  virtual ~Timers() = default;
  virtual bool start(std::uint32_t id, std::uint32_t periodMs) = 0;
  virtual void stop(std::uint32_t id) = 0;
};

}  // namespace kestrel
