#pragma once
// The settings page's table of networks for its SSID list, read from the vendor network
// list: name, mode, privacy and what kind of key the network wants.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel {

enum class ScannedSecurity {
  Wep = 1,
  Dot1x = 2,         // WPA with 802.1X, or a pre-shared key on an ad hoc network
  PreSharedKey = 3,  // WPA pre-shared key on an access point
};

struct ScannedNetwork {
  std::string ssid;
  std::uint32_t mode = 1;  // 0 ad hoc, 1 infrastructure (2 automatic, as the driver says)
  bool privacy = false;
  ScannedSecurity security = ScannedSecurity::Wep;
};

// Entry 0 and at most this many heard networks.
inline constexpr std::size_t kMaxScannedNetworks = 127;

// "Any (First available network)" first, then the listed networks in list order. The walk
// ends at the first record that does not lie whole inside `size` bytes or is too short to
// hold its mode word; information elements are read only inside their record.
std::vector<ScannedNetwork> ReadScannedNetworks(const std::uint8_t* data, std::size_t size);

}  // namespace kestrel
