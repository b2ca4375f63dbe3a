// The settings page's controls: what opening, loading and each handler leave on screen.
#include "profiles/key_derivation.h"
#include "profiles/profile_messages.h"
#include "settings_fixture.h"
#include "ui/settings/settings_texts.h"

namespace kestrel::testing {
namespace {

using Ids = std::vector<ControlId>;

// The controls of the security group whose enabling the rules decide.
const Ids kSecurityControls = {kPassphraseEntry, kManualEntry, kPassphraseLabel,
                               kPassphrase,      kKeyNumber,   kKey,
                               kGenerationSize,  kManualSize,  kAdvancedSecurity};

class SettingsPageControls : public SettingsPageTest {
 protected:
  Ids enabledOf(const Ids& ids) {
    Ids on;
    for (ControlId id : ids) {
      if (enabled(id))
        on.push_back(id);
    }
    return on;
  }
  Ids checkedOf(const Ids& ids) {
    Ids on;
    for (ControlId id : ids) {
      if (checked(id))
        on.push_back(id);
    }
    return on;
  }
  Ids securityRadios() { return checkedOf({kNoSecurity, kWep, kWpaPsk}); }
};

TEST_F(SettingsPageControls, OpeningFillsTheListsStartsThePictureTimerAndShowsTheDefaults) {
  open();

  EXPECT_EQ(controls.at(kKeyNumber).items,
            (std::vector<std::string>{"Key 1 :", "Key 2 :", "Key 3 :", "Key 4 :"}));
  EXPECT_EQ(controls.at(kManualSize).items,
            (std::vector<std::string>{"64 Bit", "128 Bit", "152 Bit"}));
  EXPECT_EQ(controls.at(kGenerationSize).items, (std::vector<std::string>{"64 Bit", "128 Bit"}));
  EXPECT_EQ(controls.at(kProfile).textLimit, 32);
  EXPECT_EQ(controls.at(kSsid).textLimit, 32);
  EXPECT_EQ(controls.at(kPassphrase).textLimit, 63);
  EXPECT_EQ(controls.at(kAdapter).items, std::vector<std::string>{kAdapterDescription});
  EXPECT_EQ(controls.selectedListItem(kAdapter), 0);
  EXPECT_EQ(timers.running.at(kSettingsPictureTimer), 100u);
  EXPECT_GE(window.draws, 1);
  EXPECT_TRUE(timers.fire(kSettingsPictureTimer));
  EXPECT_GE(window.draws, 2);

  // No "VirtualProfile" yet: the defaults (WPA-PSK, the default passphrase masked).
  EXPECT_EQ(securityRadios(), Ids{kWpaPsk});
  EXPECT_EQ(text(kPassphrase), "MARLOWE-DUSKY-V");
  EXPECT_TRUE(window.masked[kPassphrase]);
  EXPECT_EQ(text(kSsid), "KESTREL_11g");
  EXPECT_TRUE(checked(kInfrastructure));
  EXPECT_FALSE(checked(kAutoCell));
  EXPECT_FALSE(enabled(kAutoCell));
  EXPECT_FALSE(enabled(kSaveProfile));
  EXPECT_FALSE(enabled(kDeleteProfile));
  EXPECT_FALSE(window.modified);
}

TEST_F(SettingsPageControls, ActivationShowsApplyCancelAndCloseOnly) {
  open();
  page.onSetActive();
  EXPECT_TRUE(sheet.shown[SheetButton::Apply]);
  EXPECT_TRUE(sheet.shown[SheetButton::Cancel]);
  EXPECT_TRUE(sheet.shown[SheetButton::Close]);
  EXPECT_FALSE(sheet.shown[SheetButton::Scan]);
  EXPECT_FALSE(sheet.shown[SheetButton::Connect]);
}

// --- Enabling after each security and entry-mode choice -------------------------------

TEST_F(SettingsPageControls, NoSecurityDisablesEveryKeyControl) {
  open();
  click(kNoSecurity);
  EXPECT_EQ(securityRadios(), Ids{kNoSecurity});
  EXPECT_EQ(enabledOf(kSecurityControls), Ids{});
  EXPECT_TRUE(enabled(kSaveProfile));
  EXPECT_TRUE(window.modified);
}

TEST_F(SettingsPageControls, WepWithAnEmptyKeyStartsInPassphraseMode) {
  open();
  click(kWep);
  EXPECT_EQ(securityRadios(), Ids{kWep});
  EXPECT_EQ(checkedOf({kPassphraseEntry, kManualEntry}), Ids{kPassphraseEntry});
  EXPECT_EQ(enabledOf(kSecurityControls), (Ids{kPassphraseEntry, kManualEntry, kPassphraseLabel,
                                               kPassphrase, kKeyNumber, kGenerationSize}));
  // The stored WPA passphrase is not carried over into the WEP passphrase.
  EXPECT_EQ(text(kPassphrase), "");
  EXPECT_FALSE(window.masked[kPassphrase]);
}

TEST_F(SettingsPageControls, WepWithAKeyShownStartsInManualMode) {
  storeVirtualProfile(WepProfile("0123456789", 5));
  open();
  click(kNoSecurity);
  click(kWep);
  EXPECT_EQ(checkedOf({kPassphraseEntry, kManualEntry}), Ids{kManualEntry});
  EXPECT_EQ(enabledOf(kSecurityControls),
            (Ids{kPassphraseEntry, kManualEntry, kPassphraseLabel, kKeyNumber, kKey, kManualSize}));
}

TEST_F(SettingsPageControls, WpaPskLeavesOnlyThePassphraseAndAdvancedSecurity) {
  storeVirtualProfile(WepProfile("0123456789", 5));
  open();
  click(kWpaPsk);
  EXPECT_EQ(securityRadios(), Ids{kWpaPsk});
  EXPECT_TRUE(checked(kPassphraseEntry));
  EXPECT_EQ(enabledOf(kSecurityControls), (Ids{kPassphraseLabel, kPassphrase, kAdvancedSecurity}));
  EXPECT_EQ(text(kPassphrase), "");
  EXPECT_EQ(text(kKey), "");
}

TEST_F(SettingsPageControls, AWpaPskPassphraseGeneratesNoWepKeys) {
  open();
  click(kWpaPsk);
  type(kPassphrase, "abcdefgh");
  EXPECT_EQ(text(kKey), "");
  EXPECT_TRUE(enabled(kSaveProfile));  // the change itself still counts
}

TEST_F(SettingsPageControls, ManualEntryThenPassphraseEntrySwitchTheEditsAndForgetTheKeys) {
  open();
  click(kWep);
  choose(kGenerationSize, 1);
  type(kPassphrase, "abc");
  ASSERT_EQ(text(kKey), GenerateWepKeys128("abc")[0]);

  click(kManualEntry);
  EXPECT_EQ(checkedOf({kPassphraseEntry, kManualEntry}), Ids{kManualEntry});
  EXPECT_EQ(enabledOf(kSecurityControls),
            (Ids{kPassphraseEntry, kManualEntry, kKeyNumber, kKey, kManualSize}));
  EXPECT_EQ(text(kPassphrase), "");
  EXPECT_EQ(controls.focused, kKey);
  EXPECT_EQ(window.allSelected.back(), kKey);
  // The generated keys are gone: another key number shows nothing.
  choose(kKeyNumber, 1);
  EXPECT_EQ(text(kKey), "");

  choose(kManualSize, 0);
  click(kPassphraseEntry);
  EXPECT_EQ(checkedOf({kPassphraseEntry, kManualEntry}), Ids{kPassphraseEntry});
  EXPECT_EQ(enabledOf(kSecurityControls), (Ids{kPassphraseEntry, kManualEntry, kPassphraseLabel,
                                               kPassphrase, kKeyNumber, kGenerationSize}));
  EXPECT_EQ(text(kKey), "");
  EXPECT_EQ(controls.selectedListItem(kKeyNumber), 0);
  EXPECT_EQ(controls.selectedListItem(kManualSize), 1);  // follows the generation size
  EXPECT_EQ(controls.focused, kPassphrase);
}

TEST_F(SettingsPageControls, WithoutWpaSupportWpaPskStaysDisabledAndUnchecked) {
  startup.dot1xAvailable = false;  // the start-up checks found no 802.1X client
  storeVirtualProfile(WepProfile("0123456789", 5));
  open();
  EXPECT_FALSE(enabled(kWpaPsk));
  EXPECT_FALSE(enabled(kAdvancedSecurity));
  click(kWpaPsk);
  EXPECT_FALSE(checked(kWpaPsk));
  click(kInfrastructure);
  EXPECT_FALSE(enabled(kWpaPsk));
}

TEST_F(SettingsPageControls, SizeListsEmptyTheirEditsAndKeepTheManualSizeInStep) {
  open();
  click(kWep);
  type(kPassphrase, "secret");
  choose(kGenerationSize, 1);
  EXPECT_EQ(text(kPassphrase), "");
  EXPECT_EQ(controls.selectedListItem(kManualSize), 1);
  EXPECT_EQ(controls.focused, kPassphrase);

  click(kManualEntry);
  type(kKey, "01234");
  choose(kManualSize, 2);
  EXPECT_EQ(text(kKey), "");
  EXPECT_EQ(controls.focused, kKey);
}

// --- Network type ---------------------------------------------------------------------

TEST_F(SettingsPageControls, AdHocWhileWpaPskIsCheckedFallsBackToNoSecurity) {
  open();
  ASSERT_TRUE(checked(kWpaPsk));
  click(kAdHoc);
  EXPECT_TRUE(checked(kAdHoc));
  EXPECT_FALSE(checked(kInfrastructure));
  EXPECT_EQ(securityRadios(), Ids{kNoSecurity});
  EXPECT_FALSE(enabled(kWpaPsk));
  EXPECT_FALSE(enabled(kAdvancedSecurity));
  EXPECT_TRUE(enabled(kAdHocSetup));

  click(kInfrastructure);
  EXPECT_TRUE(enabled(kWpaPsk));
  EXPECT_FALSE(enabled(kAdHocSetup));
  EXPECT_EQ(securityRadios(), Ids{kNoSecurity});
}

TEST_F(SettingsPageControls, WirelessModesAndRegionCanRuleOutAdHoc) {
  WirelessProfile adHoc = OpenProfile("Lab");
  adHoc.NetworkConnectionType = 2;
  adHoc.NetBand = 16;
  storeVirtualProfile(adHoc);
  open();
  EXPECT_TRUE(checked(kInfrastructure));
  EXPECT_FALSE(enabled(kAdHoc));
  EXPECT_FALSE(enabled(kAdHocSetup));

  adHoc.NetBand = 1;
  storeVirtualProfile(adHoc);
  setCountry("FR");
  page.reload();
  EXPECT_FALSE(enabled(kAdHoc));

  setCountry("JP");
  page.reload();
  EXPECT_TRUE(enabled(kAdHoc));
  EXPECT_TRUE(checked(kAdHoc));
  EXPECT_TRUE(enabled(kAdHocSetup));
}

TEST_F(SettingsPageControls, InBritainOnlyElevenAAloneRulesOutAdHoc) {
  WirelessProfile adHoc = OpenProfile("Lab");
  adHoc.NetworkConnectionType = 2;
  adHoc.NetBand = 1;
  storeVirtualProfile(adHoc);
  setCountry("GB");
  open();
  EXPECT_TRUE(checked(kInfrastructure));
  EXPECT_FALSE(enabled(kAdHoc));
  EXPECT_FALSE(enabled(kAdHocSetup));

  adHoc.NetBand = 3;  // 11a with 11b: ad hoc stays possible
  storeVirtualProfile(adHoc);
  page.reload();
  EXPECT_TRUE(enabled(kAdHoc));
  EXPECT_TRUE(checked(kAdHoc));

  // The advanced dialog decides the same for its modes; the page follows what it says.
  dialogs.answer = true;
  dialogs.onOk = [this] { records.working.NetBand = 1; };
  dialogs.advancedEffect = NetworkTypeEffect::ForceInfrastructure;
  click(kAdvanced);
  EXPECT_FALSE(enabled(kAdHoc));
  EXPECT_TRUE(checked(kInfrastructure));
}

TEST_F(SettingsPageControls, WithoutARegionThePageIsFilledOnlyUpToTheNetworkType) {
  storeVirtualProfile(WepProfile("0123456789", 5));
  ndis.failingOids[oid::kVndCountryCode] = 0xC0010017;
  open();
  EXPECT_TRUE(checked(kInfrastructure));
  EXPECT_EQ(text(kSsid), "");
  EXPECT_EQ(text(kKey), "");
  EXPECT_FALSE(checked(kWep));
}

TEST_F(SettingsPageControls, AdvancedSettingsOkMarksEditedAndMayRuleOutAdHoc) {
  open();
  click(kAdvanced);
  EXPECT_EQ(dialogs.advancedOpenedWith.back(), std::make_pair(false, false));
  EXPECT_FALSE(enabled(kSaveProfile));  // cancelled: nothing changes
  EXPECT_FALSE(window.modified);

  dialogs.answer = true;
  click(kAdHoc);
  dialogs.advancedEffect = NetworkTypeEffect::ForceInfrastructure;
  click(kAdvanced);
  EXPECT_TRUE(enabled(kSaveProfile));
  EXPECT_TRUE(window.modified);
  EXPECT_FALSE(enabled(kAdHoc));
  EXPECT_TRUE(checked(kInfrastructure));
  EXPECT_FALSE(checked(kAdHoc));

  dialogs.advancedEffect = NetworkTypeEffect::Unchanged;
  click(kAdvanced);
  EXPECT_FALSE(enabled(kAdHoc));

  dialogs.advancedEffect = NetworkTypeEffect::EnableAdHoc;
  click(kAdvanced);
  EXPECT_TRUE(enabled(kAdHoc));
  EXPECT_TRUE(checked(kInfrastructure));
}

TEST_F(SettingsPageControls, AdHocSettingsOpenOnlyTellTheEditOnOk) {
  open();
  click(kAdHoc);
  dialogs.answer = true;
  click(kAdHocSetup);
  click(kAdvanced);
  EXPECT_EQ(dialogs.adHocOpened, 1);
  EXPECT_EQ(dialogs.advancedOpenedWith.back(), std::make_pair(true, false));
}

// --- Loading stored profiles ----------------------------------------------------------

TEST_F(SettingsPageControls, AStoredWepProfileShowsItsKeysOnlyMasked) {
  WirelessProfile wep = WepProfile("", 0);
  wep.SharedKey[2] = "00112233445566778899AABBCC";
  wep.SharedKeyLength[2] = 13;
  wep.SharedKey[3] = "0123456789";
  wep.SharedKeyLength[3] = 5;
  wep.defaultKey = 2;
  storeVirtualProfile(wep);
  open();

  EXPECT_EQ(securityRadios(), Ids{kWep});
  EXPECT_EQ(controls.selectedListItem(kKeyNumber), 2);
  EXPECT_EQ(text(kKey), std::string(26, '*'));
  EXPECT_TRUE(checked(kManualEntry));
  EXPECT_EQ(controls.selectedListItem(kManualSize), 1);
  EXPECT_EQ(controls.selectedListItem(kGenerationSize), 1);
  choose(kKeyNumber, 3);
  EXPECT_EQ(text(kKey), std::string(10, '*'));
  EXPECT_EQ(controls.selectedListItem(kManualSize), 0);
}

TEST_F(SettingsPageControls, AStoredSixteenByteKeySelects152BitManualAnd64BitGeneration) {
  storeVirtualProfile(WepProfile("00112233445566778899AABBCCDDEEFF", 16));
  open();
  EXPECT_EQ(text(kKey), std::string(32, '*'));
  ASSERT_EQ(controls.selectedListItem(kManualSize), 2);
  EXPECT_EQ(controls.listItemText(kManualSize, 2), "152 Bit");
  ASSERT_EQ(controls.selectedListItem(kGenerationSize), 0);
  EXPECT_EQ(controls.listItemText(kGenerationSize, 0), "64 Bit");
}

TEST_F(SettingsPageControls, AWepPassphraseProfileShowsThePassphraseLengthInStars) {
  WirelessProfile wep = WepProfile(GenerateWepKeys64("secret")[0], 5);
  wep.PHlength = 6;
  storeVirtualProfile(wep);
  open();
  EXPECT_EQ(text(kPassphrase), "******");
  EXPECT_TRUE(checked(kPassphraseEntry));
  EXPECT_FALSE(enabled(kKey));
  // The mask is not a passphrase: no keys are generated from it.
  type(kPassphrase, "*****");
  EXPECT_EQ(text(kKey), std::string(10, '*'));
}

TEST_F(SettingsPageControls, ThePlaceholderKeyOfAStoredDot1xWepProfileIsNotShown) {
  WirelessProfile dot1xWep = WepProfile(kPlaceholderKey, 5);
  dot1xWep.EnableSecurity = 2;
  dot1xWep.EapSelection = 3;
  storeVirtualProfile(dot1xWep);
  open();
  EXPECT_EQ(text(kKey), "");
  EXPECT_TRUE(checked(kPassphraseEntry));

  // A WPA-PSK profile carrying the same key shows it like any other key.
  dot1xWep.EapSelection = 7;
  dot1xWep.EnableSecurity = 1;
  storeVirtualProfile(dot1xWep);
  page.reload();
  EXPECT_EQ(text(kKey), std::string(10, '*'));
}

TEST_F(SettingsPageControls, AFreshlyLoadedAdHocOrOpenProfileAlreadyCountsAsModified) {
  storeVirtualProfile(WepProfile("0123456789", 5));
  open();
  EXPECT_FALSE(window.modified);

  storeVirtualProfile(OpenProfile("KESTREL_11g"));
  page.reload();
  EXPECT_TRUE(window.modified);
  EXPECT_FALSE(enabled(kSaveProfile));  // the fill ends by disabling Save
}

TEST_F(SettingsPageControls, TheAnyNetworkIsShownAsTheFirstEntryOfTheList) {
  storeVirtualProfile(OpenProfile("aNy"));
  open();
  EXPECT_EQ(text(kSsid), "Any (First available network)");
}

// --- Profile names --------------------------------------------------------------------

TEST_F(SettingsPageControls, EditingTheDefaultProfileRenamesItToNewProfile) {
  WirelessProfile defaults;
  storeProfile(defaults, "Default");
  store.SetConfigurationProfileName("Default");
  open();
  ASSERT_EQ(text(kProfile), "Default");
  click(kNoSecurity);
  EXPECT_EQ(text(kProfile), settings_texts::kNewProfileJapanese);
  EXPECT_FALSE(enabled(kDeleteProfile));
  EXPECT_TRUE(enabled(kSaveProfile));
}

TEST_F(SettingsPageControls, ChoosingAProfileLoadsItAndOffersDeleteUnlessItIsOfRecord) {
  storeProfile(WepProfile("0123456789", 5), "Office");
  storeProfile(OpenProfile("Cafe"), "Cafe");
  store.SetConfigurationProfileName("Cafe");
  open();
  EXPECT_EQ(controls.at(kProfile).items, (std::vector<std::string>{"Office", "Cafe"}));
  EXPECT_EQ(text(kProfile), "Cafe");

  choose(kProfile, "Office");
  EXPECT_EQ(records.working.NetworkName, "KESTREL_WEP");
  EXPECT_EQ(text(kSsid), "KESTREL_WEP");
  EXPECT_FALSE(enabled(kSaveProfile));
  EXPECT_TRUE(enabled(kDeleteProfile));
  EXPECT_TRUE(window.modified);

  choose(kProfile, "Cafe");
  EXPECT_FALSE(enabled(kDeleteProfile));
}

TEST_F(SettingsPageControls, ChoosingDefaultOffersNeitherSaveNorDelete) {
  storeProfile(OpenProfile("KESTREL_11g"), "Default");
  storeProfile(WepProfile("0123456789", 5), "Office");
  store.SetConfigurationProfileName("Office");
  open();
  choose(kProfile, "Default");
  EXPECT_EQ(records.working.NetworkName, "KESTREL_11g");
  EXPECT_FALSE(enabled(kSaveProfile));
  EXPECT_FALSE(enabled(kDeleteProfile));
}

TEST_F(SettingsPageControls, TypingDefaultInAnyCaseOffersNeitherSaveNorDelete) {
  open();
  type(kProfile, "dEfAuLt");
  EXPECT_FALSE(enabled(kSaveProfile));
  EXPECT_FALSE(enabled(kDeleteProfile));
  type(kProfile, "Home");
  EXPECT_TRUE(enabled(kSaveProfile));
}

// --- Keys and passphrases as typed ----------------------------------------------------

TEST_F(SettingsPageControls, TheKeyEditKeepsHexDigitsOnlyWithinTheManualSize) {
  open();
  click(kWep);
  click(kManualEntry);
  type(kKey, "12G4");
  EXPECT_EQ(text(kKey), "124");
  EXPECT_EQ(window.caret[kKey], 2);
  EXPECT_EQ(controls.at(kKey).textLimit, 10);
  choose(kManualSize, 2);
  type(kKey, "ab");
  EXPECT_EQ(controls.at(kKey).textLimit, 32);
  EXPECT_EQ(text(kKey), "ab");
}

TEST_F(SettingsPageControls, APassphraseGeneratesTheKeysOfTheChosenSize) {
  open();
  click(kWep);
  type(kPassphrase, "abcd");
  EXPECT_EQ(text(kKey), GenerateWepKeys64("abcd")[0]);
  choose(kKeyNumber, 3);
  EXPECT_EQ(text(kKey), GenerateWepKeys64("abcd")[3]);

  choose(kGenerationSize, 1);
  type(kPassphrase, "abcd");
  EXPECT_EQ(text(kKey), GenerateWepKeys128("abcd")[3]);
  EXPECT_EQ(text(kKey).size(), 26u);

  type(kPassphrase, "");
  EXPECT_EQ(text(kKey), "");
  choose(kKeyNumber, 0);
  EXPECT_EQ(text(kKey), "");
}

TEST_F(SettingsPageControls, AnotherKeyNumberKeepsTheTypedKeyAndWarnsOfAWrongLength) {
  open();
  click(kWep);
  click(kManualEntry);
  type(kKey, "0123456789");
  choose(kKeyNumber, 1);
  EXPECT_TRUE(prompt.notices.empty());
  type(kKey, "ABC");
  choose(kKeyNumber, 0);
  EXPECT_EQ(prompt.notices, std::vector<std::string>{kKeyLength10Message});
  EXPECT_EQ(text(kKey), "0123456789");
  choose(kKeyNumber, 1);
  EXPECT_EQ(text(kKey), "ABC");
}

TEST_F(SettingsPageControls, LeavingThePageWithAWrongLengthWepKeyIsRefused) {
  open();
  click(kWep);
  click(kManualEntry);
  choose(kManualSize, 1);
  type(kKey, "0123");
  controls.selectListItem(kKeyNumber, 2);
  EXPECT_FALSE(page.onKillActive());
  EXPECT_EQ(prompt.notices, std::vector<std::string>{kKeyLength26Message});
  EXPECT_EQ(controls.selectedListItem(kKeyNumber), 0);

  type(kKey, "");
  EXPECT_TRUE(page.onKillActive());
}

// --- Keyboard -------------------------------------------------------------------------

TEST_F(SettingsPageControls, AltFChoosesInfrastructureAndAltSSavesOnlyWhenOffered) {
  open();
  click(kAdHoc);
  EXPECT_TRUE(page.preTranslateKey({KeyPress::Kind::Printable, 'F', true, false, kSsid}));
  EXPECT_TRUE(checked(kInfrastructure));

  click(kNoSecurity);
  type(kProfile, "Home");
  EXPECT_TRUE(page.preTranslateKey({KeyPress::Kind::Printable, 'S', true, false, kSsid}));
  EXPECT_EQ(records.list.names(), std::vector<std::string>{"Home"});
  EXPECT_FALSE(enabled(kSaveProfile));
  const int writes = registry.writes;
  EXPECT_TRUE(page.preTranslateKey({KeyPress::Kind::Printable, 'S', true, false, kSsid}));
  EXPECT_EQ(registry.writes, writes);

  EXPECT_FALSE(page.preTranslateKey({KeyPress::Kind::Printable, 'S', false, false, kSsid}));
}

TEST_F(SettingsPageControls, TypingIntoAMaskedWpaPassphraseStartsANewOne) {
  open();
  ASSERT_TRUE(window.masked[kPassphrase]);
  // Keys with Ctrl or Alt, other keys, and keys aimed elsewhere leave it.
  EXPECT_FALSE(page.preTranslateKey({KeyPress::Kind::Printable, 'C', false, true, kPassphrase}));
  EXPECT_FALSE(page.preTranslateKey({KeyPress::Kind::Other, 0, false, false, kPassphrase}));
  EXPECT_FALSE(page.preTranslateKey({KeyPress::Kind::Printable, 'A', false, false, kSsid}));
  EXPECT_EQ(text(kPassphrase), "MARLOWE-DUSKY-V");

  EXPECT_FALSE(page.preTranslateKey({KeyPress::Kind::Backspace, 0, false, false, kPassphrase}));
  EXPECT_EQ(text(kPassphrase), "");
  EXPECT_FALSE(window.masked[kPassphrase]);
  type(kPassphrase, "n");
  EXPECT_FALSE(page.preTranslateKey({KeyPress::Kind::Printable, 'E', false, false, kPassphrase}));
  EXPECT_EQ(text(kPassphrase), "n");  // only the first key press starts afresh
}

}  // namespace
}  // namespace kestrel::testing
