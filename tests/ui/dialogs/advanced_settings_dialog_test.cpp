#include "ui/dialogs/advanced_settings_dialog.h"

#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "dialogs/dialogs_ids.h"
#include "ui/dialogs/country_rules.h"
#include "ui/dialogs/dialog_texts.h"

namespace kestrel {
namespace {

constexpr int kAllModeBoxes[] = {IDC_ADV_MODE_11A, IDC_ADV_MODE_11A_TURBO, IDC_ADV_MODE_11B,
                                 IDC_ADV_MODE_11G, IDC_ADV_MODE_11G_TURBO};

class AdvancedSettingsTest : public ::testing::Test, public fakes::DialogFixture {
 protected:
  AdvancedSettingsTest() {
    setCountry("US");
    working.NetBand = 31;
  }
  // A fresh window each time, as the template makes it.
  AdvancedSettingsDialog& open(SettingsPageChoices page = {}) {
    controls.controls.clear();
    for (int turbo : {IDC_ADV_MODE_11A_TURBO, IDC_ADV_MODE_11G_TURBO}) {
      controls.show(turbo, false);
      controls.enable(turbo, false);
    }
    dialog = std::make_unique<AdvancedSettingsDialog>(controls, services(), working, page);
    dialog->open();
    return *dialog;
  }
  void checkOnly(std::initializer_list<int> boxes) {
    for (int box : kAllModeBoxes)
      controls.setChecked(box, false);
    for (int box : boxes)
      controls.setChecked(box, true);
  }
  bool isOff(int box) { return !controls.checked(box) && !controls.enabled(box); }

  std::unique_ptr<AdvancedSettingsDialog> dialog;
};

TEST_F(AdvancedSettingsTest, OpeningFillsTheListsAndSlidersFromTheProfile) {
  working.WmmEnabled = 0;
  working.PowerManagement = 1;
  working.ShortPreamble = 0;
  working.tpc = 3;
  open();

  EXPECT_EQ(controls.at(IDC_ADV_WMM).items,
            (std::vector<std::string>{dialog_texts::kOff, dialog_texts::kOn}));
  EXPECT_EQ(controls.at(IDC_ADV_POWER_SAVE).items.size(), 3u);
  EXPECT_EQ(controls.at(IDC_ADV_PREAMBLE).items,
            (std::vector<std::string>{"Long", dialog_texts::kAutomatic}));
  EXPECT_EQ(controls.at(IDC_ADV_TX_POWER).items,
            (std::vector<std::string>{"100%", "50%", "25%", "12.5%", dialog_texts::kMinimum}));
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_WMM), 0);
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_POWER_SAVE), 1);
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_PREAMBLE), 0);
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_TX_POWER), 3);
  for (int slider : {IDC_ADV_FRAG_SLIDER, IDC_ADV_RTS_SLIDER}) {
    EXPECT_EQ(controls.at(slider).sliderMin, 128);
    EXPECT_EQ(controls.at(slider).sliderMax, 1173);
  }
  EXPECT_EQ(controls.at(IDC_ADV_FRAG_SLIDER).sliderTicks, 81);
  EXPECT_EQ(controls.at(IDC_ADV_RTS_SLIDER).sliderTicks, 91);
}

TEST_F(AdvancedSettingsTest, ReopeningAfterDefaultsDoesNotRepeatListItems) {
  open();
  controls.setChecked(IDC_ADV_MODE_11B, false);
  dialog->onCommand(IDC_ADV_USE_DEFAULTS, ControlEvent::Clicked);
  EXPECT_EQ(controls.listCount(IDC_ADV_TX_POWER), 5);
  EXPECT_EQ(controls.listCount(IDC_ADV_WMM), 2);
}

// Thresholds: the sliders, their blue value labels and the values stored on OK.

TEST_F(AdvancedSettingsTest, FragmentationTopPositionMeans2346) {
  working.FragThreshold = 2346;
  open();
  EXPECT_EQ(controls.sliderPosition(IDC_ADV_FRAG_SLIDER), 1173);
  EXPECT_EQ(controls.text(IDC_ADV_FRAG_VALUE), "2346");
  EXPECT_EQ(controls.text(IDC_ADV_FRAG_HIGH), "2346");
  working.FragThreshold = 0;
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.FragThreshold, 2346);
}

