// What the settings page writes: validation, save, delete, apply and its activation.
#include <algorithm>
#include <cctype>

#include "activation/first_run_defaults.h"
#include "profiles/key_derivation.h"
#include "profiles/profile_messages.h"
#include "settings_fixture.h"
#include "ui/settings/settings_rules.h"
#include "ui/settings/settings_texts.h"

namespace kestrel::testing {
namespace {

class SettingsPageWrites : public SettingsPageTest {
 protected:
  // An open page set for a WPA-PSK network with this passphrase typed.
  void typeWpaNetwork(const std::string& ssid, const std::string& passphrase) {
    open();
    type(kSsid, ssid);
    click(kWpaPsk);
    type(kPassphrase, passphrase);
  }
  // An open page in WEP manual entry with this key size chosen and key typed.
  void typeWepKey(int sizeIndex, const std::string& key) {
    open();
    click(kWep);
    click(kManualEntry);
    choose(kManualSize, sizeIndex);
    type(kKey, key);
  }
  // Index of the first write of `name` into a key whose path ends with `keyTail`.
  std::ptrdiff_t writeIndex(const std::string& keyTail, const std::string& name) const {
    for (std::size_t i = 0; i < registry.written.size(); ++i) {
      const auto& write = registry.written[i];
      if (write.key.size() >= keyTail.size() &&
          write.key.compare(write.key.size() - keyTail.size(), keyTail.size(), keyTail) == 0 &&
          write.name == name)
        return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
  }
};

// --- Validation -----------------------------------------------------------------------

TEST_F(SettingsPageWrites, EachManualKeySizeHasItsOwnLengthMessage) {
  const struct {
    int size;
    std::string key;
    const char* message;
  } cases[] = {{0, "012345678", kKeyLength10Message},
               {1, std::string(25, 'A'), kKeyLength26Message},
               {2, std::string(31, 'b'), kKeyLength32Message},
               {0, "", kKeyLength10Message}};
  for (const auto& c : cases) {
    prompt.notices.clear();
    typeWepKey(c.size, c.key);
    const int writes = registry.writes;
    EXPECT_FALSE(page.apply()) << c.size;
    EXPECT_EQ(prompt.notices, std::vector<std::string>{c.message}) << c.size;
    EXPECT_EQ(registry.writes, writes);
    EXPECT_TRUE(sheet.popupsAtWrite.empty());
  }
}

TEST_F(SettingsPageWrites, ATypedWepKeyBecomesTheTransmitKeyOfItsNumberAndSize) {
  typeWepKey(1, "00112233445566778899aabbcc");
  choose(kKeyNumber, 2);
  type(kKey, "0123456789ABCDEF0123456789");
  ASSERT_TRUE(page.apply());
  const WirelessProfile& applied = records.current;
  EXPECT_EQ(applied.EnableSecurity, 1);
  EXPECT_EQ(applied.AdvancedAuthenticationType, 3);
  EXPECT_EQ(applied.EncryptionAlg, 1);
  EXPECT_EQ(applied.WPA, 0);
  EXPECT_EQ(applied.EapSelection, 0);
  EXPECT_EQ(applied.defaultKey, 2);
  EXPECT_EQ(applied.SharedKey[0], "00112233445566778899AABBCC");
  EXPECT_EQ(applied.SharedKey[2], "0123456789ABCDEF0123456789");
  EXPECT_EQ(applied.SharedKeyLength[2], 13);
  EXPECT_EQ(applied.Passphrase, "");
  EXPECT_EQ(applied.PHlength, 0);
}

TEST_F(SettingsPageWrites, AMaskPartlyTypedOverIsNotTakenAsAKey) {
  storeVirtualProfile(WepProfile("0123456789", 5));
  open();
  // Each change drops the first non-hex digit: one star per key press.
  type(kKey, "**********A");
  ASSERT_EQ(text(kKey), "*********A");
  EXPECT_FALSE(page.apply());
  EXPECT_EQ(prompt.notices, std::vector<std::string>{kKeyLength10Message});
}

TEST_F(SettingsPageWrites, AWepPassphraseMustHaveACharacter) {
  open();
  click(kWep);
  EXPECT_FALSE(page.apply());
  EXPECT_EQ(prompt.notices, std::vector<std::string>{kWepPassphraseLengthMessage});

  type(kPassphrase, "x");
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.PHlength, 1);
  EXPECT_EQ(records.current.SharedKey[0], GenerateWepKeys64("x")[0]);
}

TEST_F(SettingsPageWrites, AWpaPassphraseOutsideEightToSixtyThreeIsRefusedAndEmptied) {
  for (const std::string& passphrase : {std::string(7, 'p'), std::string(64, 'p')}) {
    prompt.notices.clear();
    typeWpaNetwork("KESTREL_WPA2", passphrase);
    EXPECT_FALSE(page.apply());
    EXPECT_EQ(prompt.notices, std::vector<std::string>{kWpaPassphraseLengthMessage});
    EXPECT_EQ(text(kPassphrase), "");
  }
  typeWpaNetwork("KESTREL_WPA2", "8 chars!");
  EXPECT_TRUE(page.apply());
}

TEST_F(SettingsPageWrites, AnAdHocSsidMustBeNamedAndNotAny) {
  const struct {
    std::string ssid;
    std::string message;
  } refused[] = {
      {"", settings_texts::kAdHocSsidEmptyMessage},
      {"any", InvalidSsidMessage("any")},
      {"ANY (first AVAILABLE network)", InvalidSsidMessage("ANY (first AVAILABLE network)")}};
  for (const auto& c : refused) {
    prompt.notices.clear();
    open();
    click(kAdHoc);
    type(kSsid, c.ssid);
    EXPECT_FALSE(page.apply()) << c.ssid;
    EXPECT_EQ(prompt.notices, std::vector<std::string>{c.message});
  }
  EXPECT_NE(InvalidSsidMessage("any").find("\"any\""), std::string::npos);
}

TEST_F(SettingsPageWrites, TheFirstEntryTypedInAnyCaseIsStoredAsAnyInInfrastructure) {
  open();
  click(kNoSecurity);
  type(kSsid, "any (FIRST available NETWORK)");
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.NetworkName, "Any");
  EXPECT_EQ(records.current.NetworkConnectionType, 1);
  EXPECT_EQ(text(kSsid), "Any (First available network)");  // as reloaded
}

TEST_F(SettingsPageWrites, AStoredDot1xWepProfileAppliedAsWpaPskCarriesThePlaceholderKey) {
  WirelessProfile dot1xWep = WepProfile("", 0);
  dot1xWep.EnableSecurity = 2;
  dot1xWep.EapSelection = 3;
  dot1xWep.LoginName = "alice";
  storeVirtualProfile(dot1xWep);
  open();
  // WPA-PSK chosen without passphrase entry: the profile stays an 802.1X one.
  controls.setChecked(kWep, false);
  controls.setChecked(kWpaPsk, true);
  controls.setChecked(kPassphraseEntry, false);
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.EnableSecurity, 2);
  EXPECT_EQ(records.current.EapSelection, 3);
  EXPECT_EQ(records.current.LoginName, "alice");
  EXPECT_EQ(records.current.SharedKey[0], "7C7C7C7C7C");
  EXPECT_EQ(records.current.SharedKeyLength[0], 5);
}

