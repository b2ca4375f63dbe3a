// A save cut off after every possible number of registry changes: a process killed there
// (nothing more is written, the next process reads what is left) and a single write that
// fails (the process goes on). Every listed profile must then be one whole profile, and
// the one being saved either its old or its new self.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_user_prompt.h"
#include "parameters/driver_parameters.h"
#include "platform/registry_key.h"
#include "profiles/card_config_id.h"
#include "profiles/profile_store.h"

namespace kestrel {
namespace {

constexpr RegistryHive kHklm = RegistryHive::LocalMachine;
constexpr char kBase[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
const std::string kParameters = std::string(kBase) + "\\0042\\";
const std::string kConfigurations = kParameters + "CustomParams\\Configurations";
const std::string kPending = kParameters + "CustomParams\\PendingProfile";

std::string ProfileKey(const std::string& name) {
  return kConfigurations + "\\" + name;
}

using KeyContent = std::map<std::string, std::pair<RegistryType, std::vector<std::uint8_t>>>;

KeyContent ContentOf(const fakes::FakeRegistry& registry, const std::string& path) {
  KeyContent content;
  for (const auto& [name, value] : registry.valuesOf(kHklm, path)) {
    content[name] = {value.type, value.data};
  }
  return content;
}

// One process's store over a registry that outlives it.
struct StoreProcess {
  explicit StoreProcess(fakes::FakeRegistry& r) : registry(r) {
    library.registryPath = kBase;
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";
  }
  void enumerate() {
    store.EnumerateProfiles([](const std::string&) {});
  }
  std::vector<std::string> storedList() {
    ProfileList stored;
    ProfileStore reader{registry, parameters, cardConfigId, prompt, system, stored};
    reader.EnumerateProfiles([](const std::string&) {});
    return stored.names();
  }

  fakes::FakeRegistry& registry;
  fakes::FakeNdisLibrary library;
  fakes::FakeUserPrompt prompt;
  fakes::FakeGuidSource guids;
  SystemKind system;
  AdapterIdentity identity;
  ProfileList list;
  DriverParameters parameters{library, registry, system, identity};
  CardConfigId cardConfigId{parameters, guids};
  ProfileStore store{registry, parameters, cardConfigId, prompt, system, list};
};

WirelessProfile Record(const char* ssid, const char* key, const char* password) {
  WirelessProfile p;
  p.NetworkName = ssid;
  p.EnableSecurity = 1;
  p.SharedKey = {key, "", "", ""};
  p.SharedKeyLength = {13, 0, 0, 0};
  p.AdvancedPassword = password;
  p.AdvancedPasswdLength = static_cast<std::int32_t>(p.AdvancedPassword.size());
  p.FragThreshold = 1000 + static_cast<std::int32_t>(p.NetworkName.size());
  return p;
}

struct SaveCase {
  const char* name;
  bool storedBefore;
};

class SaveInterruption : public ::testing::TestWithParam<SaveCase> {
 protected:
  void SetUp() override {
    {
      ScopedRegistryKey key(arranged);
      ASSERT_TRUE(key.create(kHklm, kParameters));
    }
    StoreProcess first(arranged);
    first.prompt.answers = {true, true};
    WirelessProfile other = Record("other-net", "00112233445566778899AABBCC", "other-pw");
    ASSERT_TRUE(first.store.SaveProfile(other, "Other"));
    if (GetParam().storedBefore) {
      WirelessProfile old = Record("old-net", "0123456789ABCDEF0123456789", "old-password");
      ASSERT_TRUE(first.store.SaveProfile(old, GetParam().name));
    }
    otherContent = ContentOf(arranged, ProfileKey("Other"));
    oldContent = ContentOf(arranged, ProfileKey(GetParam().name));

    fakes::FakeRegistry clean = arranged;
    StoreProcess saver(clean);
    saver.enumerate();
    saver.prompt.answers = {true};
    WirelessProfile fresh = freshRecord();
    const int changesBefore = clean.changes;
    const int writesBefore = clean.writes;
    ASSERT_TRUE(saver.store.SaveProfile(fresh, GetParam().name));
    changesOfASave = clean.changes - changesBefore;
    writesOfASave = clean.writes - writesBefore;
    newContent = ContentOf(clean, ProfileKey(GetParam().name));
    ASSERT_NE(newContent, oldContent);
  }

  static WirelessProfile freshRecord() {
    return Record("new-net", "FEDCBA9876543210FEDCBA9876", "a-new-password-long");
  }

  bool listed(StoreProcess& process) {
    const std::vector<std::string> names = process.storedList();
    return std::find(names.begin(), names.end(), GetParam().name) != names.end();
  }

  // What any reader finds before a store call mends anything: a listed profile whole, or
  // the whole new one waiting beside it.
  void expectNothingHalfWritten(const fakes::FakeRegistry& registry, int cut) {
    const KeyContent target = ContentOf(registry, ProfileKey(GetParam().name));
    KeyContent pending = ContentOf(registry, kPending);
    const bool pendingWhole = pending.erase("pendingprofilename") == 1 && pending == newContent;
    if (GetParam().storedBefore) {
      EXPECT_TRUE(target == oldContent || target == newContent || pendingWhole) << "cut " << cut;
    } else if (listedIn(registry)) {
      EXPECT_EQ(target, newContent) << "cut " << cut;
    }
  }

  static bool listedIn(const fakes::FakeRegistry& registry) {
    for (const auto& [number, value] : registry.valuesOf(kHklm, kConfigurations)) {
      if (number.find_first_not_of("0123456789") == std::string::npos &&
          RegistryValueText(value) == GetParam().name)
        return true;
    }
    return false;
  }

  // After the next store call: a profile stored before is its old or its new self, a new
  // one is listed only when whole, and the other profile is untouched. True when the new
  // profile is the one stored.
  bool expectOneWholeProfile(StoreProcess& process, int cut) {
    const bool isListed = listed(process);
    WirelessProfile loaded;
    const bool loads = process.store.LoadProfile(loaded, GetParam().name);
    const KeyContent target = ContentOf(process.registry, ProfileKey(GetParam().name));
    EXPECT_FALSE(process.registry.hasKey(kHklm, kPending)) << "cut " << cut;
    EXPECT_EQ(ContentOf(process.registry, ProfileKey("Other")), otherContent) << "cut " << cut;
    if (GetParam().storedBefore) {
      EXPECT_TRUE(target == oldContent || target == newContent) << "cut " << cut;
      EXPECT_TRUE(loads) << "cut " << cut;
      return target == newContent;
    }
    if (!isListed)
      return false;
    EXPECT_EQ(target, newContent) << "cut " << cut;
    EXPECT_TRUE(loads) << "cut " << cut;
    return true;
  }

  fakes::FakeRegistry arranged;
  KeyContent otherContent;
  KeyContent oldContent;
  KeyContent newContent;
  int changesOfASave = 0;
  int writesOfASave = 0;
};

TEST_P(SaveInterruption, KilledAfterAnyChangeLeavesTheOldOrTheNewProfile) {
  ASSERT_GT(changesOfASave, 44);
  int newWon = 0;
  for (int cut = 0; cut <= changesOfASave; ++cut) {
    fakes::FakeRegistry registry = arranged;
    {
      StoreProcess killed(registry);
      killed.enumerate();
      killed.prompt.answers = {true};
      registry.stopAfterChanges = registry.changes + cut;
      WirelessProfile fresh = freshRecord();
      EXPECT_EQ(killed.store.SaveProfile(fresh, GetParam().name), cut == changesOfASave);
    }
    registry.stopAfterChanges = -1;
    expectNothingHalfWritten(registry, cut);
    StoreProcess next(registry);
    next.enumerate();
    newWon += expectOneWholeProfile(next, cut) ? 1 : 0;
  }
  // Cut early the old profile stays, cut late the new one is finished.
  EXPECT_GT(newWon, 0);
  EXPECT_LT(newWon, changesOfASave + 1);
}

TEST_P(SaveInterruption, OneFailedWriteLeavesTheOldOrTheNewProfileAndAnHonestList) {
  for (int failing = 1; failing <= writesOfASave; ++failing) {
    fakes::FakeRegistry registry = arranged;
    StoreProcess process(registry);
    process.enumerate();
    process.prompt.answers = {true};
    registry.failWriteNumber = registry.writes + failing;
    WirelessProfile fresh = freshRecord();
    EXPECT_FALSE(process.store.SaveProfile(fresh, GetParam().name)) << "write " << failing;
    registry.failWriteNumber = 0;
    // What this process still believes is what is stored.
    EXPECT_EQ(process.list.names(), process.storedList()) << "write " << failing;

    // A later save of another profile rewrites the list from memory.
    WirelessProfile later = Record("later-net", "00000000000000000000000000", "later");
    ASSERT_TRUE(process.store.SaveProfile(later, "Later")) << "write " << failing;
    expectOneWholeProfile(process, failing);
  }
}

INSTANTIATE_TEST_SUITE_P(Names, SaveInterruption,
                         ::testing::Values(SaveCase{"Target", false}, SaveCase{"Target", true},
                                           SaveCase{kVirtualProfileName, true}),
                         [](const ::testing::TestParamInfo<SaveCase>& param) {
                           const std::string name = param.param.name;
                           return (name == kVirtualProfileName ? std::string("Virtual") : name) +
                                  (param.param.storedBefore ? "Overwritten" : "New");
                         });

}  // namespace
}  // namespace kestrel