TEST_F(AdvancedSettingsTest, FragmentationValueSurvivesAnUntouchedSlider) {
  working.FragThreshold = 1000;
  open();
  EXPECT_EQ(controls.sliderPosition(IDC_ADV_FRAG_SLIDER), 502);
  EXPECT_EQ(controls.text(IDC_ADV_FRAG_VALUE), "1004");  // the label shows 2p
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.FragThreshold, 1000);
}

TEST_F(AdvancedSettingsTest, FragmentationBottomLabelReads256AndStores252) {
  open();
  controls.setSliderPosition(IDC_ADV_FRAG_SLIDER, 128);
  dialog->onCommand(IDC_ADV_FRAG_SLIDER, ControlEvent::Scrolled);
  EXPECT_EQ(controls.text(IDC_ADV_FRAG_VALUE), "256");
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.FragThreshold, 252);
}

TEST_F(AdvancedSettingsTest, RtsThresholdIsTwiceThePosition) {
  working.RTSThreshold = 500;
  open();
  EXPECT_EQ(controls.sliderPosition(IDC_ADV_RTS_SLIDER), 250);
  EXPECT_EQ(controls.text(IDC_ADV_RTS_VALUE), "500");
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.RTSThreshold, 500);

  controls.setSliderPosition(IDC_ADV_RTS_SLIDER, 700);
  dialog->onCommand(IDC_ADV_RTS_SLIDER, ControlEvent::Scrolled);
  EXPECT_EQ(controls.text(IDC_ADV_RTS_VALUE), "1400");
  EXPECT_EQ(controls.text(IDC_ADV_RTS_HIGH), "2346");
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.RTSThreshold, 1400);
}

// Modes on OK.

TEST_F(AdvancedSettingsTest, ElevenGAloneAlsoAdmitsElevenB) {
  open();
  checkOnly({IDC_ADV_MODE_11G});
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.NetBand, 12);
  EXPECT_EQ(working.AdHocBand, 0);
}

TEST_F(AdvancedSettingsTest, AdHocBandFollowsTheElevenABoxes) {
  open();
  checkOnly({IDC_ADV_MODE_11A, IDC_ADV_MODE_11A_TURBO, IDC_ADV_MODE_11B});
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.NetBand, 7);
  EXPECT_EQ(working.AdHocBand, 1);

  checkOnly({IDC_ADV_MODE_11A_TURBO, IDC_ADV_MODE_11G});
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.NetBand, 10);
  EXPECT_EQ(working.AdHocBand, 2);
}

TEST_F(AdvancedSettingsTest, NoModeCheckedAsksForOneAndWritesNothing) {
  open();
  checkOnly({});
  const WirelessProfile before = working;
  EXPECT_FALSE(dialog->confirm());
  ASSERT_EQ(prompt.notices.size(), 1u);
  EXPECT_EQ(prompt.notices[0], dialog_texts::kSelectOneModeMessage);
  EXPECT_EQ(working.NetBand, before.NetBand);
  EXPECT_EQ(working.AdHocBand, before.AdHocBand);
}

TEST_F(AdvancedSettingsTest, OkWritesTheListChoices) {
  open();
  controls.selectListItem(IDC_ADV_WMM, 0);
  controls.selectListItem(IDC_ADV_POWER_SAVE, 1);
  controls.selectListItem(IDC_ADV_PREAMBLE, 0);
  controls.selectListItem(IDC_ADV_TX_POWER, 4);
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.WmmEnabled, 0);
  EXPECT_EQ(working.PowerManagement, 1);
  EXPECT_EQ(working.ShortPreamble, 0);
  EXPECT_EQ(working.tpc, 4);
}

TEST_F(AdvancedSettingsTest, StoredValuesNoListOffersAreKept) {
  working.tpc = 9;
  working.PowerManagement = -1;
  open();
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_TX_POWER), -1);
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.tpc, 9);
  EXPECT_EQ(working.PowerManagement, -1);
}

// Country rules.

TEST_F(AdvancedSettingsTest, JapanRulesOutBothTurboModesAndDefaultsTo13) {
  setCountry("JP");
  open();
  EXPECT_TRUE(isOff(IDC_ADV_MODE_11A_TURBO));
  EXPECT_TRUE(isOff(IDC_ADV_MODE_11G_TURBO));
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11A) && controls.enabled(IDC_ADV_MODE_11A));

  working.NetBand = 4;
  working.WmmEnabled = 0;
  working.FragThreshold = 500;
  open();
  dialog->onCommand(IDC_ADV_USE_DEFAULTS, ControlEvent::Clicked);
  EXPECT_EQ(controls.sliderPosition(IDC_ADV_FRAG_SLIDER), 1173);
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_POWER_SAVE), 2);
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.NetBand, 13);
  EXPECT_EQ(working.PowerManagement, 2);
  EXPECT_EQ(working.ShortPreamble, 1);
  EXPECT_EQ(working.tpc, 0);
  EXPECT_EQ(working.FragThreshold, 2346);
  EXPECT_EQ(working.RTSThreshold, 2346);
  EXPECT_EQ(working.WmmEnabled, 0);  // defaults leave WMM alone
}