// --- Apply and the activation ---------------------------------------------------------

TEST_F(SettingsPageWrites, ApplyReloadsTheAppliedProfileOnlyAfterThePopup) {
  typeWpaNetwork("KESTREL_WPA2", "kestrel-wpa2-psk");
  ASSERT_TRUE(page.apply());
  ASSERT_EQ(sheet.popupsAtOpen.size(), 1u);
  const std::string loaded = "configurations\\virtualprofile";
  std::size_t readsAfterPopup = 0;
  for (std::size_t i = sheet.popupsAtOpen[0]; i < registry.openedPaths.size(); ++i) {
    std::string path = registry.openedPaths[i];
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (path.size() >= loaded.size() &&
        path.compare(path.size() - loaded.size(), loaded.size(), loaded) == 0)
      ++readsAfterPopup;
  }
  EXPECT_GT(readsAfterPopup, 0u);
  EXPECT_EQ(text(kSsid), "KESTREL_WPA2");  // the page shows what was reloaded
}

TEST_F(SettingsPageWrites, ApplyMirrorsPushesSavesNamesThenShowsThePopupAndReloads) {
  typeWpaNetwork("KESTREL_WPA2", "kestrel-wpa2-psk");
  ASSERT_TRUE(page.apply());

  const auto mirrored = writeIndex("0007", "SSID");
  const auto saved = writeIndex("configurations\\virtualprofile", "NetworkName");
  const auto selected = writeIndex("configurations", "SelectedConfigurationName");
  const auto ofRecord = writeIndex("configurations", "ConfigurationProfileName");
  ASSERT_GE(mirrored, 0);
  EXPECT_LT(mirrored, saved);
  EXPECT_LT(saved, selected);
  EXPECT_LT(selected, ofRecord);
  ASSERT_EQ(sheet.popupsAtWrite.size(), 1u);
  EXPECT_GT(sheet.popupsAtWrite[0], static_cast<std::size_t>(ofRecord));

  // The push set the SSID; the stored passphrase is enciphered.
  const auto ssidSet = std::find_if(ndis.requests.begin(), ndis.requests.end(), [](const auto& r) {
    return r.oid == oid::k80211Ssid && r.type == kNdisSetInformation;
  });
  ASSERT_NE(ssidSet, ndis.requests.end());
  EXPECT_EQ(std::string(ssidSet->bytes.begin() + 4, ssidSet->bytes.begin() + 16), "KESTREL_WPA2");
  EXPECT_NE(storedText(kVirtualProfileName, "Passphrase"), "kestrel-wpa2-psk");

  EXPECT_EQ(records.current.Passphrase, "kestrel-wpa2-psk");
  EXPECT_EQ(records.current.EapSelection, 7);
  EXPECT_EQ(records.current.AdvancedAuthenticationType, 5);
  EXPECT_EQ(records.current.EncryptionAlg, 6);
  EXPECT_EQ(records.current.EnableSecurity, 2);
  // Reloaded from "VirtualProfile", the profile combo deselected.
  EXPECT_EQ(records.working.ConfigurationName, kVirtualProfileName);
  EXPECT_EQ(controls.selectedListItem(kProfile), -1);
  EXPECT_EQ(text(kPassphrase), "kestrel-wpa2-psk");
  EXPECT_TRUE(window.masked[kPassphrase]);
}

