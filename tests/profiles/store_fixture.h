#pragma once
// The profile store, card id and driver mirror wired to one registry: the in-memory one
// natively, the real one under Wine. `Environment` supplies `registry` and `base`, a key
// under the local machine hive that it owns and removes.

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_user_prompt.h"
#include "parameters/driver_parameters.h"
#include "platform/registry_key.h"
#include "profiles/card_config_id.h"
#include "profiles/driver_parameter_mirror.h"
#include "profiles/profile_store.h"
#include "profiles/registry_helpers.h"

namespace kestrel {

template <class Environment>
class StoreFixture : public ::testing::Test {
 protected:
  static constexpr RegistryHive kHklm = RegistryHive::LocalMachine;

  StoreFixture() {
    library.registryPath = env.base;
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";
    parametersPath = env.base + "\\0042";
    configurations = parametersPath + "\\CustomParams\\Configurations";
    ScopedRegistryKey key(env.registry);
    EXPECT_TRUE(key.create(kHklm, parametersPath));
  }

  std::string profileKey(const std::string& name) const { return configurations + "\\" + name; }

  bool read(const std::string& path, const std::string& name, RegistryValue& value) {
    ScopedRegistryKey key(env.registry);
    return key.open(kHklm, path, RegistryAccess::Query) &&
           env.registry.queryValue(key.get(), name, 4096, value);
  }
  bool exists(const std::string& path, const std::string& name) {
    RegistryValue value;
    return read(path, name, value);
  }
  std::string text(const std::string& path, const std::string& name) {
    RegistryValue value;
    return read(path, name, value) ? RegistryValueText(value) : "<missing>";
  }
  std::int32_t dword(const std::string& path, const std::string& name) {
    std::int32_t number = -12345;
    RegReadDword(env.registry, kHklm, path, name, number);
    return number;
  }
  RegistryType type(const std::string& path, const std::string& name) {
    RegistryValue value;
    return read(path, name, value) ? value.type : RegistryType::None;
  }
  void put(const std::string& path, const std::string& name, const RegistryValue& value) {
    ScopedRegistryKey key(env.registry);
    ASSERT_TRUE(key.create(kHklm, path));
    ASSERT_TRUE(env.registry.setValue(key.get(), name, value));
  }
  void putText(const std::string& path, const std::string& name, const std::string& text) {
    put(path, name, RegistryStringValue(text, true));
  }
  void remove(const std::string& path, const std::string& name) {
    ScopedRegistryKey key(env.registry);
    ASSERT_TRUE(key.open(kHklm, path, RegistryAccess::Full));
    ASSERT_TRUE(env.registry.deleteValue(key.get(), name));
  }
  // Arranges the numbered list directly, as an earlier run would have left it.
  void putList(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      putText(configurations, std::to_string(i), names[i]);
    }
  }
  void enumerate() {
    store.EnumerateProfiles([](const std::string&) {});
  }

  // A profile with every field away from its default and every secret set.
  static WirelessProfile FullProfile() {
    WirelessProfile p;
    p.ConfigurationName = "Office";
    p.NetworkConnectionType = 2;
    p.NetworkName = "lab-net";
    p.AdHocChannel = 5180;
    p.NetBand = 7;
    p.AdHocBand = 0;
    p.WmmEnabled = 0;
    p.ShortPreamble = 0;
    p.PowerManagement = 1;
    p.PHlength = 9;
    p.tpc = 3;
    p.FragThreshold = 1500;
    p.RTSThreshold = 500;
    p.EnableSecurity = 1;
    p.defaultKey = 2;
    p.EapSelection = 3;
    p.AdvancedAuthenticationType = 4;
    p.EncryptionAlg = 1;
    p.WPA = 0;
    p.SharedKey = {"0123456789", "00112233445566778899AABBCC", "FFEEDDCCBBAA99887766554433221100",
                   ""};
    p.SharedKeyLength = {5, 13, 16, 0};
    p.DomainName = "CORP";
    p.LoginName = "someone";
    p.ClientCertLen = 20;
    for (std::size_t i = 0; i < kCertificateBytes; ++i) {
      p.Certificate[i] = static_cast<std::uint8_t>(i * 13);
    }
    p.AdvancedUserName = "someone@corp";
    p.AdvancedUserNameLength = 12;
    p.AdvancedPassword = "advanced-secret";
    p.AdvancedPasswdLength = 15;
    p.leapEnabled = 1;
    p.leapUserName = "leapuser";
    p.leapUserNameLength = 8;
    p.leapUserPasswd = "leap-secret";
    p.leapUserPasswdLength = 11;
    p.HexEntryPp = 0;
    p.Passphrase = "wpa passphrase";
    p.PassphraseLength = 14;
    p.autoCellEnabled = 0;
    return p;
  }

  Environment env;
  std::string parametersPath;
  std::string configurations;
  fakes::FakeNdisLibrary library;
  fakes::FakeUserPrompt prompt;
  fakes::FakeGuidSource guids;
  SystemKind system;
  AdapterIdentity identity;
  ProfileList list;
  bool adapterFound = true;
  DriverParameters parameters{library, env.registry, system, identity};
  CardConfigId cardConfigId{parameters, guids};
  ProfileStore store{env.registry, parameters, cardConfigId, prompt, system, list};
  DriverParameterMirror mirror{env.registry, parameters, cardConfigId, system, adapterFound};
};

}  // namespace kestrel
