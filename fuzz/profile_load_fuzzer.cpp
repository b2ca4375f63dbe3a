// A stored profile is whatever the registry holds: values of any type and size, damaged
// cipher texts, lengths that lie. Loading it must stay in bounds and clamp every length.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_user_prompt.h"
#include "parameters/driver_parameters.h"
#include "profiles/card_config_id.h"
#include "profiles/profile_store.h"
#include "profiles/profile_values.h"

namespace {

using namespace kestrel;

constexpr char kBase[] = "System\\Fuzz\\Class";
constexpr char kParameters[] = "System\\Fuzz\\Class\\0001";
constexpr char kProfileName[] = "VirtualProfile";

// The profile store wired to one in-memory registry, as the application wires it.
struct Store {
  explicit Store(fakes::FakeRegistry& backing) : registry(backing) {
    library.registryPath = kBase;
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";
    guids.texts = {"0e9f6a1c-2b3d-4e5f-8a7b-6c5d4e3f2a1b"};
    registry.putKey(RegistryHive::LocalMachine, kParameters);
  }
  fakes::FakeRegistry& registry;
  fakes::FakeNdisLibrary library;
  fakes::FakeUserPrompt prompt;
  fakes::FakeGuidSource guids;
  SystemKind system{OsKind::Xp, 2};
  AdapterIdentity identity;
  ProfileList list;
  DriverParameters parameters{library, registry, system, identity};
  CardConfigId cardConfigId{parameters, guids};
  ProfileStore store{registry, parameters, cardConfigId, prompt, system, list};
};

struct StoredValue {
  std::string key;
  std::string name;
  RegistryValue value;
};

// Every value a full save writes, the card id among them: the names the input chooses from,
// and the sound profile it starts from.
const std::vector<StoredValue>& SavedProfile() {
  static const std::vector<StoredValue> saved = [] {
    fakes::FakeRegistry registry;
    Store s(registry);
    WirelessProfile p;
    p.EnableSecurity = 2;
    p.SharedKey = {"0102030405", "00112233445566778899AABBCC", "", ""};
    p.SharedKeyLength = {5, 13, 0, 0};
    p.ClientCertLen = 20;
    p.AdvancedPassword = "advanced-secret";
    p.AdvancedPasswdLength = 15;
    p.leapUserPasswd = "leap-secret";
    p.leapUserPasswdLength = 11;
    s.store.SaveProfile(p, kProfileName);
    std::vector<StoredValue> values;
    for (const auto& write : registry.written)
      values.push_back({write.key, write.name, write.value});
    return values;
  }();
  return saved;
}

void Require(bool condition) {
  if (!condition)
    std::abort();
}

}  // namespace

// Each change: which value (one byte), what to do with it (one byte: delete, or store as
// text, binary or number), a length (one byte), then that many bytes of data.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<StoredValue>& saved = SavedProfile();
  fakes::FakeRegistry registry;
  Store s(registry);
  for (const StoredValue& stored : saved) {
    // The fake keeps keys lower-cased with a hive prefix; put them back under the machine.
    const std::string path = stored.key.substr(stored.key.find('\\') + 1);
    registry.putValue(RegistryHive::LocalMachine, path, stored.name, stored.value);
  }

  std::size_t at = 0;
  while (at + 3 <= size) {
    const StoredValue& target = saved[data[at] % saved.size()];
    const std::uint8_t action = data[at + 1] % 4;
    const std::size_t length = std::min<std::size_t>(data[at + 2], size - at - 3);
    at += 3;
    const std::vector<std::uint8_t> bytes(data + at, data + at + length);
    at += length;
    const std::string path = target.key.substr(target.key.find('\\') + 1);
    if (action == 0) {
      RegistryKeyHandle key = 0;
      if (registry.openKey(RegistryHive::LocalMachine, path, RegistryAccess::Full, key)) {
        registry.deleteValue(key, target.name);
        registry.closeKey(key);
      }
      continue;
    }
    const RegistryType type = action == 1   ? RegistryType::String
                              : action == 2 ? RegistryType::Binary
                                            : RegistryType::Dword;
    registry.putValue(RegistryHive::LocalMachine, path, target.name, {type, bytes});
  }

  WirelessProfile profile;
  s.store.LoadProfile(profile, kProfileName);
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    Require(profile.SharedKeyLength[k] >= 0 && profile.SharedKeyLength[k] <= kMaxWepKeyBytes);
  }
  Require(profile.ClientCertLen >= 0 &&
          profile.ClientCertLen <= static_cast<std::int32_t>(kCertificateBytes));
  Require(profile.AdvancedPasswdLength >= 0 && profile.AdvancedPasswdLength <= kMaxSecretBytes);
  Require(profile.leapUserPasswdLength >= 0 && profile.leapUserPasswdLength <= kMaxSecretBytes);
  Require(profile.AdvancedPassword.size() <= static_cast<std::size_t>(kMaxSecretBytes));
  Require(profile.leapUserPasswd.size() <= static_cast<std::size_t>(kMaxSecretBytes));
  return 0;
}