TEST_F(SettingsPageWrites, UnsavedEditsAreRecordedAsNewProfileAndASavedOneByItsName) {
  storeProfile(OpenProfile("Cafe"), "Cafe");
  open();
  choose(kProfile, "Cafe");
  ASSERT_FALSE(enabled(kSaveProfile));
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(configurationsText("ConfigurationProfileName"), "Cafe");
  EXPECT_EQ(text(kProfile), "Cafe");

  type(kSsid, "Elsewhere");
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(configurationsText("ConfigurationProfileName"), "New Profile");
  EXPECT_EQ(text(kProfile), "New Profile");
  EXPECT_EQ(configurationsText("SelectedConfigurationName"), kVirtualProfileName);
}

TEST_F(SettingsPageWrites, AfterTheNetworksPageConnectedTheComboShowsTheJapaneseNewProfile) {
  open();
  // What the networks page leaves after connecting to an open network.
  records.working = OpenProfile("KESTREL_11g");
  ActivateWorkingProfile(services.activationTargets(), settings_texts::kNewProfileJapanese);
  page.reload();
  page.fillFromWorkingProfile();
  EXPECT_EQ(text(kProfile), settings_texts::kNewProfileJapanese);
  EXPECT_EQ(controls.selectedListItem(kProfile), -1);
}

TEST_F(SettingsPageWrites, TheNetworksPageHandsOverASecuredNetwork) {
  open();
  records.working = OpenProfile("KESTREL_WPA2");
  records.working.EapSelection = 7;
  records.working.EnableSecurity = 2;
  page.chooseWpaPskPassphrase();
  page.showProfileName(settings_texts::kNewProfileJapanese);
  page.fillFromWorkingProfile();
  EXPECT_TRUE(checked(kWpaPsk));
  EXPECT_TRUE(checked(kPassphraseEntry));
  EXPECT_TRUE(enabled(kPassphrase));
  EXPECT_EQ(text(kSsid), "KESTREL_WPA2");
  EXPECT_EQ(text(kProfile), settings_texts::kNewProfileJapanese);

  page.preTranslateKey({KeyPress::Kind::Printable, 'K', false, false, kPassphrase});
  type(kPassphrase, "kestrel-wpa2-psk");
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.NetworkName, "KESTREL_WPA2");
  EXPECT_EQ(records.current.Passphrase, "kestrel-wpa2-psk");
  EXPECT_EQ(configurationsText("ConfigurationProfileName"), "New Profile");
}

