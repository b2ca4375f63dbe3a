#include "profiles/driver_parameter_mirror.h"

#include <algorithm>

#include "profiles/profile_values.h"
#include "profiles/secret_cipher.h"
#include "profiles/value_chain.h"

namespace kestrel {

DriverParameterMirror::DriverParameterMirror(Registry& registry, DriverParameters& parameters,
                                             CardConfigId& cardConfigId, const SystemKind& system,
                                             const bool& adapterFoundAtStart)
    : registry_(registry),
      parameters_(parameters),
      cardConfigId_(cardConfigId),
      system_(system),
      adapterFoundAtStart_(adapterFoundAtStart) {}

bool DriverParameterMirror::WriteDriverParameters(WirelessProfile& p) {
  const std::string path = parameters_.GetDriverParametersPath();
  if (!adapterFoundAtStart_)
    return false;
  std::string cipherKey;
  cardConfigId_.GetCardConfigId(cipherKey);

  ValueWriter out(registry_, system_.os, path);
  out.number("bssType", p.NetworkConnectionType);
  out.string("SSID", p.NetworkName);
  out.string("autoCellEnabled", p.autoCellEnabled == 1 ? "1" : "0");
  out.number("AdHocChannel", p.AdHocChannel);
  out.number("NetBand", p.NetBand);
  out.number("AdHocBand", p.AdHocBand);
  out.number("WmmEnabled", p.WmmEnabled);
  out.dword("ShortPreamble", p.ShortPreamble);
  out.number("sleepMode", p.PowerManagement);
  out.number("tpc", p.tpc);
  out.number("FragThreshold", p.FragThreshold);
  out.number("RTSThreshold", p.RTSThreshold);
  out.number("privacyInvoked", p.EnableSecurity);
  out.number("defaultKey", p.defaultKey);
  out.number("EapSelection", p.EapSelection);
  out.number("AuthType", p.AdvancedAuthenticationType);
  out.number("EncryptionAlg", p.EncryptionAlg);
  out.number("wpaEnabled", p.WPA);
  out.number("leapEnabled", p.leapEnabled);
  out.number("PHlength", p.PHlength);
  for (std::size_t k = 0; k < kWepKeyCount && out.ok(); ++k) {
    UpperCaseInPlace(p.SharedKey[k]);
    const std::int32_t bytes = std::clamp<std::int32_t>(p.SharedKeyLength[k], 0, kMaxWepKeyBytes);
    out.string(("Key" + std::to_string(k)).c_str(),
               EncryptSecret(cipherKey, p.SharedKey[k], bytes * 8, true));
  }
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    out.number(("KeyLength" + std::to_string(k)).c_str(),
               std::clamp<std::int32_t>(p.SharedKeyLength[k], 0, kMaxWepKeyBytes));
  }
  out.number("autoCellEnabled", p.autoCellEnabled);
  return out.ok();
}

}  // namespace kestrel
