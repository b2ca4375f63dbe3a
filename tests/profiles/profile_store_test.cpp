// The profile store and driver mirror on the in-memory registry: the shared cases, and
// what only the fake can show (write order, failing writes, every byte written).
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_registry.h"
#include "profiles/profile_values.h"
#include "store_cases.h"

namespace kestrel {

struct FakeRegistryEnvironment {
  fakes::FakeRegistry registry;
  std::string base =
      "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
};

INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, ProfileStoreCases, FakeRegistryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, DriverMirrorCases, FakeRegistryEnvironment);

namespace {

class ProfileStoreFakeTest : public StoreFixture<FakeRegistryEnvironment> {
 protected:
  std::vector<std::string> writtenNames(const std::string& keyEnding) const {
    std::vector<std::string> names;
    for (const auto& write : env.registry.written) {
      if (write.key.size() >= keyEnding.size() &&
          write.key.compare(write.key.size() - keyEnding.size(), keyEnding.size(), keyEnding) ==
              0) {
        names.push_back(write.name);
      }
    }
    return names;
  }
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

TEST_F(ProfileStoreFakeTest, ProfileValuesAreWrittenInTheStoredOrder) {
  WirelessProfile profile;
  ASSERT_TRUE(store.SaveProfile(profile, "Ordered"));
  const std::vector<std::string> expected = {"ConfigurationName",
                                             "NetworkConnectionType",
                                             "NetworkName",
                                             "AdHocChannel",
                                             "NetBand",
                                             "AdHocBand",
                                             "WmmEnabled",
                                             "ShortPreamble",
                                             "PowerManagement",
                                             "PHlength",
                                             "tpc",
                                             "FragThreshold",
                                             "RTSThreshold",
                                             "EnableSecurity",
                                             "defaultKey",
                                             "EapSelection",
                                             "AdvancedAuthenticationType",
                                             "EncryptionAlg",
                                             "WPA",
                                             "SharedKey1",
                                             "SharedKey2",
                                             "SharedKey3",
                                             "SharedKey4",
                                             "SharedKey1Length",
                                             "SharedKey2Length",
                                             "SharedKey3Length",
                                             "SharedKey4Length",
                                             "DomainName",
                                             "LoginName",
                                             "ClientCertLen",
                                             "Certificate",
                                             "AdvancedUserName",
                                             "AdvancedUserNameLength",
                                             "AdvancedPassword",
                                             "AdvancedPasswdLength",
                                             "leapEnabled",
                                             "leapUserName",
                                             "leapUserNameLength",
                                             "leapUserPasswd",
                                             "leapUserPasswdLength",
                                             "HexEntryPp",
                                             "Passphrase",
                                             "PassphraseLength",
                                             "autoCellEnabled"};
  EXPECT_EQ(writtenNames("\\ordered"), expected);
  // A replaced profile is copied by these names.
  const std::vector<const char*>& copied = StoredProfileValueNames();
  EXPECT_EQ(std::vector<std::string>(copied.begin(), copied.end()), expected);
  EXPECT_EQ(writtenNames("\\configurations"), std::vector<std::string>{"0"});
  // Strings carry their terminating zero; the card id does not.
  EXPECT_EQ(env.registry.value(kHklm, profileKey("Ordered"), "NetworkName")->data.back(), 0);
  EXPECT_EQ(env.registry.value(kHklm, parametersPath, "CardCfgId")->data.size(), 36u);
  EXPECT_EQ(env.registry.openHandles(), 0);
}

TEST_F(ProfileStoreFakeTest, MirrorWritesTheDriverValuesInOrder) {
  WirelessProfile profile;
  std::string id;
  cardConfigId.GetCardConfigId(id);
  env.registry.written.clear();
  ASSERT_TRUE(mirror.WriteDriverParameters(profile));
  const std::vector<std::string> expected = {"bssType",
                                             "SSID",
                                             "autoCellEnabled",
                                             "AdHocChannel",
                                             "NetBand",
                                             "AdHocBand",
                                             "WmmEnabled",
                                             "ShortPreamble",
                                             "sleepMode",
                                             "tpc",
                                             "FragThreshold",
                                             "RTSThreshold",
                                             "privacyInvoked",
                                             "defaultKey",
                                             "EapSelection",
                                             "AuthType",
                                             "EncryptionAlg",
                                             "wpaEnabled",
                                             "leapEnabled",
                                             "PHlength",
                                             "Key0",
                                             "Key1",
                                             "Key2",
                                             "Key3",
                                             "KeyLength0",
                                             "KeyLength1",
                                             "KeyLength2",
                                             "KeyLength3",
                                             "autoCellEnabled"};
  EXPECT_EQ(writtenNames("\\0042"), expected);
}

TEST_F(ProfileStoreFakeTest, MirrorStopsAtTheFirstFailedWrite) {
  std::string id;
  cardConfigId.GetCardConfigId(id);
  env.registry.failWriteNumber = env.registry.writes + 3;  // autoCellEnabled, the third value
  WirelessProfile profile;
  EXPECT_FALSE(mirror.WriteDriverParameters(profile));
  EXPECT_TRUE(exists(parametersPath, "SSID"));
  EXPECT_FALSE(exists(parametersPath, "autoCellEnabled"));
  EXPECT_FALSE(exists(parametersPath, "NetBand"));
}

TEST_F(ProfileStoreFakeTest, Nt4KeepsNumbersAsDwords) {
  system.os = OsKind::Nt4;
  identity.current.deviceName = "kwlsvc08";
  const std::string nt4Path = "System\\CurrentControlSet\\Services\\kwlsvc08\\Parameters\\";
  env.registry.putKey(kHklm, nt4Path);
  WirelessProfile profile;
  profile.ClientCertLen = 2;
  ASSERT_TRUE(mirror.WriteDriverParameters(profile));
  EXPECT_EQ(type(nt4Path, "bssType"), RegistryType::Dword);
  EXPECT_EQ(type(nt4Path, "autoCellEnabled"), RegistryType::Dword);  // the second write wins
  EXPECT_EQ(dword(nt4Path, "autoCellEnabled"), 1);
  EXPECT_EQ(dword(nt4Path, "KeyLength0"), 0);

  ASSERT_TRUE(store.SaveProfile(profile, "Nt"));
  const std::string key = nt4Path + "CustomParams\\Configurations\\Nt";
  EXPECT_EQ(type(key, "ClientCertLen"), RegistryType::Dword);
  WirelessProfile loaded;
  ASSERT_TRUE(store.LoadProfile(loaded, "Nt"));
  EXPECT_EQ(loaded.ClientCertLen, 2);
}

TEST_F(ProfileStoreFakeTest, SaveStopsAtTheFirstFailedWrite) {
  std::string id;
  cardConfigId.GetCardConfigId(id);
  env.registry.failWriteNumber = env.registry.writes + 2;  // NetworkConnectionType
  WirelessProfile profile;
  EXPECT_FALSE(store.SaveProfile(profile, "Half"));
  EXPECT_TRUE(exists(profileKey("Half"), "ConfigurationName"));
  EXPECT_FALSE(exists(profileKey("Half"), "NetworkConnectionType"));
  EXPECT_FALSE(exists(profileKey("Half"), "NetworkName"));
  EXPECT_FALSE(exists(configurations, "0"));  // the list is not rewritten
  EXPECT_TRUE(env.registry.nullDaclKeys.empty());
}

TEST_F(ProfileStoreFakeTest, ProfileKeysAreOpenedToEveryoneFromWindows2000On) {
  WirelessProfile profile;
  for (OsKind os : {OsKind::Xp, OsKind::Win2000, OsKind::Win98, OsKind::Me}) {
    system.os = os;
    identity.current.deviceName = "0042";
    env.registry.nullDaclKeys.clear();
    ASSERT_TRUE(store.SaveProfile(profile, kVirtualProfileName));
    const bool nt5 = os == OsKind::Xp || os == OsKind::Win2000;
    EXPECT_EQ(env.registry.nullDaclKeys.size(), nt5 ? 1u : 0u);
  }
}

TEST_F(ProfileStoreFakeTest, DeleteFailsWhenTheListCannotBeRewritten) {
  WirelessProfile profile;
  ASSERT_TRUE(store.SaveProfile(profile, "A"));
  ASSERT_TRUE(store.SaveProfile(profile, "B"));
  prompt.answers = {true};
  env.registry.failWriteNumber = env.registry.writes + 2;
  EXPECT_FALSE(store.DeleteProfile("A"));
  EXPECT_TRUE(exists(profileKey("A"), "NetworkName"));  // the key stays
}

TEST_F(ProfileStoreFakeTest, NoPlaintextSecretIsEverWritten) {
  WirelessProfile profile = FullProfile();
  ASSERT_TRUE(store.SaveProfile(profile, "Secrets"));
  ASSERT_TRUE(mirror.WriteDriverParameters(profile));
  WirelessProfile hex = FullProfile();
  hex.HexEntryPp = 1;
  hex.Passphrase = "0F1E2D3C4B5A69788796A5B4C3D2E1F00F1E2D3C4B5A69788796A5B4C3D2E1F0";
  hex.PassphraseLength = 64;
  ASSERT_TRUE(store.SaveProfile(hex, "HexSecrets"));

  std::vector<std::string> secrets = {profile.AdvancedPassword, profile.leapUserPasswd,
                                      profile.Passphrase, Lower(hex.Passphrase)};
  for (std::size_t k = 0; k < 3; ++k) {
    secrets.push_back(Lower(profile.SharedKey[k]));
    std::string bytes;  // the key's own bytes, as a driver might have stored them
    for (std::size_t i = 0; i + 1 < profile.SharedKey[k].size(); i += 2) {
      bytes += static_cast<char>(std::stoi(profile.SharedKey[k].substr(i, 2), nullptr, 16));
    }
    secrets.push_back(bytes);
  }
  ASSERT_GT(env.registry.written.size(), 100u);
  for (const auto& write : env.registry.written) {
    const std::string data = Lower(std::string(write.value.data.begin(), write.value.data.end()));
    for (const std::string& secret : secrets) {
      EXPECT_EQ(data.find(Lower(secret)), std::string::npos) << write.name;
    }
  }
}

// --- Rules of load, list and delete --------------------------------------------------

TEST_F(ProfileStoreFakeTest, KeysAreEmptiedEvenWhenTheLoadStopsBeforeThem) {
  WirelessProfile profile = FullProfile();
  ASSERT_TRUE(store.SaveProfile(profile, "Stops"));
  putText(profileKey("Stops"), "NetBand", "7");  // text where a DWORD belongs
  WirelessProfile loaded;
  loaded.SharedKey = {"0123456789", "11111111111111111111111111", "22", "33"};
  EXPECT_FALSE(store.LoadProfile(loaded, "Stops"));
  EXPECT_EQ(loaded.SharedKey, (std::array<std::string, kWepKeyCount>{"", "", "", ""}));
}

TEST_F(ProfileStoreFakeTest, LeapUserNameIsEmptiedOnlyWhenItsTurnComes) {
  WirelessProfile profile = FullProfile();
  ASSERT_TRUE(store.SaveProfile(profile, "Leap"));
  remove(profileKey("Leap"), "leapUserName");
  WirelessProfile loaded;
  loaded.leapUserName = "previous";
  EXPECT_FALSE(store.LoadProfile(loaded, "Leap"));
  EXPECT_EQ(loaded.leapEnabled, profile.leapEnabled);  // read just before
  EXPECT_EQ(loaded.leapUserName, "");

  // A load that stopped earlier leaves it alone.
  putText(profileKey("Leap"), "NetBand", "7");
  WirelessProfile early;
  early.leapUserName = "previous";
  EXPECT_FALSE(store.LoadProfile(early, "Leap"));
  EXPECT_EQ(early.leapUserName, "previous");
}

TEST_F(ProfileStoreFakeTest, NamesWithABackslashAreNeitherListedNorDeleted) {
  putList({"Good", "Sub\\Key", "..\\Escape"});
  env.registry.putKey(kHklm, configurations + "\\Sub\\Key");
  std::vector<std::string> visited;
  store.EnumerateProfiles([&](const std::string& name) { visited.push_back(name); });
  EXPECT_EQ(visited, std::vector<std::string>{"Good"});

  // Such a name in the list by any other way is still not a key to delete.
  list.append("Sub\\Key");
  prompt.answers = {true};
  EXPECT_FALSE(store.DeleteProfile("Sub\\Key"));
  EXPECT_EQ(prompt.notices, std::vector<std::string>{kProfileMissingMessage});
  EXPECT_TRUE(prompt.questions.empty());
  EXPECT_TRUE(env.registry.hasKey(kHklm, configurations + "\\Sub\\Key"));
  EXPECT_EQ(text(configurations, "1"), "Sub\\Key");  // the list is not rewritten
}

// --- What a save and the mirror write ------------------------------------------------

TEST_F(ProfileStoreFakeTest, SavedLengthsAreBoundedWhateverTheRecordHolds) {
  WirelessProfile profile = FullProfile();
  profile.SharedKeyLength = {1000, -8, 16, 0};
  profile.ClientCertLen = 500;  // the certificate field holds 20 bytes
  ASSERT_TRUE(store.SaveProfile(profile, "Bounded"));
  const std::string key = profileKey("Bounded");
  EXPECT_EQ(dword(key, "SharedKey1Length"), 128);
  EXPECT_EQ(text(key, "SharedKey1").size(), 32u);
  EXPECT_EQ(dword(key, "SharedKey2Length"), 0);
  EXPECT_EQ(text(key, "ClientCertLen"), "20");
  EXPECT_EQ(text(key, "Certificate").size(), 40u);

  ASSERT_TRUE(mirror.WriteDriverParameters(profile));
  EXPECT_EQ(text(parametersPath, "KeyLength0"), "16");
  EXPECT_EQ(text(parametersPath, "KeyLength1"), "0");
  EXPECT_EQ(text(parametersPath, "Key0").size(), 32u);
}

TEST_F(ProfileStoreFakeTest, MirrorWritesAutoCellFirstAsTextThenAsNumber) {
  const auto autoCellWrites = [this] {
    std::vector<RegistryValue> values;
    for (const auto& write : env.registry.written) {
      if (write.name == "autoCellEnabled")
        values.push_back(write.value);
    }
    env.registry.written.clear();
    return values;
  };
  WirelessProfile profile;
  profile.autoCellEnabled = 2;  // anything but 1 is "0" in the first write
  ASSERT_TRUE(mirror.WriteDriverParameters(profile));
  std::vector<RegistryValue> writes = autoCellWrites();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].type, RegistryType::String);
  EXPECT_EQ(RegistryValueText(writes[0]), "0");
  EXPECT_EQ(RegistryValueText(writes[1]), "2");

