#pragma once
// The one machine-wide simulated adapter: a named shared-memory section every process
// maps, guarded by a named mutex, and carried over the moments when no process holds the
// section, and over a restart of the Wine server, by a snapshot in the prefix's registry.
// The snapshot is written only when its digest changes, not on every request.

#include <cstdint>
#include <functional>

#include "model/shared_adapter_state.h"
#include "model/sim_environment.h"

namespace kestrel::sim {

// The machine's clock: shared by every process, so link stages keep their timing
// from one process to the next.
class TickClock : public SimClock {
 public:
  std::uint64_t nowMs() override;
};

// A small per-process generator; the walk only needs to wander.
class ProcessRandom : public RandomSource {
 public:
  ProcessRandom();
  std::uint32_t next() override;

 private:
  std::uint32_t state_;
};

class SharedAdapterStore {
 public:
  SharedAdapterStore();
  ~SharedAdapterStore();
  SharedAdapterStore(const SharedAdapterStore&) = delete;
  SharedAdapterStore& operator=(const SharedAdapterStore&) = delete;

  // Runs `work` on the state while holding the machine-wide lock, then saves the
  // snapshot if anything worth keeping changed. False (and `work` not run) when the section or the
  // lock cannot be had.
  bool withState(const std::function<void(SharedAdapterState&)>& work);

  TickClock& clock() { return clock_; }
  RandomSource& random() { return random_; }

 private:
  bool open();
  void initialize(bool created);

  void* mutex_ = nullptr;
  void* mapping_ = nullptr;
  SharedAdapterState* state_ = nullptr;
  TickClock clock_;
  ProcessRandom random_;
};

}  // namespace kestrel::sim
