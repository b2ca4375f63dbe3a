#pragma once
// The vendor network list: what the adapter heard at its last scan, in the driver's record
// layout.

#include <cstdint>
#include <vector>

#include "model/shared_adapter_state.h"

namespace kestrel::sim {

inline constexpr std::uint32_t kBssRecordHeaderSize = 136;

// Beacon body of a network: 12 fixed bytes (timestamp, interval, capabilities), then the
// tagged elements in beacon order: SSID, rates, DS set, ERP, RSN, extended rates, WPA, WMM.
std::vector<std::uint8_t> InformationElements(const NetworkSlot& network);

// Fills `block` (`size` bytes, at least the count word) with the count word and one record
// per audible network, in scenario order; records that would not fit are left out.
void BuildBssList(const SharedAdapterState& state, std::uint8_t* block, std::uint32_t size);

}  // namespace kestrel::sim