TEST_F(SettingsPageWrites, AnUntouchedApplyKeepsTheMaskedKeysAndPassphrase) {
  WirelessProfile wep = WepProfile("", 0);
  const std::array<std::string, 4> keys = {"0011223344", "5566778899", "AABBCCDDEE", "FFEEDDCCBB"};
  for (std::size_t k = 0; k < 4; ++k) {
    wep.SharedKey[k] = keys[k];
    wep.SharedKeyLength[k] = 5;
  }
  wep.defaultKey = 1;
  storeVirtualProfile(wep);
  open();
  ASSERT_EQ(text(kKey), std::string(10, '*'));
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.SharedKey, keys);
  EXPECT_EQ(records.current.defaultKey, 1);
  EXPECT_EQ(records.current.SharedKeyLength[3], 5);

  // The same for a stored WPA-PSK passphrase behind its password character.
  typeWpaNetwork("KESTREL_WPA", "kestrel-wpa-psk");
  ASSERT_TRUE(page.apply());
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.Passphrase, "kestrel-wpa-psk");
}

// Keys made from a passphrase are stored as keys; switching the page to manual entry and
// applying without typing must not store a WEP profile without them.
TEST_F(SettingsPageWrites, SwitchingAStoredPassphraseProfileToManualEntryKeepsItsKeys) {
  const WepKeys generated = GenerateWepKeys64("secret");
  WirelessProfile wep = WepProfile("", 0);
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    wep.SharedKey[k] = generated[k];
    wep.SharedKeyLength[k] = 5;
  }
  wep.PHlength = 6;
  storeVirtualProfile(wep);
  open();
  ASSERT_TRUE(checked(kPassphraseEntry));
  ASSERT_EQ(text(kPassphrase), "******");
  ASSERT_EQ(text(kKey), std::string(10, '*'));

  click(kManualEntry);
  EXPECT_EQ(text(kKey), std::string(10, '*'));
  ASSERT_TRUE(page.apply());

  WirelessProfile reread;
  ASSERT_TRUE(store.LoadProfile(reread, kVirtualProfileName));
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    EXPECT_EQ(reread.SharedKey[k], generated[k]) << k;
    EXPECT_EQ(reread.SharedKeyLength[k], 5) << k;
  }
  EXPECT_EQ(reread.EnableSecurity, 1);
  EXPECT_EQ(reread.defaultKey, 0);
  EXPECT_EQ(reread.PHlength, 0);  // the keys are now manual ones
  EXPECT_EQ(records.current.SharedKey[0], generated[0]);

  // The page, reloaded, shows manual entry with every key behind its mask.
  EXPECT_TRUE(checked(kManualEntry));
  choose(kKeyNumber, 3);
  EXPECT_EQ(text(kKey), std::string(10, '*'));
}

// Keys generated on the page from a typed passphrase are still forgotten by the switch.
TEST_F(SettingsPageWrites, SwitchingToManualEntryForgetsKeysGeneratedOnThePage) {
  storeVirtualProfile(WepProfile("", 0));
  open();
  ASSERT_TRUE(checked(kPassphraseEntry));
  type(kPassphrase, "secret");
  click(kManualEntry);
  type(kKey, "0123456789");
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.SharedKey[0], "0123456789");
  for (std::size_t k = 1; k < kWepKeyCount; ++k)
    EXPECT_EQ(records.current.SharedKey[k], "") << k;
}

TEST_F(SettingsPageWrites, ATypedPassphraseClearsAStoredHexFlag) {
  WirelessProfile hex;
  hex.HexEntryPp = 1;
  hex.Passphrase = std::string(64, 'A');
  hex.PassphraseLength = 64;
  storeVirtualProfile(hex);
  typeWpaNetwork("KESTREL_WPA", "kestrel-wpa-psk");
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.HexEntryPp, 0);
  WirelessProfile reread;
  ASSERT_TRUE(store.LoadProfile(reread, kVirtualProfileName));
  EXPECT_EQ(reread.Passphrase, "kestrel-wpa-psk");
}

// --- Save and delete ------------------------------------------------------------------

TEST_F(SettingsPageWrites, SaveRefusesNewProfileAnEmptyNameAndDefaultInAnyCase) {
  open();
  click(kNoSecurity);
  const struct {
    std::string name;
    const char* message;
  } cases[] = {{"new PROFILE", settings_texts::kEnterNewProfileNameMessage},
               {"", settings_texts::kEnterProfileNameMessage},
               {"default", settings_texts::kCannotSaveDefaultMessage}};
  for (const auto& c : cases) {
    prompt.notices.clear();
    controls.focused = 0;
    type(kProfile, c.name);
    controls.enable(kSaveProfile, true);
    EXPECT_FALSE(page.saveProfile()) << c.name;
    EXPECT_EQ(prompt.notices, std::vector<std::string>{c.message});
  }
  EXPECT_FALSE(enabled(kSaveProfile));
  EXPECT_FALSE(enabled(kDeleteProfile));
  EXPECT_TRUE(records.list.empty());
}

