#pragma once
// The link of the simulated adapter: the association stages after an SSID is set, the
// signal's random walk and the traffic of a connected link, all driven by elapsed time.

#include <cstdint>
#include <string_view>

#include "model/link_traffic.h"
#include "model/shared_adapter_state.h"
#include "model/sim_environment.h"

namespace kestrel::sim {

// How long each stage lasts before the next is tried.
inline constexpr std::uint64_t kScanMs = 600;
inline constexpr std::uint64_t kConnectMs = 500;
inline constexpr std::uint64_t kAuthenticateMs = 500;
inline constexpr std::uint64_t kWalkStepMs = 500;
inline constexpr std::int32_t kWalkSpanDb = 4;
// A connected link whose signal is below this reports the link flag.
inline constexpr std::int32_t kWeakLinkDbm = -88;

// Starts a new association with the desired SSID (after an SSID set, a reinsertion or a
// new scenario): back to scanning, the 802.1X report forgotten.
void RestartAssociation(SharedAdapterState& state, std::uint64_t nowMs);

// Moves the link on to `nowMs`.
void AdvanceLink(SharedAdapterState& state, std::uint64_t nowMs, RandomSource& random);

// The connection-state code the driver reports: 0 scanning, 3 connecting, 2 authenticating,
// 1 connected to an access point, 4 joined to an ad hoc network.
std::uint32_t ConnectionStateCode(const SharedAdapterState& state);
bool IsConnected(const SharedAdapterState& state);
// The network being joined or joined, or nullptr.
const NetworkSlot* LinkNetwork(const SharedAdapterState& state);
std::int32_t LinkRssi(const SharedAdapterState& state);  // of LinkNetwork
// Rate code: whole Mbit/s (5 for 5.5), or bit 31 with kbit/s; 0 when not connected.
std::uint32_t TxRateCode(const SharedAdapterState& state);

// Bytes sent and received since power-on, up to the last advance: the links before and
// the current one.
TrafficBytes LinkTotals(const SharedAdapterState& state);

// True when the desired SSID asks for the first open network ("Any" in any case, or empty).
bool WantsAnyNetwork(const SharedAdapterState& state);

}  // namespace kestrel::sim
