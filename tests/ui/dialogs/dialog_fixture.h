#pragma once
// An adapter and its driver parameters on the fakes, with the country code, "DriverDesc"
// and "ccode" the dialogs read.

#include <string>

#include "adapter/adapter.h"
#include "fakes/fake_control_surface.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_user_prompt.h"
#include "parameters/driver_parameters.h"
#include "platform/registry_key.h"
#include "profiles/wireless_profile.h"
#include "ui/dialogs/dialog_services.h"

namespace kestrel::fakes {

inline constexpr char kDualBandAdapter[] = "KESTREL LX740N QX-7+ Wireless PC Card";
inline constexpr char kSingleBandAdapter[] = "KESTREL LX330 802.11g Wireless PCI Adapter";

class DialogFixture {
 public:
  DialogFixture() {
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
    registry.putKey(RegistryHive::LocalMachine, kParameters);
    setDriverValue("DriverDesc", kDualBandAdapter);
  }

  void setCountry(const std::string& code) {
    const auto first = static_cast<std::uint8_t>(code.at(0));
    const auto second = static_cast<std::uint8_t>(code.at(1));
    ndis.answerWord(oid::kVndCountryCode, static_cast<std::uint32_t>(first << 8 | second));
  }
  void failCountry() { ndis.answers.erase(oid::kVndCountryCode); }
  void setDriverValue(const std::string& name, const std::string& text) {
    registry.putValue(RegistryHive::LocalMachine, kParameters, name,
                      RegistryStringValue(text, false));
  }
  void removeDriverValue(const std::string& name) {
    RegistryKeyHandle key = 0;
    if (registry.openKey(RegistryHive::LocalMachine, kParameters, RegistryAccess::Full, key)) {
      registry.deleteValue(key, name);
      registry.closeKey(key);
    }
  }
  DialogServices services() { return {adapter, parameters, system, prompt}; }

  static constexpr char kParameters[] =
      "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

  FakeRegistry registry;
  FakeNdisLibrary ndis;
  FakeCompletionEvents events;
  FakeUserPrompt prompt;
  FakeControlSurface controls;
  SystemKind system;
  AdapterIdentity identity;
  bool opened = false;
  Adapter adapter{ndis, events, opened, identity.current};
  DriverParameters parameters{ndis, registry, system, identity};
  WirelessProfile working;
  WirelessProfile current;
};

}  // namespace kestrel::fakes