TEST_F(AdvancedSettingsTest, UnitedStatesOnTheDualBandCardOffersAllFiveAndDefaultsTo31) {
  open();
  for (int box : kAllModeBoxes)
    EXPECT_TRUE(controls.checked(box)) << box;
  // No rule touches the hidden 108 Mbit/s 802.11g box's enabling here.
  for (int box : {IDC_ADV_MODE_11A, IDC_ADV_MODE_11A_TURBO, IDC_ADV_MODE_11B, IDC_ADV_MODE_11G})
    EXPECT_TRUE(controls.enabled(box)) << box;
  EXPECT_FALSE(controls.visible(IDC_ADV_MODE_11A_TURBO));
  working.NetBand = 8;
  open();
  dialog->onCommand(IDC_ADV_USE_DEFAULTS, ControlEvent::Clicked);
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.NetBand, 31);
}

TEST_F(AdvancedSettingsTest, AlgeriaIsraelBrazilRuleOutElevenA) {
  for (const char* country : {"DZ", "IL", "BR"}) {
    setCountry(country);
    open();
    EXPECT_TRUE(isOff(IDC_ADV_MODE_11A)) << country;
    EXPECT_TRUE(isOff(IDC_ADV_MODE_11A_TURBO)) << country;
    EXPECT_TRUE(controls.enabled(IDC_ADV_MODE_11B));
  }
}

TEST_F(AdvancedSettingsTest, NaTakesTheDriversCountryCode) {
  setCountry("NA");
  setDriverValue("ccode", "DZ");
  open();
  EXPECT_TRUE(isOff(IDC_ADV_MODE_11A));
  EXPECT_TRUE(isOff(IDC_ADV_MODE_11A_TURBO));
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11G_TURBO));
  EXPECT_TRUE(controls.enabled(IDC_ADV_MODE_11G) && controls.enabled(IDC_ADV_MODE_11B));
}

TEST_F(AdvancedSettingsTest, FranceKeepsElevenAButNotItsTurbo) {
  setCountry("FR");
  open();
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11A) && controls.enabled(IDC_ADV_MODE_11A));
  EXPECT_TRUE(isOff(IDC_ADV_MODE_11A_TURBO));
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11G_TURBO));
}

// Adapter and settings-page rules.

TEST_F(AdvancedSettingsTest, AdHocOnTheSettingsPageFreezesTheModesAndPowerSaving) {
  working.PowerManagement = 2;
  open({true, false});
  for (int box : kAllModeBoxes)
    EXPECT_FALSE(controls.enabled(box)) << box;
  EXPECT_EQ(
      controls.listItemText(IDC_ADV_POWER_SAVE, controls.selectedListItem(IDC_ADV_POWER_SAVE)),
      dialog_texts::kPowerSaveOff);
  // The AutoCell rule comes last: without AutoCell it enables the power-saving list again.
  EXPECT_TRUE(controls.enabled(IDC_ADV_POWER_SAVE));
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.PowerManagement, 0);
  EXPECT_EQ(working.NetBand, 31);  // the disabled boxes still count

  open({true, true});
  EXPECT_FALSE(controls.enabled(IDC_ADV_POWER_SAVE));
  EXPECT_FALSE(controls.enabled(IDC_ADV_MODE_11B));
}

TEST_F(AdvancedSettingsTest, AutoCellTakesPowerSavingAndTransmitPower) {
  working.tpc = 2;
  open({false, true});
  EXPECT_FALSE(controls.enabled(IDC_ADV_POWER_SAVE));
  EXPECT_FALSE(controls.enabled(IDC_ADV_TX_POWER));
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_POWER_SAVE), 0);
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_TX_POWER), 0);
}

