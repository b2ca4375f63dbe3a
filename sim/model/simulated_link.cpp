#include "model/simulated_link.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "model/link_traffic.h"
#include "model/scenario.h"

namespace kestrel::sim {

namespace {

bool Audible(const NetworkSlot& network) {
  return network.levelDbm >= kAudibleFloorDbm;
}

bool ModeFits(const SharedAdapterState& state, const NetworkSlot& network) {
  return state.infrastructureMode == 2 || state.infrastructureMode == network.infrastructureMode;
}

bool SameSsid(const SharedAdapterState& state, const NetworkSlot& network) {
  return network.ssidLength == state.desiredSsidLength &&
         std::memcmp(network.ssid, state.desiredSsid, state.desiredSsidLength) == 0;
}

bool IsWpa(Security security) {
  return security != Security::None && security != Security::Wep;
}

// The first audible network the desired SSID names, preferring one whose network type
// fits; -1 when none is in range.
std::int32_t FindTarget(const SharedAdapterState& state) {
  const bool any = WantsAnyNetwork(state);
  std::int32_t fallback = -1;
  for (std::uint32_t i = 0; i < state.networkCount; ++i) {
    const NetworkSlot& network = state.networks[i];
    if (!Audible(network))
      continue;
    if (any) {
      if (network.security == Security::None && ModeFits(state, network))
        return static_cast<std::int32_t>(i);
      continue;
    }
    if (!SameSsid(state, network))
      continue;
    if (ModeFits(state, network))
      return static_cast<std::int32_t>(i);
    if (fallback < 0)
      fallback = static_cast<std::int32_t>(i);
  }
  return fallback;
}

// Whether the adapter's encryption status and authentication mode suit the network
// (the NDIS values, and the driver's own 8 and 9 for WPA and WPA-PSK).
bool EncryptionFits(const SharedAdapterState& state, const NetworkSlot& network) {
  const std::uint32_t wep = state.wepStatus;
  const std::uint32_t auth = state.authenticationMode;
  switch (network.security) {
    case Security::None:
      return (wep == 1 || wep == 3) && auth <= 2;
    case Security::Wep:
      return (wep == 0 || wep == 2) && auth <= 2;
    case Security::WpaPsk:
    case Security::Wpa2Psk:
      return wep >= 4 && wep <= 7 && (auth == 4 || auth == 7 || auth == 9);
    case Security::WpaEap:
    case Security::Wpa2Eap:
      return wep >= 4 && wep <= 7 && (auth == 3 || auth == 6 || auth == 8);
  }
  return false;
}

bool WepKeyFits(const SharedAdapterState& state, const NetworkSlot& network) {
  const WepKeySlot& key = state.wepKeys[state.transmitKey & 3];
  return key.present && key.length == network.keyLength &&
         std::memcmp(key.bytes, network.key, network.keyLength) == 0;
}

bool ReportedPassphraseFits(const SharedAdapterState& state, const NetworkSlot& network) {
  return state.dot1xPassphraseLength == network.passphraseLength &&
         std::memcmp(state.dot1xPassphrase, network.passphrase, network.passphraseLength) == 0;
}

bool IsOfdm(const NetworkSlot& network) {
  return (network.channelWord & 0xFFFF) > 5000 || ((network.channelWord >> 16) & kFlagOfdm24);
}

bool IsTurbo(const NetworkSlot& network) {
  return ((network.channelWord >> 16) & kFlagTurbo) != 0;
}

// The rate of a strong signal on the network, in kbit/s.
std::uint64_t BestRateKbps(const NetworkSlot& network) {
  if (network.xr)
    return 3000;
  if (IsTurbo(network))
    return 108'000;
  return IsOfdm(network) ? 54'000 : 11'000;
}

// The load of the current link: the scenario's, within a sixth of what the link can carry
// so that its bursts still fit.
std::uint32_t LinkLoadKbps(const SharedAdapterState& state, const NetworkSlot& network) {
  return static_cast<std::uint32_t>(
      std::min<std::uint64_t>(state.loadKbps, BestRateKbps(network) / 6));
}

TrafficBytes CurrentLinkTraffic(const SharedAdapterState& state, std::uint64_t atMs) {
  const NetworkSlot* network = LinkNetwork(state);
  if (state.phase != LinkPhase::Connected || network == nullptr)
    return {};
  const std::uint64_t elapsed = atMs > state.phaseStartMs ? atMs - state.phaseStartMs : 0;
  // Each link draws its own pattern from the moment it came up.
  const auto seed = static_cast<std::uint32_t>(state.phaseStartMs * 2654435761u) ^
                    static_cast<std::uint32_t>(state.network);
  return LinkTraffic(elapsed, LinkLoadKbps(state, *network), seed);
}

// A link going down adds its traffic to that of the links before it.
void KeepLinkTraffic(SharedAdapterState& state, std::uint64_t atMs) {
  const TrafficBytes bytes = CurrentLinkTraffic(state, atMs);
  state.txBytesBefore += bytes.tx;
  state.rxBytesBefore += bytes.rx;
}

void Enter(SharedAdapterState& state, LinkPhase phase, std::uint64_t atMs) {
  if (phase != LinkPhase::Connected)
    KeepLinkTraffic(state, atMs);
  state.phase = phase;
  state.phaseStartMs = atMs;
}

void Fail(SharedAdapterState& state, LinkFailure failure, std::uint64_t atMs) {
  Enter(state, LinkPhase::Scanning, atMs);
  state.network = -1;
  state.lastFailure = failure;
  state.blocked = failure == LinkFailure::NotInRange ? 0 : 1;
  state.dot1xReported = 0;
}

// One stage change when its time has come; false when the link stays where it is.
bool Step(SharedAdapterState& state, std::uint64_t nowMs) {
  const std::uint64_t elapsed = nowMs - state.phaseStartMs;
  switch (state.phase) {
    case LinkPhase::Scanning: {
      if (state.blocked || elapsed < kScanMs)
        return false;
      const std::uint64_t end = state.phaseStartMs + kScanMs;
      const std::int32_t target = FindTarget(state);
      if (target < 0) {
        state.lastFailure = LinkFailure::NotInRange;
        Enter(state, LinkPhase::Scanning, end);  // scan again
        return true;
      }
      state.network = target;
      state.channelWord = state.networks[target].channelWord;
      state.rssiOffset = 0;
      Enter(state, LinkPhase::Connecting, end);
      return true;
    }
    case LinkPhase::Connecting: {
      if (elapsed < kConnectMs)
        return false;
      const std::uint64_t end = state.phaseStartMs + kConnectMs;
      const NetworkSlot& network = state.networks[state.network];
      if (!ModeFits(state, network)) {
        Fail(state, LinkFailure::NetworkType, end);
      } else if (!EncryptionFits(state, network)) {
        Fail(state, LinkFailure::Encryption, end);
      } else if (network.security == Security::None) {
        state.lastFailure = LinkFailure::None;
        Enter(state, LinkPhase::Connected, end);
      } else {
        Enter(state, LinkPhase::Authenticating, end);
      }
      return true;
    }
    case LinkPhase::Authenticating: {
      if (elapsed < kAuthenticateMs)
        return false;
      const NetworkSlot& network = state.networks[state.network];
      if (IsWpa(network.security) && !state.dot1xReported)
        return false;  // waits for the 802.1X client
      const bool fits = IsWpa(network.security) ? ReportedPassphraseFits(state, network)
                                                : WepKeyFits(state, network);
      // A WEP key is checked when the stage ends; a WPA link completes when the client's
      // report is seen.
      const std::uint64_t at =
          IsWpa(network.security) ? nowMs : state.phaseStartMs + kAuthenticateMs;
      if (fits) {
        state.lastFailure = LinkFailure::None;
        Enter(state, LinkPhase::Connected, at);
      } else {
        Fail(state, LinkFailure::WrongKey, at);
      }
      return true;
    }
    case LinkPhase::Connected:
      return false;
  }
  return false;
}

void WalkRssi(SharedAdapterState& state, std::uint64_t spanMs, RandomSource& random) {
  const std::uint64_t total = state.walkRemainderMs + spanMs;
  // A long gap needs no more steps than it takes to cross the span twice.
  const std::uint64_t steps = std::min<std::uint64_t>(total / kWalkStepMs, 4 * kWalkSpanDb);
  state.walkRemainderMs = total % kWalkStepMs;
  for (std::uint64_t i = 0; i < steps; ++i) {
    const auto move = static_cast<std::int32_t>(random.next() % 3) - 1;
    state.rssiOffset = std::clamp(state.rssiOffset + move, -kWalkSpanDb, kWalkSpanDb);
  }
}

}  // namespace

bool WantsAnyNetwork(const SharedAdapterState& state) {
  if (state.desiredSsidLength == 0)
    return true;
  if (state.desiredSsidLength != 3)
    return false;
  const char any[] = "any";
  for (int i = 0; i < 3; ++i) {
    if (std::tolower(state.desiredSsid[i]) != any[i])
      return false;
  }
  return true;
}

void RestartAssociation(SharedAdapterState& state, std::uint64_t nowMs) {
  Enter(state, LinkPhase::Scanning, nowMs);
  state.network = -1;
  state.blocked = 0;
  state.lastFailure = LinkFailure::None;
  state.dot1xReported = 0;
  state.rssiOffset = 0;
}

void AdvanceLink(SharedAdapterState& state, std::uint64_t nowMs, RandomSource& random) {
  const std::uint64_t previous = std::min(state.lastAdvanceMs, nowMs);
  state.lastAdvanceMs = nowMs;
  if (!state.present)
    return;
  state.phaseStartMs = std::min(state.phaseStartMs, nowMs);  // a clock that went back
  if (state.phase != LinkPhase::Scanning && LinkNetwork(state) == nullptr)
    RestartAssociation(state, nowMs);  // the network list changed under the link
  if (state.phase != LinkPhase::Scanning && !Audible(state.networks[state.network])) {
    Fail(state, LinkFailure::NotInRange, previous);
  }
  // Each stage lasts a few hundred ms, so a handful of steps covers any gap.
  for (int i = 0; i < 8 && Step(state, nowMs); ++i) {
  }
  if (state.phase == LinkPhase::Scanning && nowMs - state.phaseStartMs > kScanMs)
    state.phaseStartMs = nowMs - (nowMs - state.phaseStartMs) % kScanMs;  // after a long gap
  if (state.phase == LinkPhase::Connected) {
    const std::uint64_t span = nowMs - std::max(previous, state.phaseStartMs);
    WalkRssi(state, span, random);
  }
}

std::uint32_t ConnectionStateCode(const SharedAdapterState& state) {
  if (state.phase != LinkPhase::Connected)
    return static_cast<std::uint32_t>(state.phase);
  return state.networks[state.network].infrastructureMode == 0 ? 4 : 1;
}

bool IsConnected(const SharedAdapterState& state) {
  return state.present && state.phase == LinkPhase::Connected;
}

const NetworkSlot* LinkNetwork(const SharedAdapterState& state) {
  if (state.network < 0 || state.network >= static_cast<std::int32_t>(state.networkCount))
    return nullptr;
  return &state.networks[state.network];
}

std::int32_t LinkRssi(const SharedAdapterState& state) {
  const NetworkSlot* network = LinkNetwork(state);
  return network == nullptr ? kAudibleFloorDbm : network->levelDbm + state.rssiOffset;
}

std::uint32_t TxRateCode(const SharedAdapterState& state) {
  const NetworkSlot* link = LinkNetwork(state);
  if (!IsConnected(state) || link == nullptr)
    return 0;
  const NetworkSlot& network = *link;
  if (network.xr)
    return 0x80000000u | 3000;  // extended range runs at 3 Mbit/s, reported in kbit/s
  const bool weak = LinkRssi(state) < -80;
  if (IsTurbo(network))
    return weak ? 36 : 108;
  if (IsOfdm(network))
    return weak ? 18 : 54;
  return weak ? 5 : 11;
}

TrafficBytes LinkTotals(const SharedAdapterState& state) {
  TrafficBytes totals =
      state.present ? CurrentLinkTraffic(state, state.lastAdvanceMs) : TrafficBytes{};
  totals.tx += state.txBytesBefore;
  totals.rx += state.rxBytesBefore;
  return totals;
}

}  // namespace kestrel::sim
