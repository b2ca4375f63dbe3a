#pragma once
// Store and driver-mirror behaviour that depends on the registry: included once into the
// native store tests (in-memory registry) and once into the Windows tests (real registry).

#include "profiles/hex_text.h"
#include "profiles/profile_messages.h"
#include "profiles/secret_cipher.h"
#include "store_fixture.h"

namespace kestrel {

inline void ExpectSameStoredFields(const WirelessProfile& a, const WirelessProfile& b) {
  EXPECT_EQ(a.ConfigurationName, b.ConfigurationName);
  EXPECT_EQ(a.NetworkConnectionType, b.NetworkConnectionType);
  EXPECT_EQ(a.NetworkName, b.NetworkName);
  EXPECT_EQ(a.AdHocChannel, b.AdHocChannel);
  EXPECT_EQ(a.NetBand, b.NetBand);
  EXPECT_EQ(a.AdHocBand, b.AdHocBand);
  EXPECT_EQ(a.WmmEnabled, b.WmmEnabled);
  EXPECT_EQ(a.ShortPreamble, b.ShortPreamble);
  EXPECT_EQ(a.PowerManagement, b.PowerManagement);
  EXPECT_EQ(a.PHlength, b.PHlength);
  EXPECT_EQ(a.tpc, b.tpc);
  EXPECT_EQ(a.FragThreshold, b.FragThreshold);
  EXPECT_EQ(a.RTSThreshold, b.RTSThreshold);
  EXPECT_EQ(a.EnableSecurity, b.EnableSecurity);
  EXPECT_EQ(a.defaultKey, b.defaultKey);
  EXPECT_EQ(a.EapSelection, b.EapSelection);
  EXPECT_EQ(a.AdvancedAuthenticationType, b.AdvancedAuthenticationType);
  EXPECT_EQ(a.EncryptionAlg, b.EncryptionAlg);
  EXPECT_EQ(a.WPA, b.WPA);
  EXPECT_EQ(a.SharedKey, b.SharedKey);
  EXPECT_EQ(a.SharedKeyLength, b.SharedKeyLength);
  EXPECT_EQ(a.DomainName, b.DomainName);
  EXPECT_EQ(a.LoginName, b.LoginName);
  EXPECT_EQ(a.ClientCertLen, b.ClientCertLen);
  EXPECT_EQ(a.Certificate, b.Certificate);
  EXPECT_EQ(a.AdvancedUserName, b.AdvancedUserName);
  EXPECT_EQ(a.AdvancedUserNameLength, b.AdvancedUserNameLength);
  EXPECT_EQ(a.AdvancedPassword, b.AdvancedPassword);
  EXPECT_EQ(a.AdvancedPasswdLength, b.AdvancedPasswdLength);
  EXPECT_EQ(a.leapEnabled, b.leapEnabled);
  EXPECT_EQ(a.leapUserName, b.leapUserName);
  EXPECT_EQ(a.leapUserNameLength, b.leapUserNameLength);
  EXPECT_EQ(a.leapUserPasswd, b.leapUserPasswd);
  EXPECT_EQ(a.leapUserPasswdLength, b.leapUserPasswdLength);
  EXPECT_EQ(a.HexEntryPp, b.HexEntryPp);
  EXPECT_EQ(a.Passphrase, b.Passphrase);
  EXPECT_EQ(a.PassphraseLength, b.PassphraseLength);
  EXPECT_EQ(a.autoCellEnabled, b.autoCellEnabled);
}

template <class Environment>
class ProfileStoreCases : public StoreFixture<Environment> {};
TYPED_TEST_SUITE_P(ProfileStoreCases);

TYPED_TEST_P(ProfileStoreCases, EveryFieldRoundTrips) {
  WirelessProfile saved = this->FullProfile();
  ASSERT_TRUE(this->store.SaveProfile(saved, "Office"));
  EXPECT_EQ(this->prompt.shown(), 0u);
  WirelessProfile loaded;
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Office"));
  ExpectSameStoredFields(loaded, saved);
  EXPECT_EQ(loaded.passphraseCipher, saved.passphraseCipher);
  EXPECT_EQ(this->text(this->configurations, "0"), "Office");
  // The certificate is kept as lower-case hex text.
  EXPECT_EQ(this->text(this->profileKey("Office"), "Certificate").substr(0, 8), "000d1a27");
}

TYPED_TEST_P(ProfileStoreCases, FortyBitKeyIsSixteenDigitsAndComesBackUpperCase) {
  WirelessProfile profile;
  profile.SharedKey[0] = "a1b2c3d4e5";
  profile.SharedKeyLength[0] = 5;
  ASSERT_TRUE(this->store.SaveProfile(profile, "Home"));
  EXPECT_EQ(profile.SharedKey[0], "A1B2C3D4E5");
  const std::string stored = this->text(this->profileKey("Home"), "SharedKey1");
  EXPECT_EQ(stored.size(), 16u);
  EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(this->dword(this->profileKey("Home"), "SharedKey1Length"), 40);
  EXPECT_EQ(this->text(this->profileKey("Home"), "SharedKey2"), "");
  EXPECT_EQ(this->dword(this->profileKey("Home"), "SharedKey2Length"), 0);

  WirelessProfile loaded;
  loaded.SharedKey[1] = "stale";
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Home"));
  EXPECT_EQ(loaded.SharedKey[0], "A1B2C3D4E5");
  EXPECT_EQ(loaded.SharedKeyLength[0], 5);
  EXPECT_EQ(loaded.SharedKey[1], "");
}

TYPED_TEST_P(ProfileStoreCases, PassphraseLengthsAreStoredInBits) {
  WirelessProfile hex;
  hex.HexEntryPp = 1;
  hex.Passphrase = std::string(32, 'a') + std::string(32, '7');
  hex.PassphraseLength = 64;
  ASSERT_TRUE(this->store.SaveProfile(hex, "Hex"));
  EXPECT_EQ(this->dword(this->profileKey("Hex"), "PassphraseLength"), 256);
  EXPECT_EQ(this->dword(this->profileKey("Hex"), "HexEntryPp"), 1);
  WirelessProfile loaded;
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Hex"));
  EXPECT_EQ(loaded.Passphrase, std::string(32, 'A') + std::string(32, '7'));
  EXPECT_EQ(loaded.PassphraseLength, 64);

  WirelessProfile text;  // the default passphrase has 15 characters
  ASSERT_TRUE(this->store.SaveProfile(text, "Text"));
  EXPECT_EQ(this->dword(this->profileKey("Text"), "PassphraseLength"), 120);
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Text"));
  EXPECT_EQ(loaded.Passphrase, "MARLOWE-DUSKY-V");
  EXPECT_EQ(loaded.PassphraseLength, 15);
  EXPECT_EQ(loaded.HexEntryPp, 0);
}

TYPED_TEST_P(ProfileStoreCases, PreambleAndPowerSaveBothRoundTrip) {
  WirelessProfile profile;
  profile.ShortPreamble = 0;
  profile.PowerManagement = 1;
  ASSERT_TRUE(this->store.SaveProfile(profile, "Quiet"));
  WirelessProfile loaded;  // defaults 1 and 2
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Quiet"));
  EXPECT_EQ(loaded.ShortPreamble, 0);
  EXPECT_EQ(loaded.PowerManagement, 1);
}

TYPED_TEST_P(ProfileStoreCases, ProfileStoredWithoutPreambleStillLoads) {
  WirelessProfile profile = this->FullProfile();
  ASSERT_TRUE(this->store.SaveProfile(profile, "Older"));
  this->remove(this->profileKey("Older"), "ShortPreamble");
  WirelessProfile loaded;
  loaded.ShortPreamble = 0;
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Older"));
  EXPECT_EQ(loaded.ShortPreamble, 0);  // kept
  profile.ShortPreamble = 0;
  ExpectSameStoredFields(loaded, profile);
}

TYPED_TEST_P(ProfileStoreCases, VirtualProfileIsNeverAskedListedOrCounted) {
  std::vector<std::string> hundred;
  for (int i = 0; i < 100; ++i) {
    hundred.push_back("P" + std::to_string(i));
  }
  this->putList(hundred);
  this->enumerate();
  WirelessProfile profile;
  ASSERT_TRUE(this->store.SaveProfile(profile, kVirtualProfileName));
  ASSERT_TRUE(this->store.SaveProfile(profile, kVirtualProfileName));  // overwritten silently
  EXPECT_EQ(this->prompt.shown(), 0u);
  EXPECT_EQ(this->list.size(), 100u);
  this->enumerate();
  EXPECT_FALSE(this->list.contains(kVirtualProfileName));
  EXPECT_TRUE(this->exists(this->profileKey(kVirtualProfileName), "NetworkName"));
}

TYPED_TEST_P(ProfileStoreCases, HundredNamesRefuseANewNameButOfferOverwrite) {
  std::vector<std::string> hundred;
  for (int i = 0; i < 100; ++i) {
    hundred.push_back("P" + std::to_string(i));
  }
  this->putList(hundred);
  this->enumerate();
  WirelessProfile profile;
  EXPECT_FALSE(this->store.SaveProfile(profile, "P100"));
  ASSERT_EQ(this->prompt.notices.size(), 1u);
  EXPECT_EQ(this->prompt.notices[0], kProfileLimitMessage);
  EXPECT_FALSE(this->exists(this->profileKey("P100"), "NetworkName"));

  this->prompt.answers = {true};
  EXPECT_TRUE(this->store.SaveProfile(profile, "P42"));
  ASSERT_EQ(this->prompt.questions.size(), 1u);
  EXPECT_EQ(this->prompt.questions[0], kOverwriteProfileQuestion);
  EXPECT_EQ(this->list.size(), 100u);
}

TYPED_TEST_P(ProfileStoreCases, OverwriteAnsweredNoKeepsTheStoredProfile) {
  WirelessProfile first;
  first.NetworkName = "first";
  ASSERT_TRUE(this->store.SaveProfile(first, "Cafe"));
  WirelessProfile second;
  second.NetworkName = "second";
  this->prompt.answers = {false};
  EXPECT_FALSE(this->store.SaveProfile(second, "Cafe"));
  EXPECT_EQ(this->text(this->profileKey("Cafe"), "NetworkName"), "first");
  EXPECT_EQ(this->list.size(), 1u);
}

TYPED_TEST_P(ProfileStoreCases, DefaultEntersOnlyAnEmptyList) {
  WirelessProfile defaults;
  ASSERT_TRUE(this->store.SaveProfile(defaults, kDefaultProfileName));
  EXPECT_EQ(this->text(this->configurations, "0"), kDefaultProfileName);
  WirelessProfile other;
  ASSERT_TRUE(this->store.SaveProfile(other, "Other"));
  EXPECT_FALSE(this->store.SaveProfile(defaults, kDefaultProfileName));
  EXPECT_EQ(this->prompt.shown(), 0u);  // fails without a word

  // Into a list that already holds other names "Default" never goes.
  this->list.clear();
  this->list.append("Other");
  EXPECT_FALSE(this->store.SaveProfile(defaults, kDefaultProfileName));
}

TYPED_TEST_P(ProfileStoreCases, ConfigurationNameComesFromTheRecord) {
  WirelessProfile profile;
  profile.ConfigurationName = "Named inside";
  ASSERT_TRUE(this->store.SaveProfile(profile, "KeyName"));
  EXPECT_EQ(this->text(this->profileKey("KeyName"), "ConfigurationName"), "Named inside");
}

TYPED_TEST_P(ProfileStoreCases, DeleteRenumbersAndEmptiesFreedNumbers) {
  this->putList({"A", "B", "C"});
  this->enumerate();
  WirelessProfile profile;
  this->prompt.answers = {true, true, true};
  for (const char* name : {"A", "B", "C"}) {
    ASSERT_TRUE(this->store.SaveProfile(profile, name));
  }
  ASSERT_TRUE(this->store.SetConfigurationProfileName("A"));
  this->prompt = fakes::FakeUserPrompt();
  this->prompt.answers = {true};

  ASSERT_TRUE(this->store.DeleteProfile("A"));
  EXPECT_EQ(this->prompt.questions, std::vector<std::string>{kDeleteProfileQuestion});
  EXPECT_EQ(this->text(this->configurations, "0"), "B");
  EXPECT_EQ(this->text(this->configurations, "1"), "C");
  EXPECT_EQ(this->text(this->configurations, "2"), "");
  EXPECT_EQ(this->text(this->configurations, "99"), "");
  EXPECT_EQ(this->store.GetConfigurationProfileName(), "B");
  EXPECT_FALSE(this->exists(this->profileKey("A"), "NetworkName"));

  this->prompt.answers = {true, true};
  ASSERT_TRUE(this->store.DeleteProfile("C"));
  EXPECT_EQ(this->store.GetConfigurationProfileName(), "B");  // not the deleted one
  ASSERT_TRUE(this->store.DeleteProfile("B"));
  EXPECT_EQ(this->store.GetConfigurationProfileName(), "");
  EXPECT_TRUE(this->list.empty());
}

TYPED_TEST_P(ProfileStoreCases, DeleteAsksOnlyForListedNames) {
  WirelessProfile profile;
  EXPECT_FALSE(this->store.DeleteProfile("Ghost"));  // empty list: nothing at all
  EXPECT_EQ(this->prompt.shown(), 0u);

  ASSERT_TRUE(this->store.SaveProfile(profile, "Kept"));
  EXPECT_FALSE(this->store.DeleteProfile("Ghost"));
  EXPECT_EQ(this->prompt.notices, std::vector<std::string>{kProfileMissingMessage});
  EXPECT_FALSE(this->store.DeleteProfile("kept"));  // names are case-sensitive

  this->prompt.answers = {false};
  EXPECT_FALSE(this->store.DeleteProfile("Kept"));
  EXPECT_TRUE(this->list.contains("Kept"));
  EXPECT_TRUE(this->exists(this->profileKey("Kept"), "NetworkName"));
}

TYPED_TEST_P(ProfileStoreCases, EnumerationReadsAcrossGaps) {
  this->putText(this->configurations, "0", "First");
  this->putText(this->configurations, "1", "");
  this->putText(this->configurations, "57", "Middle");
  this->putText(this->configurations, "99", "Last");
  this->putText(this->configurations, "100", "Beyond");
  std::vector<std::string> visited;
  this->store.EnumerateProfiles([&](const std::string& name) { visited.push_back(name); });
  EXPECT_EQ(visited, (std::vector<std::string>{"First", "Middle", "Last"}));
  EXPECT_EQ(this->list.names(), visited);
}

TYPED_TEST_P(ProfileStoreCases, SecretsBelongToTheirCardId) {
  WirelessProfile profile = this->FullProfile();
  ASSERT_TRUE(this->store.SaveProfile(profile, "Moved"));
  std::string firstId;
  ASSERT_EQ(this->cardConfigId.GetCardConfigId(firstId), 36u);
  // The same profile key under another driver parameters key, with its own id.
  this->identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0043";
  const std::string otherKey = this->env.base + "\\0043\\CustomParams\\Configurations\\Moved";
  for (const char* name : {"ConfigurationName",
                           "NetworkConnectionType",
                           "NetworkName",
                           "AdHocChannel",
                           "NetBand",
                           "AdHocBand",
                           "WmmEnabled",
                           "ShortPreamble",
                           "PowerManagement",
                           "tpc",
                           "PHlength",
                           "FragThreshold",
                           "RTSThreshold",
                           "EnableSecurity",
                           "EapSelection",
                           "WPA",
                           "AdvancedAuthenticationType",
                           "EncryptionAlg",
                           "SharedKey1",
                           "SharedKey1Length",
                           "SharedKey2",
                           "SharedKey2Length",
                           "SharedKey3",
                           "SharedKey3Length",
                           "SharedKey4",
                           "SharedKey4Length",
                           "defaultKey",
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
                           "autoCellEnabled"}) {
    RegistryValue value;
    ASSERT_TRUE(this->read(this->profileKey("Moved"), name, value)) << name;
    this->put(otherKey, name, value);
  }
  this->guids.texts = {"00000000-1111-2222-3333-444444444444"};
  WirelessProfile loaded;
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Moved"));
  EXPECT_EQ(loaded.NetworkName, profile.NetworkName);
  EXPECT_NE(loaded.SharedKey[0], profile.SharedKey[0]);
  EXPECT_NE(loaded.Passphrase, profile.Passphrase);
  EXPECT_NE(loaded.AdvancedPassword, profile.AdvancedPassword);
}

TYPED_TEST_P(ProfileStoreCases, CardIdIsCreatedOnceAndKept) {
  std::string id;
  EXPECT_EQ(this->cardConfigId.GetCardConfigId(id), 36u);
  EXPECT_EQ(id, "3f2504e0-4f89-11d3-9a0c-0305e82c3301");
  this->guids.texts = {"ffffffff-ffff-ffff-ffff-ffffffffffff"};
  EXPECT_TRUE(this->cardConfigId.EnsureCardConfigId());
  EXPECT_EQ(this->cardConfigId.GetCardConfigId(id), 36u);
  EXPECT_EQ(id, "3f2504e0-4f89-11d3-9a0c-0305e82c3301");
  EXPECT_EQ(this->guids.calls, 1);
  EXPECT_EQ(this->type(this->parametersPath, kCardConfigIdValue), RegistryType::String);
}

TYPED_TEST_P(ProfileStoreCases, CardIdFallsBackToTheFixedText) {
  this->guids.texts.clear();
  std::string id;
  EXPECT_EQ(this->cardConfigId.GetCardConfigId(id), 36u);
  EXPECT_EQ(id, kFallbackCardConfigId);
}

TYPED_TEST_P(ProfileStoreCases, NamesOfRecord) {
  EXPECT_EQ(this->store.GetConfigurationProfileName(), "");
  ASSERT_TRUE(this->store.SetConfigurationProfileName("New Profile"));
  EXPECT_EQ(this->store.GetConfigurationProfileName(), "New Profile");
  ASSERT_TRUE(this->store.SetSelectedConfigurationName(kVirtualProfileName));
  EXPECT_EQ(this->text(this->configurations, "SelectedConfigurationName"), kVirtualProfileName);
  // A hand-made name beyond 128 bytes is not read.
  this->putText(this->configurations, "ConfigurationProfileName", std::string(200, 'n'));
  EXPECT_EQ(this->store.GetConfigurationProfileName(), "");
}

TYPED_TEST_P(ProfileStoreCases, NamesThatAreNotOneKeyAreRefused) {
  WirelessProfile profile;
  EXPECT_FALSE(this->store.SaveProfile(profile, ""));
  EXPECT_FALSE(this->store.SaveProfile(profile, "..\\Escape"));
  EXPECT_FALSE(this->store.LoadProfile(profile, ""));
  EXPECT_TRUE(this->list.empty());
  EXPECT_FALSE(this->exists(this->configurations, "NetworkName"));
}

// Stored data edited by hand or damaged: each load ends with a bounded record.
TYPED_TEST_P(ProfileStoreCases, DamagedCipherTextsLoadAsEmptySecrets) {
  WirelessProfile profile = this->FullProfile();
  ASSERT_TRUE(this->store.SaveProfile(profile, "Damaged"));
  const std::string key = this->profileKey("Damaged");
  this->putText(key, "SharedKey1", "NOT HEX AT ALL!!");
  this->putText(key, "SharedKey2", "0123456789ABCDEF0");  // odd length
  this->putText(key, "AdvancedPassword", "ABC");
  WirelessProfile loaded;
  loaded.AdvancedPassword = "previous";
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Damaged"));
  EXPECT_EQ(loaded.SharedKey[0], "");
  EXPECT_EQ(loaded.SharedKey[1], "");
  EXPECT_EQ(loaded.SharedKey[2], profile.SharedKey[2]);
  EXPECT_EQ(loaded.AdvancedPassword, "");
  EXPECT_EQ(loaded.leapUserPasswd, profile.leapUserPasswd);
}

TYPED_TEST_P(ProfileStoreCases, BadBitLengthsAreBounded) {
  WirelessProfile profile = this->FullProfile();
  ASSERT_TRUE(this->store.SaveProfile(profile, "Lengths"));
  const std::string key = this->profileKey("Lengths");
  this->put(key, "SharedKey1Length", RegistryValue{RegistryType::Dword, {0xF8, 0xFF, 0xFF, 0xFF}});
  this->put(key, "SharedKey2Length", RegistryValue{RegistryType::Dword, {0xFF, 0xFF, 0xFF, 0x7F}});
  this->put(key, "AdvancedPasswdLength", RegistryValue{RegistryType::Dword, {0x00, 0x04, 0, 0}});
  this->put(key, "PassphraseLength", RegistryValue{RegistryType::Dword, {0x00, 0x00, 0x00, 0x80}});
  WirelessProfile loaded;
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Lengths"));
  EXPECT_EQ(loaded.SharedKeyLength[0], 0);  // negative
  EXPECT_EQ(loaded.SharedKey[0], "");
  EXPECT_EQ(loaded.SharedKeyLength[1], 16);     // huge: the largest key
  EXPECT_EQ(loaded.SharedKey[1].size(), 32u);   // no more than the cipher text holds
  EXPECT_EQ(loaded.AdvancedPasswdLength, 128);  // 1024 bits, more than stored
  EXPECT_EQ(loaded.AdvancedPassword, profile.AdvancedPassword);
  EXPECT_EQ(loaded.PassphraseLength, 0);
  EXPECT_EQ(loaded.Passphrase, "");
  EXPECT_EQ(loaded.autoCellEnabled, profile.autoCellEnabled);
}

TYPED_TEST_P(ProfileStoreCases, CertificateIsBoundedTo20Bytes) {
  WirelessProfile profile = this->FullProfile();
  ASSERT_TRUE(this->store.SaveProfile(profile, "Cert"));
  const std::string key = this->profileKey("Cert");
  this->putText(key, "ClientCertLen", "64");
  this->putText(key, "Certificate", std::string(60, 'a') + "zz");
  WirelessProfile loaded;
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Cert"));
  EXPECT_EQ(loaded.ClientCertLen, 20);
  EXPECT_EQ(loaded.Certificate[19], 0xAA);

  this->putText(key, "ClientCertLen", "5");
  this->putText(key, "Certificate", "0102zz0405");  // stops at the pair that is not hex
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Cert"));
  EXPECT_EQ(loaded.ClientCertLen, 2);
  EXPECT_EQ(loaded.Certificate[1], 0x02);
  EXPECT_EQ(loaded.Certificate[2], 0x00);

  this->remove(key, "ClientCertLen");  // absent: no certificate, the load goes on
  ASSERT_TRUE(this->store.LoadProfile(loaded, "Cert"));
  EXPECT_EQ(loaded.ClientCertLen, 0);
  EXPECT_EQ(loaded.Passphrase, profile.Passphrase);
}

TYPED_TEST_P(ProfileStoreCases, OverlongStringsAndTextDwordsStopTheLoad) {
  WirelessProfile profile = this->FullProfile();
  ASSERT_TRUE(this->store.SaveProfile(profile, "Edited"));
  const std::string key = this->profileKey("Edited");
  this->putText(key, "NetworkName", std::string(300, 'x'));
  WirelessProfile loaded;
  EXPECT_FALSE(this->store.LoadProfile(loaded, "Edited"));
  EXPECT_EQ(loaded.ConfigurationName, profile.ConfigurationName);  // read before the stop
  EXPECT_EQ(loaded.NetworkName, "KESTREL_11g");                    // kept
  EXPECT_EQ(loaded.NetBand, 13);

  // 258 bytes and its zero fit the capacity exactly.
  this->putText(key, "NetworkName", std::string(258, 'y'));
  this->putText(key, "NetBand", "7");
  WirelessProfile again;
  EXPECT_FALSE(this->store.LoadProfile(again, "Edited"));
  EXPECT_EQ(again.NetworkName, std::string(258, 'y'));
  EXPECT_EQ(again.AdHocChannel, profile.AdHocChannel);
  EXPECT_EQ(again.NetBand, 13);  // a DWORD held as text is not read
  EXPECT_EQ(again.WmmEnabled, 1);
}

REGISTER_TYPED_TEST_SUITE_P(
    ProfileStoreCases, EveryFieldRoundTrips, FortyBitKeyIsSixteenDigitsAndComesBackUpperCase,
    PassphraseLengthsAreStoredInBits, PreambleAndPowerSaveBothRoundTrip,
    ProfileStoredWithoutPreambleStillLoads, VirtualProfileIsNeverAskedListedOrCounted,
    HundredNamesRefuseANewNameButOfferOverwrite, OverwriteAnsweredNoKeepsTheStoredProfile,
    DefaultEntersOnlyAnEmptyList, ConfigurationNameComesFromTheRecord,
    DeleteRenumbersAndEmptiesFreedNumbers, DeleteAsksOnlyForListedNames, EnumerationReadsAcrossGaps,
    SecretsBelongToTheirCardId, CardIdIsCreatedOnceAndKept, CardIdFallsBackToTheFixedText,
    NamesOfRecord, NamesThatAreNotOneKeyAreRefused, DamagedCipherTextsLoadAsEmptySecrets,
    BadBitLengthsAreBounded, CertificateIsBoundedTo20Bytes,
    OverlongStringsAndTextDwordsStopTheLoad);

template <class Environment>
class DriverMirrorCases : public StoreFixture<Environment> {};
TYPED_TEST_SUITE_P(DriverMirrorCases);

TYPED_TEST_P(DriverMirrorCases, ValuesAndEncodingsOnXp) {
  WirelessProfile profile = this->FullProfile();
  profile.SharedKey[1] = "00112233445566778899aabbcc";
  profile.autoCellEnabled = 1;
  ASSERT_TRUE(this->mirror.WriteDriverParameters(profile));
  const std::string& path = this->parametersPath;
  EXPECT_EQ(this->text(path, "bssType"), "2");
  EXPECT_EQ(this->type(path, "bssType"), RegistryType::String);
  EXPECT_EQ(this->text(path, "SSID"), "lab-net");
  EXPECT_EQ(this->text(path, "autoCellEnabled"), "1");
  EXPECT_EQ(this->text(path, "AdHocChannel"), "5180");
  EXPECT_EQ(this->type(path, "ShortPreamble"), RegistryType::Dword);
  EXPECT_EQ(this->dword(path, "ShortPreamble"), 0);
  EXPECT_EQ(this->text(path, "sleepMode"), "1");
  EXPECT_EQ(this->text(path, "privacyInvoked"), "1");
  EXPECT_EQ(this->text(path, "AuthType"), "4");
  EXPECT_EQ(this->text(path, "wpaEnabled"), "0");
  EXPECT_EQ(this->text(path, "leapEnabled"), "1");
  EXPECT_EQ(this->text(path, "PHlength"), "9");
  EXPECT_EQ(this->text(path, "KeyLength0"), "5");
  EXPECT_EQ(this->text(path, "KeyLength1"), "13");
  EXPECT_EQ(this->text(path, "KeyLength3"), "0");
  EXPECT_EQ(this->text(path, "Key3"), "");
  EXPECT_EQ(profile.SharedKey[1], "00112233445566778899AABBCC");

  // The keys are enciphered as in profiles.
  std::string id;
  this->cardConfigId.GetCardConfigId(id);
  std::string key;
  DecryptSecret(id, this->text(path, "Key1"), key, 13);
  EXPECT_EQ(key, "00112233445566778899AABBCC");
}

TYPED_TEST_P(DriverMirrorCases, NothingWithoutAnAdapterAtStart) {
  this->adapterFound = false;
  WirelessProfile profile;
  EXPECT_FALSE(this->mirror.WriteDriverParameters(profile));
  EXPECT_FALSE(this->exists(this->parametersPath, "SSID"));
}

TYPED_TEST_P(DriverMirrorCases, AutoCellOffOnWindows98) {
  this->system.os = OsKind::Win98;
  this->identity.current.deviceName = "0042";  // 9x: the path ends with the device name
  WirelessProfile profile;
  profile.autoCellEnabled = 0;
  ASSERT_TRUE(this->mirror.WriteDriverParameters(profile));
  EXPECT_EQ(this->text(this->parametersPath, "autoCellEnabled"), "0");
  EXPECT_EQ(this->text(this->parametersPath, "NetBand"), "13");
}

REGISTER_TYPED_TEST_SUITE_P(DriverMirrorCases, ValuesAndEncodingsOnXp,
                            NothingWithoutAnAdapterAtStart, AutoCellOffOnWindows98);

}  // namespace kestrel