TEST_F(AdvancedSettingsTest, TheElevenGOnlyCardDisablesElevenAWithoutUnchecking) {
  setDriverValue("DriverDesc", fakes::kSingleBandAdapter);
  open();
  EXPECT_FALSE(controls.enabled(IDC_ADV_MODE_11A));
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11A));
  EXPECT_FALSE(controls.enabled(IDC_ADV_MODE_11A_TURBO));
  EXPECT_TRUE(controls.enabled(IDC_ADV_MODE_11B));
  EXPECT_TRUE(controls.enabled(IDC_ADV_MODE_11G));
}

// The opening's own country rules, on the card whose adapter rules change no check box.
TEST_F(AdvancedSettingsTest, OnTheElevenGOnlyCardTheCountryRulesStillUncheck) {
  setDriverValue("DriverDesc", fakes::kSingleBandAdapter);
  for (const char* country : {"DZ", "IL", "BR"}) {
    setCountry(country);
    open();
    EXPECT_TRUE(isOff(IDC_ADV_MODE_11A)) << country;
    EXPECT_TRUE(isOff(IDC_ADV_MODE_11A_TURBO)) << country;
    EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11G_TURBO)) << country;
  }
  for (const char* country : {"FR", "GB"}) {
    setCountry(country);
    open();
    EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11A)) << country;
    EXPECT_TRUE(isOff(IDC_ADV_MODE_11A_TURBO)) << country;
  }
  setCountry("JP");
  open();
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11A));
  EXPECT_TRUE(isOff(IDC_ADV_MODE_11A_TURBO));
  EXPECT_TRUE(isOff(IDC_ADV_MODE_11G_TURBO));
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.NetBand, 13);
}

TEST_F(AdvancedSettingsTest, EveryCountryThatKeepsTheTurboElevenAModeKeepsIt) {
  for (const char* country : {"US", "CN", "CA", "MX", "AU"}) {
    setCountry(country);
    open();
    EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11A_TURBO)) << country;
    EXPECT_TRUE(controls.enabled(IDC_ADV_MODE_11A_TURBO)) << country;
  }
  setCountry("DE");
  open();
  EXPECT_TRUE(isOff(IDC_ADV_MODE_11A_TURBO));
}

TEST_F(AdvancedSettingsTest, DefaultsIn13CountriesLeaveTheTurboModesOut) {
  for (const char* country : {"FR", "GB", "DZ", "IL", "BR", "JP"}) {
    setCountry(country);
    working.NetBand = 4;
    open();
    dialog->onCommand(IDC_ADV_USE_DEFAULTS, ControlEvent::Clicked);
    EXPECT_FALSE(controls.checked(IDC_ADV_MODE_11G_TURBO)) << country;
    ASSERT_TRUE(dialog->confirm()) << country;
    const std::int32_t expected = IsOneOf(country, {"DZ", "IL", "BR"}) ? 12 : 13;
    EXPECT_EQ(working.NetBand, expected) << country;
  }
}

TEST_F(AdvancedSettingsTest, OpeningNeverClearsABoxTheProfileLacks) {
  working.NetBand = 8;
  controls.controls.clear();
  controls.setChecked(IDC_ADV_MODE_11B, true);
  dialog = std::make_unique<AdvancedSettingsDialog>(controls, services(), working,
                                                    SettingsPageChoices{});
  dialog->open();
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11B));
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11G));
  EXPECT_FALSE(controls.checked(IDC_ADV_MODE_11A));

  // Defaults run the opening again: a box the user checked stays checked, and counts.
  setCountry("GB");
  working.NetBand = 4;
  open();
  controls.setChecked(IDC_ADV_MODE_11G_TURBO, true);
  dialog->onCommand(IDC_ADV_USE_DEFAULTS, ControlEvent::Clicked);
  EXPECT_TRUE(controls.checked(IDC_ADV_MODE_11G_TURBO));
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.NetBand, 13 | 0x10);
}

TEST_F(AdvancedSettingsTest, UnreadableDescriptionSkipsTheAdapterAndPageRules) {
  removeDriverValue("DriverDesc");
  working.tpc = 2;
  open({true, true});
  EXPECT_TRUE(controls.enabled(IDC_ADV_MODE_11B));
  EXPECT_TRUE(controls.enabled(IDC_ADV_POWER_SAVE));
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_TX_POWER), 2);
}

TEST_F(AdvancedSettingsTest, WmmIsFixedOnTheWindows9xFamily) {
  open();
  EXPECT_TRUE(controls.enabled(IDC_ADV_WMM));
  system.servicePackLevel = kServicePackLevel9x;
  open();
  EXPECT_FALSE(controls.enabled(IDC_ADV_WMM));
}

