#pragma once
// What the simulated adapter finds around it: its own facts and the networks in range.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/link_traffic.h"
#include "model/shared_adapter_state.h"

namespace kestrel::sim {

// Networks heard below this level are out of range: not listed, not joinable.
inline constexpr std::int32_t kAudibleFloorDbm = -92;

inline constexpr std::uint32_t kFlagTurbo = 0x0100;
inline constexpr std::uint32_t kFlagOfdm24 = 0x0400;

enum class Band { B, G, A, Turbo };

struct Scenario {
  std::array<std::uint8_t, 6> mac{0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};
  std::uint32_t countryCode = 0x4A50;  // "JP"
  bool present = true;
  std::uint32_t loadKbps = kDefaultLoadKbps;  // mean traffic of a connected link
  std::vector<NetworkSlot> networks;
};

// The embedded scenario the simulator starts with.
Scenario DefaultScenario();

// Centre frequency of a channel number: 1..14 in the 2.4 GHz band, 34..165 at 5 GHz;
// 0 for any other number.
std::uint32_t ChannelFrequency(std::uint32_t channel);
// The channel word of a network on `channel` in `band`; 0 when the band does not fit the
// channel (802.11a on a 2.4 GHz channel, b or g at 5 GHz).
std::uint32_t ChannelWord(std::uint32_t channel, Band band);

NetworkSlot MakeNetwork(std::string_view ssid, Security security);
void SetNetworkSsid(NetworkSlot& network, std::string_view ssid);              // cut at 32 bytes
void SetNetworkPassphrase(NetworkSlot& network, std::string_view passphrase);  // cut at 63
std::string NetworkSsid(const NetworkSlot& network);
std::string_view SecurityName(Security security);

// Puts the adapter in its power-on state with the scenario's facts and networks: default
// radio settings, no keys, the link scanning for any open network.
void ResetState(SharedAdapterState& state, const Scenario& scenario, std::uint64_t nowMs);
// Replaces the networks and facts and restarts the link, keeping the radio settings.
void LoadScenario(SharedAdapterState& state, const Scenario& scenario, std::uint64_t nowMs);

}  // namespace kestrel::sim
