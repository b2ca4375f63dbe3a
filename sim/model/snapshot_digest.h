#pragma once
// What of the adapter's state is worth keeping when the machine stops, as one number: the
// store saves its snapshot only when this changes, not on every request.

#include <cstdint>

#include "model/shared_adapter_state.h"

namespace kestrel::sim {

// A digest of everything but what every request moves anyway (the request log and its
// count, the scan triggers, the time of the last advance, the signal's walk, the start of
// a scan that keeps finding nothing) and the stored digest itself. Traffic is worked out
// from the time, so a connected link that is only read leaves it unchanged.
std::uint64_t SnapshotDigest(const SharedAdapterState& state);

}  // namespace kestrel::sim