  system.os = OsKind::Nt4;
  identity.current.deviceName = "kwlsvc08";
  env.registry.putKey(kHklm, "System\\CurrentControlSet\\Services\\kwlsvc08\\Parameters\\");
  profile.autoCellEnabled = 1;
  ASSERT_TRUE(mirror.WriteDriverParameters(profile));
  writes = autoCellWrites();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].type, RegistryType::String);  // text even where numbers are DWORDs
  EXPECT_EQ(RegistryValueText(writes[0]), "1");
  EXPECT_EQ(writes[1].type, RegistryType::Dword);
}

// Bytes of a text's buffer past its end, up to `upTo`, all zero: the old value is gone.
void ExpectZeroTail(const std::string& text, const char* buffer, std::size_t upTo) {
  ASSERT_EQ(text.data(), buffer);  // replaced in place, not freed with the old bytes
  for (std::size_t i = text.size() + 1; i < upTo; ++i) {
    EXPECT_EQ(buffer[i], '\0') << i;
  }
}

TEST_F(ProfileStoreFakeTest, KeysAreUpperCasedInPlaceBySaveAndMirror) {
  WirelessProfile profile;
  profile.SharedKey[1] = "00112233445566778899aabbcc";
  profile.SharedKeyLength[1] = 13;
  const char* buffer = profile.SharedKey[1].data();
  ASSERT_TRUE(store.SaveProfile(profile, "Upper"));
  EXPECT_EQ(profile.SharedKey[1], "00112233445566778899AABBCC");
  EXPECT_EQ(profile.SharedKey[1].data(), buffer);

  profile.SharedKey[1] = "ffeeddccbbaa99887766554433221100";
  profile.SharedKeyLength[1] = 16;
  buffer = profile.SharedKey[1].data();
  ASSERT_TRUE(mirror.WriteDriverParameters(profile));
  EXPECT_EQ(profile.SharedKey[1], "FFEEDDCCBBAA99887766554433221100");
  EXPECT_EQ(profile.SharedKey[1].data(), buffer);
}

