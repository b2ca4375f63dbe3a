#include "model/scenario.h"

#include <algorithm>
#include <cstring>

#include "model/simulated_link.h"

namespace kestrel::sim {

namespace {

NetworkSlot Network(std::string_view ssid, Security security, std::uint8_t last,
                    std::uint32_t channel, Band band, std::int32_t levelDbm) {
  NetworkSlot network = MakeNetwork(ssid, security);
  const std::uint8_t bssid[6] = {0x00, 0x14, 0x6C, 0x5E, 0x00, last};
  std::memcpy(network.bssid, bssid, 6);
  network.channelWord = ChannelWord(channel, band);
  network.levelDbm = levelDbm;
  return network;
}

NetworkSlot WithPassphrase(NetworkSlot network, std::string_view passphrase) {
  SetNetworkPassphrase(network, passphrase);
  return network;
}

}  // namespace

Scenario DefaultScenario() {
  Scenario scenario;
  auto& n = scenario.networks;
  // The network the adapter's factory-default profile names, with its passphrase, so
  // that a fresh install connects.
  n.push_back(WithPassphrase(Network("KESTREL_11g", Security::WpaPsk, 0x01, 1, Band::G, -52),
                             "MARLOWE-DUSKY-V"));
  n.back().wmm = 1;
  // The open network comes next, so that "Any" joins it.
  n.push_back(Network("KESTREL_Open", Security::None, 0x0A, 1, Band::G, -56));
  n.back().wmm = 1;
  n.push_back(Network("KESTREL_WEP", Security::Wep, 0x02, 6, Band::B, -67));
  const std::uint8_t wepKey[5] = {0x12, 0x34, 0x56, 0x78, 0x90};  // "1234567890"
  std::memcpy(n.back().key, wepKey, sizeof wepKey);
  n.back().keyLength = sizeof wepKey;
  n.push_back(WithPassphrase(Network("KESTREL_WPA", Security::WpaPsk, 0x03, 11, Band::G, -61),
                             "kestrel-wpa-psk"));
  n.push_back(WithPassphrase(Network("KESTREL_WPA2", Security::Wpa2Psk, 0x04, 6, Band::G, -45),
                             "kestrel-wpa2-psk"));
  n.back().wmm = 1;
  n.push_back(WithPassphrase(Network("KESTREL_Corp", Security::Wpa2Eap, 0x05, 11, Band::G, -70),
                             "corp-password"));
  n.back().wmm = 1;
  n.push_back(Network("KESTREL_AdHoc", Security::None, 0x06, 3, Band::B, -74));
  n.back().infrastructureMode = 0;
  n.back().bssid[0] = 0x02;  // locally administered, as an IBSS BSSID is
  n.push_back(WithPassphrase(Network("KESTREL_5GHz", Security::Wpa2Psk, 0x07, 36, Band::A, -58),
                             "kestrel-5ghz-psk"));
  n.back().wmm = 1;
  n.push_back(Network("KESTREL_Turbo", Security::None, 0x08, 42, Band::Turbo, -63));
  n.push_back(Network("KESTREL_XR", Security::None, 0x09, 11, Band::G, -87));
  n.back().xr = 1;
  return scenario;
}

std::uint32_t ChannelFrequency(std::uint32_t channel) {
  if (channel == 14)
    return 2484;
  if (channel >= 1 && channel <= 13)
    return 2407 + 5 * channel;
  if (channel >= 34 && channel <= 165)
    return 5000 + 5 * channel;
  return 0;
}

std::uint32_t ChannelWord(std::uint32_t channel, Band band) {
  const std::uint32_t frequency = ChannelFrequency(channel);
  if (frequency == 0)
    return 0;
  const bool fiveGhz = frequency > 5000;
  std::uint32_t flags = 0;
  switch (band) {
    case Band::B:
      if (fiveGhz)
        return 0;
      break;
    case Band::G:
      if (fiveGhz)
        return 0;
      flags = kFlagOfdm24;
      break;
    case Band::A:
      if (!fiveGhz)
        return 0;
      break;
    case Band::Turbo:
      flags = fiveGhz ? kFlagTurbo : kFlagTurbo | kFlagOfdm24;
      break;
  }
  return frequency | (flags << 16);
}

NetworkSlot MakeNetwork(std::string_view ssid, Security security) {
  NetworkSlot network{};
  SetNetworkSsid(network, ssid);
  network.security = security;
  network.infrastructureMode = 1;
  network.levelDbm = -60;
  network.channelWord = ChannelWord(6, Band::G);
  return network;
}

void SetNetworkSsid(NetworkSlot& network, std::string_view ssid) {
  const std::size_t size = std::min<std::size_t>(ssid.size(), kMaxSsidBytes);
  std::memset(network.ssid, 0, sizeof network.ssid);
  std::memcpy(network.ssid, ssid.data(), size);
  network.ssidLength = static_cast<std::uint32_t>(size);
}

void SetNetworkPassphrase(NetworkSlot& network, std::string_view passphrase) {
  const std::size_t size = std::min<std::size_t>(passphrase.size(), kMaxPassphraseBytes);
  std::memset(network.passphrase, 0, sizeof network.passphrase);
  std::memcpy(network.passphrase, passphrase.data(), size);
  network.passphraseLength = static_cast<std::uint32_t>(size);
}

std::string NetworkSsid(const NetworkSlot& network) {
  const std::size_t size = std::min<std::size_t>(network.ssidLength, kMaxSsidBytes);
  return std::string(reinterpret_cast<const char*>(network.ssid), size);
}

std::string_view SecurityName(Security security) {
  switch (security) {
    case Security::None:
      return "none";
    case Security::Wep:
      return "wep";
    case Security::WpaPsk:
      return "wpa-psk";
    case Security::Wpa2Psk:
      return "wpa2-psk";
    case Security::WpaEap:
      return "wpa-eap";
    case Security::Wpa2Eap:
      return "wpa2-eap";
  }
  return "unknown";
}

void ResetState(SharedAdapterState& state, const Scenario& scenario, std::uint64_t nowMs) {
  state = SharedAdapterState{};
  state.magic = kStateMagic;
  state.layoutVersion = kStateLayoutVersion;
  state.size = sizeof(SharedAdapterState);
  state.wirelessMode[0] = 0x1F;
  state.fragThreshold = 2346;
  state.rtsThreshold = 2346;
  state.preamble = 1;
  state.infrastructureMode = 1;
  state.wepStatus = 1;  // encryption disabled
  state.ff10000f = 0;
  LoadScenario(state, scenario, nowMs);
}

void LoadScenario(SharedAdapterState& state, const Scenario& scenario, std::uint64_t nowMs) {
  RestartAssociation(state, nowMs);  // while the old networks are there to end the link
  state.present = scenario.present ? 1 : 0;
  std::memcpy(state.mac, scenario.mac.data(), 6);
  state.countryCode = scenario.countryCode;
  state.loadKbps = scenario.loadKbps;
  const std::size_t count = std::min<std::size_t>(scenario.networks.size(), kMaxNetworks);
  std::memset(state.networks, 0, sizeof state.networks);
  std::copy_n(scenario.networks.begin(), count, state.networks);
  state.networkCount = static_cast<std::uint32_t>(count);

  state.lastAdvanceMs = nowMs;
  state.channelWord = ChannelWord(1, Band::G);
}

}  // namespace kestrel::sim
