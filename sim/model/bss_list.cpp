#include "model/bss_list.h"

#include <algorithm>
#include <cstring>

#include "adapter/byte_order.h"
#include "model/scenario.h"
#include "model/simulated_link.h"

namespace kestrel::sim {

namespace {

constexpr std::uint8_t kRatesB[] = {0x82, 0x84, 0x8B, 0x96};
constexpr std::uint8_t kRatesG[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
constexpr std::uint8_t kExtendedRatesG[] = {0x30, 0x48, 0x60, 0x6C};
constexpr std::uint8_t kRatesA[] = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};

// WMM parameter element body: OUI, type 2, subtype 1, version 1, QoS info, reserved, and
// the four access categories.
constexpr std::uint8_t kWmmBody[] = {0x00, 0x50, 0xF2, 0x02, 0x01, 0x01, 0x00, 0x00,
                                     0x03, 0xA4, 0x00, 0x00, 0x27, 0xA4, 0x00, 0x00,
                                     0x42, 0x43, 0x5E, 0x00, 0x62, 0x32, 0x2F, 0x00};

struct Rates {
  const std::uint8_t* bytes;
  std::size_t size;
};

std::uint32_t Frequency(const NetworkSlot& network) {
  return network.channelWord & 0xFFFF;
}

bool IsOfdm24(const NetworkSlot& network) {
  return ((network.channelWord >> 16) & kFlagOfdm24) != 0;
}

Rates SupportedRates(const NetworkSlot& network) {
  if (Frequency(network) > 5000)
    return {kRatesA, sizeof kRatesA};
  if (IsOfdm24(network))
    return {kRatesG, sizeof kRatesG};
  return {kRatesB, sizeof kRatesB};
}

void Element(std::vector<std::uint8_t>& out, std::uint8_t id, const std::uint8_t* data,
             std::size_t size) {
  out.push_back(id);
  out.push_back(static_cast<std::uint8_t>(size));
  out.insert(out.end(), data, data + size);
}

// A WPA or RSN body: version 1, one group and one pairwise cipher, one key management suite.
std::vector<std::uint8_t> SecurityBody(const std::uint8_t oui[3], std::uint8_t cipher,
                                       std::uint8_t keyManagement) {
  std::vector<std::uint8_t> body = {0x01, 0x00};
  const auto suite = [&](std::uint8_t type) {
    body.insert(body.end(), oui, oui + 3);
    body.push_back(type);
  };
  suite(cipher);
  body.insert(body.end(), {0x01, 0x00});
  suite(cipher);
  body.insert(body.end(), {0x01, 0x00});
  suite(keyManagement);
  return body;
}

std::uint16_t Capabilities(const NetworkSlot& network) {
  std::uint16_t bits = network.infrastructureMode == 0 ? 0x0002 : 0x0001;
  if (network.security != Security::None)
    bits |= 0x0010;  // privacy
  bits |= 0x0020;    // short preamble
  if (IsOfdm24(network))
    bits |= 0x0400;  // short slot time
  return bits;
}

std::uint32_t ChannelNumber(const NetworkSlot& network) {
  const std::uint32_t f = Frequency(network);
  if (f == 2484)
    return 14;
  return f > 5000 ? (f - 5000) / 5 : (f - 2407) / 5;
}

// The NDIS network type in use: 1 DS (802.11b), 2 OFDM at 5 GHz, 3 OFDM at 2.4 GHz.
std::uint32_t NetworkTypeInUse(const NetworkSlot& network) {
  if (Frequency(network) > 5000)
    return 2;
  return IsOfdm24(network) ? 3 : 1;
}

}  // namespace

std::vector<std::uint8_t> InformationElements(const NetworkSlot& network) {
  std::vector<std::uint8_t> out(12, 0);
  const std::uint64_t timestamp = 0x1000000ull * (network.bssid[5] + 1u);
  for (int i = 0; i < 8; ++i)
    out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(timestamp >> (8 * i));
  out[8] = 100;  // beacon interval in time units
  const std::uint16_t capabilities = Capabilities(network);
  out[10] = static_cast<std::uint8_t>(capabilities);
  out[11] = static_cast<std::uint8_t>(capabilities >> 8);

  Element(out, 0, network.ssid, std::min<std::uint32_t>(network.ssidLength, kMaxSsidBytes));
  const Rates rates = SupportedRates(network);
  Element(out, 1, rates.bytes, rates.size);
  if (Frequency(network) <= 5000) {
    const auto channel = static_cast<std::uint8_t>(ChannelNumber(network));
    Element(out, 3, &channel, 1);
  }
  if (IsOfdm24(network)) {
    const std::uint8_t erp = 0;
    Element(out, 42, &erp, 1);
  }
  const std::uint8_t rsnOui[3] = {0x00, 0x0F, 0xAC};
  const std::uint8_t wpaOui[3] = {0x00, 0x50, 0xF2};
  const bool psk = network.security == Security::WpaPsk || network.security == Security::Wpa2Psk;
  const std::uint8_t keyManagement = psk ? 2 : 1;
  if (network.security == Security::Wpa2Psk || network.security == Security::Wpa2Eap) {
    std::vector<std::uint8_t> body = SecurityBody(rsnOui, 4, keyManagement);  // CCMP
    body.insert(body.end(), {0x00, 0x00});                                    // RSN capabilities
    Element(out, 48, body.data(), body.size());
  }
  if (IsOfdm24(network))
    Element(out, 50, kExtendedRatesG, sizeof kExtendedRatesG);
  if (network.security == Security::WpaPsk || network.security == Security::WpaEap) {
    std::vector<std::uint8_t> body = {0x00, 0x50, 0xF2, 0x01};
    const std::vector<std::uint8_t> rest = SecurityBody(wpaOui, 2, keyManagement);  // TKIP
    body.insert(body.end(), rest.begin(), rest.end());
    Element(out, 221, body.data(), body.size());
  }
  if (network.wmm)
    Element(out, 221, kWmmBody, sizeof kWmmBody);
  return out;
}

void BuildBssList(const SharedAdapterState& state, std::uint8_t* block, std::uint32_t size) {
  if (block == nullptr || size < 4)
    return;
  std::memset(block, 0, size);
  std::uint32_t offset = 4;
  std::uint32_t count = 0;
  const NetworkSlot* linked = LinkNetwork(state);
  for (std::uint32_t i = 0; i < state.networkCount && count < 255; ++i) {
    const NetworkSlot& network = state.networks[i];
    if (network.levelDbm < kAudibleFloorDbm)
      continue;
    const std::vector<std::uint8_t> elements = InformationElements(network);
    const auto ieLength = static_cast<std::uint32_t>(elements.size());
    const std::uint32_t length = (kBssRecordHeaderSize + ieLength + 3) & ~3u;
    if (length > size - offset)
      break;
    std::uint8_t* r = block + offset;
    WriteLe32(r, length);
    std::memcpy(r + 4, network.bssid, 6);
    const std::uint32_t ssidLength = std::min<std::uint32_t>(network.ssidLength, kMaxSsidBytes);
    WriteLe32(r + 12, ssidLength);
    std::memcpy(r + 16, network.ssid, ssidLength);
    WriteLe32(r + 48, network.security == Security::None ? 0 : 1);
    const std::int32_t rssi = &network == linked ? LinkRssi(state) : network.levelDbm;
    WriteLe32(r + 52, static_cast<std::uint32_t>(rssi));
    WriteLe32(r + 56, NetworkTypeInUse(network));
    WriteLe32(r + 60, 32);                         // configuration record length
    WriteLe32(r + 64, 100);                        // beacon period
    WriteLe32(r + 72, Frequency(network) * 1000);  // DS configuration in kHz
    WriteLe32(r + 92, network.infrastructureMode);
    const Rates rates = SupportedRates(network);
    std::memcpy(r + 96, rates.bytes, rates.size);
    WriteLe32(r + 112, network.channelWord);
    r[120] = network.xr ? 1 : 0;
    WriteLe32(r + 132, ieLength);
    std::memcpy(r + kBssRecordHeaderSize, elements.data(), ieLength);
    offset += length;
    ++count;
  }
  WriteLe32(block, count);
}

}  // namespace kestrel::sim
