#include "ui/settings/scanned_networks.h"

#include <algorithm>
#include <array>

#include "adapter/byte_order.h"
#include "ui/settings/settings_texts.h"

namespace kestrel {

namespace {

// Offsets inside one record of the vendor list.
constexpr std::size_t kSsidAt = 16;
constexpr std::size_t kSsidSize = 32;
constexpr std::size_t kPrivacyAt = 48;
constexpr std::size_t kModeAt = 92;
constexpr std::size_t kElementsLengthAt = 132;
constexpr std::size_t kElementsAt = 136;
constexpr std::uint32_t kShortestRecord = kModeAt + 4;

constexpr std::uint32_t kElementsNeedRecordAbove = 104;
constexpr std::uint32_t kBeaconFixedFields = 12;

constexpr std::uint8_t kRsnElement = 48;
constexpr std::uint8_t kVendorElement = 221;
constexpr std::uint8_t kRsnElementMinimum = 12;
constexpr std::uint8_t kVendorElementMinimum = 16;
constexpr std::array<std::uint8_t, 3> kWpaOui = {0x00, 0x50, 0xF2};
constexpr std::array<std::uint8_t, 3> kRsnOui = {0x00, 0x0F, 0xAC};
constexpr std::uint8_t kWpaOuiType = 1;

std::uint16_t ReadLe16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

bool HasOui(const std::uint8_t* bytes, const std::array<std::uint8_t, 3>& oui) {
  return std::equal(oui.begin(), oui.end(), bytes);
}

// Version, group cipher, pairwise suites, then the first authentication suite; lists that
// run past the element's `size` bytes leave the kind as it was.
void ReadAuthenticationSuite(const std::uint8_t* body, std::size_t size,
                             const std::array<std::uint8_t, 3>& oui, ScannedNetwork& network) {
  std::size_t at = 2 + 4;
  if (size < at + 2)
    return;
  const std::size_t pairwise = ReadLe16(body + at);
  at += 2;
  if ((size - at) / 4 < pairwise)
    return;
  at += pairwise * 4;
  if (size - at < 2 + 4 || ReadLe16(body + at) == 0)
    return;
  const std::uint8_t* suite = body + at + 2;
  if (!HasOui(suite, oui))
    return;
  switch (suite[3]) {
    case 1:
      network.security = ScannedSecurity::Dot1x;
      break;
    case 0:
    case 2:
      network.security = network.mode != 0 ? ScannedSecurity::PreSharedKey : ScannedSecurity::Dot1x;
      break;
    default:
      break;
  }
}

// The tagged elements after the beacon's fixed fields. A vendor element of full size ends
// the walk (read first when it is the WPA element), as does a zero length byte or an
// element running past the area.
void WalkElements(const std::uint8_t* elements, std::uint32_t length, ScannedNetwork& network) {
  std::uint32_t position = kBeaconFixedFields;
  while (length > position + 3) {
    const std::uint8_t id = elements[position];
    const std::uint8_t elementLength = elements[position + 1];
    const std::uint8_t* body = elements + position + 2;
    if (elementLength == 0 || elementLength > length - position - 2)
      return;
    if (id == kRsnElement && elementLength >= kRsnElementMinimum) {
      ReadAuthenticationSuite(body, elementLength, kRsnOui, network);
    } else if (id == kVendorElement && elementLength >= kVendorElementMinimum) {
      if (HasOui(body, kWpaOui) && body[3] == kWpaOuiType)
        ReadAuthenticationSuite(body + 4, elementLength - 4u, kWpaOui, network);
      return;
    }
    position += elementLength + 2u;
  }
}

ScannedNetwork ReadRecord(const std::uint8_t* record, std::uint32_t length) {
  ScannedNetwork network;
  const std::uint8_t* ssid = record + kSsidAt;
  network.ssid.assign(ssid, std::find(ssid, ssid + kSsidSize, 0));
  network.privacy = ReadLe32(record + kPrivacyAt) != 0;
  network.mode = ReadLe32(record + kModeAt);
  if (length > kElementsNeedRecordAbove && length >= kElementsAt) {
    const std::uint32_t room = length - static_cast<std::uint32_t>(kElementsAt);
    const std::uint32_t elementsLength = std::min(ReadLe32(record + kElementsLengthAt), room);
    if (elementsLength > kBeaconFixedFields)
      WalkElements(record + kElementsAt, elementsLength, network);
  }
  return network;
}

}  // namespace

std::vector<ScannedNetwork> ReadScannedNetworks(const std::uint8_t* data, std::size_t size) {
  std::vector<ScannedNetwork> table;
  table.push_back({settings_texts::kAnyNetwork, 1, false, ScannedSecurity::Wep});
  if (data == nullptr || size < 4)
    return table;
  const std::uint32_t count = ReadLe32(data) & 0xFF;
  std::size_t at = 4;
  for (std::uint32_t i = 0; i < count && table.size() <= kMaxScannedNetworks; ++i) {
    const std::size_t room = size - at;
    if (room < kShortestRecord)
      break;
    const std::uint32_t length = ReadLe32(data + at);
    if (length < kShortestRecord || length > room)
      break;
    table.push_back(ReadRecord(data + at, length));
    at += length;
  }
  return table;
}

}  // namespace kestrel