// The settings page's network type after OK.

TEST_F(AdvancedSettingsTest, ElevenAAloneInFranceForcesInfrastructure) {
  setCountry("FR");
  open();
  checkOnly({IDC_ADV_MODE_11A});
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(dialog->networkTypeEffect(), NetworkTypeEffect::ForceInfrastructure);
}

TEST_F(AdvancedSettingsTest, NetworkTypeEffectByModesCountryAndAutoCell) {
  struct Case {
    const char* country;
    std::initializer_list<int> boxes;
    bool autoCell;
    NetworkTypeEffect expected;
  };
  const Case cases[] = {
      {"GB", {IDC_ADV_MODE_11A}, false, NetworkTypeEffect::ForceInfrastructure},
      {"GB", {IDC_ADV_MODE_11A}, true, NetworkTypeEffect::ForceInfrastructure},
      {"FR", {IDC_ADV_MODE_11A}, true, NetworkTypeEffect::ForceInfrastructure},
      {"US", {IDC_ADV_MODE_11G_TURBO}, true, NetworkTypeEffect::ForceInfrastructure},
      {"US", {IDC_ADV_MODE_11G_TURBO}, false, NetworkTypeEffect::ForceInfrastructure},
      {"US", {IDC_ADV_MODE_11A}, false, NetworkTypeEffect::EnableAdHoc},
      {"US", {IDC_ADV_MODE_11A}, true, NetworkTypeEffect::Unchanged},
      {"FR", {IDC_ADV_MODE_11A, IDC_ADV_MODE_11B}, false, NetworkTypeEffect::EnableAdHoc},
      {"GB", {IDC_ADV_MODE_11A, IDC_ADV_MODE_11G}, true, NetworkTypeEffect::Unchanged},
      {"FR", {IDC_ADV_MODE_11B}, true, NetworkTypeEffect::Unchanged},
      {"JP", {IDC_ADV_MODE_11B, IDC_ADV_MODE_11G}, false, NetworkTypeEffect::EnableAdHoc},
  };
  for (const Case& c : cases) {
    setCountry(c.country);
    open({false, c.autoCell});
    checkOnly(c.boxes);
    ASSERT_TRUE(dialog->confirm());
    EXPECT_EQ(dialog->networkTypeEffect(), c.expected) << c.country << " AutoCell " << c.autoCell;
  }
}

// Failures and Cancel.

TEST_F(AdvancedSettingsTest, UnreadableCountryLeavesTheControlsUnset) {
  failCountry();
  working.NetBand = 13;
  open();
  EXPECT_EQ(controls.listCount(IDC_ADV_WMM), 2);
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_WMM), -1);
  EXPECT_FALSE(controls.checked(IDC_ADV_MODE_11A));

  dialog->onCommand(IDC_ADV_USE_DEFAULTS, ControlEvent::Clicked);
  EXPECT_EQ(controls.selectedListItem(IDC_ADV_POWER_SAVE), -1);

  controls.setChecked(IDC_ADV_MODE_11B, true);
  EXPECT_FALSE(dialog->confirm());  // stays open
  EXPECT_EQ(working.NetBand, 13);   // and the working profile waits for a real OK
}

TEST_F(AdvancedSettingsTest, CountryReturningBeforeOkKeepsTheUnplacedValues) {
  failCountry();
  working.FragThreshold = 1500;
  working.RTSThreshold = 600;
  working.tpc = 3;
  open();
  setCountry("US");
  controls.setChecked(IDC_ADV_MODE_11B, true);
  ASSERT_TRUE(dialog->confirm());
  EXPECT_EQ(working.NetBand, 4);
  EXPECT_EQ(working.FragThreshold, 1500);
  EXPECT_EQ(working.RTSThreshold, 600);
  EXPECT_EQ(working.tpc, 3);
}

TEST_F(AdvancedSettingsTest, DefaultsThenCancelLeaveTheWorkingProfile) {
  working.NetBand = 4;
  working.FragThreshold = 800;
  open();
  dialog->onCommand(IDC_ADV_USE_DEFAULTS, ControlEvent::Clicked);
  // Cancel: the dialog is simply closed without confirm.
  EXPECT_EQ(working.NetBand, 4);
  EXPECT_EQ(working.FragThreshold, 800);
}

}  // namespace
}  // namespace kestrel