TEST_F(ProfileStoreFakeTest, LoadingOverwritesTheOldSecretsInPlace) {
  WirelessProfile stored = FullProfile();  // key 2 of 26 digits, short passwords
  ASSERT_TRUE(store.SaveProfile(stored, "Secrets"));
  WirelessProfile hex = FullProfile();
  hex.HexEntryPp = 1;
  hex.Passphrase = "0F1E2D3C4B5A6978";
  hex.PassphraseLength = 16;
  ASSERT_TRUE(store.SaveProfile(hex, "HexSecrets"));

  WirelessProfile loaded;
  loaded.SharedKey[1] = std::string(32, 'K');
  loaded.AdvancedPassword = std::string(40, 'a');
  loaded.leapUserPasswd = std::string(40, 'l');
  loaded.Passphrase = std::string(40, 'p');
  const char* key = loaded.SharedKey[1].data();
  const char* advanced = loaded.AdvancedPassword.data();
  const char* leap = loaded.leapUserPasswd.data();
  const char* passphrase = loaded.Passphrase.data();
  ASSERT_TRUE(store.LoadProfile(loaded, "Secrets"));
  EXPECT_EQ(loaded.SharedKey[1], stored.SharedKey[1]);
  EXPECT_EQ(loaded.AdvancedPassword, stored.AdvancedPassword);
  EXPECT_EQ(loaded.leapUserPasswd, stored.leapUserPasswd);
  EXPECT_EQ(loaded.Passphrase, stored.Passphrase);
  ExpectZeroTail(loaded.SharedKey[1], key, 32);
  ExpectZeroTail(loaded.AdvancedPassword, advanced, 40);
  ExpectZeroTail(loaded.leapUserPasswd, leap, 40);
  ExpectZeroTail(loaded.Passphrase, passphrase, 40);

  loaded.Passphrase = std::string(40, 'h');
  passphrase = loaded.Passphrase.data();
  ASSERT_TRUE(store.LoadProfile(loaded, "HexSecrets"));
  EXPECT_EQ(loaded.Passphrase, "0F1E2D3C4B5A6978");
  ExpectZeroTail(loaded.Passphrase, passphrase, 40);
}

}  // namespace
}  // namespace kestrel
