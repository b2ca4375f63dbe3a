#include "activation/configuration_push.h"

#include <algorithm>

#include "adapter/oid_conversions.h"

namespace kestrel {

namespace {

constexpr std::uint32_t kAuthOpen = 0;
constexpr std::uint32_t kAuthAutoSwitch = 2;
constexpr std::uint32_t kAuthWpa9x = 3;
constexpr std::uint32_t kAuthWpaPsk9x = 4;
constexpr std::uint32_t kAuthWpaNt = 8;
constexpr std::uint32_t kAuthWpaPskNt = 9;

std::uint32_t AuthenticationMode(const WirelessProfile& profile, const SystemKind& system) {
  if (profile.EnableSecurity == 0)
    return kAuthOpen;
  if (profile.WPA == 0)
    return kAuthAutoSwitch;
  const bool win9x = system.servicePackLevel == kServicePackLevel9x;
  if (profile.EapSelection == kEapWpaPsk)
    return win9x ? kAuthWpaPsk9x : kAuthWpaPskNt;
  return win9x ? kAuthWpa9x : kAuthWpaNt;
}

std::uint32_t EncryptionStatus(std::int32_t encryptionAlg) {
  switch (encryptionAlg) {
    case 0:
      return 1;  // disabled
    case 1:
      return 0;  // WEP enabled
    case 6:
      return 6;
    default:
      return 1;
  }
}

// A changed value only: the driver may reset its state on every threshold set.
bool SetIfDifferent(Adapter& adapter, bool (Adapter::*get)(std::uint32_t&),
                    bool (Adapter::*set)(std::uint32_t), std::int32_t wanted) {
  std::uint32_t held = 0;
  if (!(adapter.*get)(held) || held == static_cast<std::uint32_t>(wanted))
    return true;
  return (adapter.*set)(static_cast<std::uint32_t>(wanted));
}

bool AddStaticKeys(Adapter& adapter, const WirelessProfile& profile) {
  for (std::uint32_t k = 0; k < kWepKeyCount; ++k) {
    const std::string& stored = profile.SharedKey[k];
    const std::string text = stored.empty() ? kFallbackWepKey : stored;
    const std::int32_t storedLength = stored.empty() ? 16 : profile.SharedKeyLength[k];
    const KeyBytes key = HexToKeyBytes(text);
    // A damaged length never reads past the decoded key.
    const auto length = static_cast<std::uint32_t>(std::clamp<std::int32_t>(storedLength, 0, 16));
    std::uint32_t index = k;
    if (static_cast<std::int32_t>(k) == profile.defaultKey)
      index |= kTransmitKeyFlag;
    if (profile.WPA == 0 && !adapter.AddWep(index, key.bytes.data(), length))
      return false;
  }
  return true;
}

}  // namespace

std::int32_t NarrowNetBandForRegion(const std::string& countryCode, std::int32_t netBand) {
  if (countryCode == "DZ" || countryCode == "IL" || countryCode == "BR")
    netBand &= 0x1C;
  if (countryCode == "GB" || countryCode == "FR")
    netBand &= 0x1D;
  if (countryCode == "JP")
    netBand &= 0x0D;
  return netBand;
}

bool ApplyConfiguration(PushTargets targets, WirelessProfile& profile) {
  Adapter& adapter = targets.adapter;
  const bool infrastructure = profile.NetworkConnectionType == 1;

  targets.dot1x.StopAuthentication();
  adapter.SetFf10000f(1);

  std::string countryCode;
  if (targets.parameters.ReadDriverParameter("ccode", countryCode)) {
    adapter.SetCountryCode(countryCode.substr(0, 2));
  }
  profile.NetBand = NarrowNetBandForRegion(countryCode, profile.NetBand);

  WirelessModeRecord mode;
  mode.modeMask = static_cast<std::uint32_t>(profile.NetBand);
  if (!infrastructure) {
    mode.adHoc = static_cast<std::uint32_t>(profile.AdHocBand) |
                 (static_cast<std::uint32_t>(profile.AdHocChannel) << 16);
  }
  if (!adapter.SetWirelessMode(mode))
    return false;

  if (targets.system.servicePackLevel == 2) {
    WmmConfig wmm{};
    adapter.GetWmmConfig(wmm);
    if (profile.WmmEnabled == 1)
      wmm[8] = 1;
    if (profile.WmmEnabled == 0)
      wmm[8] = 0;
    adapter.SetWmmConfig(wmm);
  }

  adapter.SendFfff8808();
  adapter.SetFf00002e(1);

  if (profile.NetworkConnectionType == 1 || profile.NetworkConnectionType == 2) {
    if (!adapter.SetInfrastructureMode(infrastructure ? 1 : 0))
      return false;
  }
  if (!SetIfDifferent(adapter, &Adapter::GetRtsThreshold, &Adapter::SetRtsThreshold,
                      profile.RTSThreshold) ||
      !SetIfDifferent(adapter, &Adapter::GetFragThreshold, &Adapter::SetFragThreshold,
                      profile.FragThreshold)) {
    return false;
  }
  const std::int32_t powerSave = infrastructure ? profile.PowerManagement : 0;
  if (!adapter.SetPowerSave(static_cast<std::uint32_t>(powerSave)))
    return false;
  if (!adapter.SetTxPower(static_cast<std::uint32_t>(profile.tpc)))
    return false;
  std::uint32_t preamble = 0;
  if (adapter.GetPreamble(preamble) &&
      !adapter.SetPreamble(static_cast<std::uint32_t>(profile.ShortPreamble))) {
    return false;
  }
  if (!adapter.SetAuthenticationMode(AuthenticationMode(profile, targets.system)))
    return false;
  if (!adapter.SetWepStatus(EncryptionStatus(profile.EncryptionAlg)))
    return false;
  if (!adapter.SetSsid(SsidRecord::FromText(profile.NetworkName)))
    return false;

  targets.dot1x.credentials().clearMethods();
  if (profile.EnableSecurity == 2) {
    if (profile.EapSelection == kEapWpaPsk) {
      targets.dot1x.ConfigureWpaPsk(profile.Passphrase, profile.NetworkName);
      targets.dot1x.StartAuthentication();
    } else {
      targets.dot1x.ConfigureEap(profile);
    }
  }

  if (profile.EncryptionAlg == 0) {
    return adapter.RemoveWep(static_cast<std::uint32_t>(profile.defaultKey));
  }
  if (profile.EncryptionAlg == 1 && profile.leapEnabled == 0) {
    return AddStaticKeys(adapter, profile);
  }
  return true;
}

}  // namespace kestrel