TEST_F(SettingsPageWrites, ASavedProfileIsListedAndBecomesTheNameOfRecord) {
  open();
  click(kNoSecurity);
  type(kProfile, "Home");
  ASSERT_TRUE(page.saveProfile());
  EXPECT_EQ(controls.at(kProfile).items, std::vector<std::string>{"Home"});
  EXPECT_EQ(text(kProfile), "Home");
  EXPECT_EQ(configurationsText("ConfigurationProfileName"), "Home");
  EXPECT_EQ(storedText("Home", "ConfigurationName"), "Home");
  EXPECT_FALSE(enabled(kSaveProfile));
  EXPECT_TRUE(enabled(kDeleteProfile));
}

TEST_F(SettingsPageWrites, AFailedSaveLeavesSaveOffered) {
  open();
  click(kWep);  // no passphrase: validation refuses
  type(kProfile, "Home");
  EXPECT_FALSE(page.saveProfile());
  EXPECT_TRUE(enabled(kSaveProfile));

  click(kNoSecurity);
  storeProfile(OpenProfile("x"), "Home");
  prompt.answers = {false};  // overwrite? No
  EXPECT_FALSE(page.saveProfile());
  EXPECT_TRUE(enabled(kSaveProfile));
  EXPECT_EQ(prompt.questions, std::vector<std::string>{kOverwriteProfileQuestion});
}

TEST_F(SettingsPageWrites, DefaultIsProtectedFromDeleteOnlyInItsExactSpelling) {
  storeProfile(WirelessProfile{}, "Default");
  open();
  type(kProfile, "Default");
  page.deleteProfile();
  EXPECT_EQ(prompt.notices, std::vector<std::string>{settings_texts::kCannotDeleteDefaultMessage});
  EXPECT_TRUE(prompt.questions.empty());

  prompt.notices.clear();
  type(kProfile, "DEFAULT");
  page.deleteProfile();
  // Passed on to the store, which knows no such name.
  EXPECT_EQ(prompt.notices, std::vector<std::string>{kProfileMissingMessage});
  EXPECT_EQ(records.list.names(), std::vector<std::string>{"Default"});
}

TEST_F(SettingsPageWrites, DeleteAsksThenRemovesTheProfileAndReloads) {
  storeProfile(OpenProfile("Cafe"), "Cafe");
  storeProfile(OpenProfile("Home"), "Home");
  open();
  type(kProfile, "");
  page.deleteProfile();
  EXPECT_EQ(prompt.notices,
            std::vector<std::string>{settings_texts::kSelectProfileToDeleteMessage});
  EXPECT_EQ(controls.focused, kProfile);

  choose(kProfile, "Cafe");
  prompt.answers = {true};
  page.deleteProfile();
  EXPECT_EQ(prompt.questions, std::vector<std::string>{kDeleteProfileQuestion});
  EXPECT_EQ(controls.at(kProfile).items, std::vector<std::string>{"Home"});
  EXPECT_EQ(storedText("Cafe", "NetworkName"), "(absent)");
}

TEST_F(SettingsPageWrites, DiscardingReloadsTheAppliedSettingsAndClearsModified) {
  storeVirtualProfile(WepProfile("0123456789", 5));
  open();
  type(kSsid, "Typed but thrown away");
  ASSERT_TRUE(window.modified);
  click(kSheetCancel);  // the sheet's Cancel
  EXPECT_EQ(text(kSsid), "KESTREL_WEP");
  EXPECT_FALSE(window.modified);
  EXPECT_FALSE(page.saveEnabled());
}

TEST_F(SettingsPageWrites, TheFirstRunLeavesDefaultListedAndVirtualProfileUnlisted) {
  ASSERT_TRUE(SaveFirstRunDefaults(store));
  EXPECT_EQ(configurationsText("0"), "Default");
  EXPECT_EQ(records.list.names(), std::vector<std::string>{"Default"});
  EXPECT_EQ(storedText(kVirtualProfileName, "NetworkName"), "KESTREL_11g");
  EXPECT_EQ(storedText("Default", "NetworkName"), "KESTREL_11g");
}

}  // namespace
}  // namespace kestrel::testing
