// Applying settings saves "VirtualProfile" and mirrors the keys; the settings page loads a
// profile on every selection. Each secret costs one Blowfish key schedule.
#include <benchmark/benchmark.h>

#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_user_prompt.h"
#include "parameters/driver_parameters.h"
#include "profiles/profile_store.h"
#include "profiles/secret_cipher.h"

namespace kestrel {
namespace {

WirelessProfile ProfileWithEverySecret() {
  WirelessProfile p;
  p.SharedKey = {"0123456789", "00112233445566778899AABBCC", "FFEEDDCCBBAA99887766554433221100",
                 "A1B2C3D4E5"};
  p.SharedKeyLength = {5, 13, 16, 5};
  p.AdvancedPassword = "advanced-secret";
  p.AdvancedPasswdLength = 15;
  p.leapUserPasswd = "leap-secret";
  p.leapUserPasswdLength = 11;
  p.Passphrase = "a WPA passphrase of some length";
  p.PassphraseLength = 31;
  p.ClientCertLen = 20;
  return p;
}

void BM_SaveAndLoadProfile(benchmark::State& state) {
  fakes::FakeRegistry registry;
  fakes::FakeNdisLibrary library;
  fakes::FakeUserPrompt prompt;
  fakes::FakeGuidSource guids;
  SystemKind system;
  AdapterIdentity identity;
  identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0000";
  ProfileList list;
  DriverParameters parameters(library, registry, system, identity);
  registry.putKey(RegistryHive::LocalMachine, parameters.GetDriverParametersPath());
  CardConfigId cardConfigId(parameters, guids);
  ProfileStore store(registry, parameters, cardConfigId, prompt, system, list);
  WirelessProfile saved = ProfileWithEverySecret();
  WirelessProfile loaded;
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.SaveProfile(saved, kVirtualProfileName));
    benchmark::DoNotOptimize(store.LoadProfile(loaded, kVirtualProfileName));
    registry.written.clear();
    registry.openedPaths.clear();
    registry.nullDaclKeys.clear();
  }
}
BENCHMARK(BM_SaveAndLoadProfile);

void BM_EncryptSecret(benchmark::State& state) {
  const std::string cardId = "3f2504e0-4f89-11d3-9a0c-0305e82c3301";
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncryptSecret(cardId, "00112233445566778899AABBCC", 104, true));
  }
}
BENCHMARK(BM_EncryptSecret);

}  // namespace
}  // namespace kestrel
