#include "ui/dialogs/ad_hoc_dialog.h"

#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "dialogs/dialogs_ids.h"
#include "ui/dialogs/dialog_texts.h"

namespace kestrel {
namespace {

using Items = std::vector<std::string>;

class AdHocDialogTest : public ::testing::Test, public fakes::DialogFixture {
 protected:
  AdHocDialogTest() {
    setCountry("US");
    working.NetBand = current.NetBand = 13;
    working.AdHocBand = 0;
    working.AdHocChannel = 0;
  }
  AdHocDialog& open() {
    controls.controls.clear();
    dialog = std::make_unique<AdHocDialog>(controls, services(), working, current);
    dialog->open();
    return *dialog;
  }
  const Items& bands() { return controls.at(IDC_ADHOC_BAND).items; }
  const Items& channels() { return controls.at(IDC_ADHOC_CHANNEL).items; }
  std::string selectedBand() {
    return controls.listItemText(IDC_ADHOC_BAND, controls.selectedListItem(IDC_ADHOC_BAND));
  }
  void chooseBand(int index) {
    controls.selectListItem(IDC_ADHOC_BAND, index);
    dialog->onCommand(IDC_ADHOC_BAND, ControlEvent::SelectionChanged);
  }
  static Items ChannelList(int last) {
    Items items{dialog_texts::kAutomatic};
    for (int channel = 1; channel <= last; ++channel)
      items.push_back((channel < 10 ? " " : "") + std::to_string(channel));
    return items;
  }

  std::unique_ptr<AdHocDialog> dialog;
};

// The band list.

TEST_F(AdHocDialogTest, BothBandsWhereFiveGigahertzAdHocIsAllowed) {
  open();
  EXPECT_EQ(bands(), (Items{"5GHz(802.11a)", "2.4GHz(802.11b/g)"}));
  EXPECT_EQ(selectedBand(), "2.4GHz(802.11b/g)");

  working.AdHocBand = 1;
  open();
  EXPECT_EQ(selectedBand(), "5GHz(802.11a)");
}

TEST_F(AdHocDialogTest, FranceOffersOnlyTwoPointFour) {
  setCountry("FR");
  working.AdHocBand = 1;  // taken as 2.4 GHz, which is all France allows here
  open();
  EXPECT_EQ(bands(), (Items{"2.4GHz(802.11b/g)"}));
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_BAND), 0);
  EXPECT_EQ(channels(), ChannelList(13));
}

TEST_F(AdHocDialogTest, NoCountryWithoutFiveGigahertzAdHocOffersIt) {
  for (const char* country : {"BR", "DZ", "IL", "GB", "FR"}) {
    setCountry(country);
    open();
    EXPECT_EQ(bands(), (Items{"2.4GHz(802.11b/g)"})) << country;
    working.NetBand = 15;  // changed in the advanced dialog, not applied
    open();
    EXPECT_EQ(bands(), (Items{"802.11b/g"})) << country;
    working.NetBand = current.NetBand;
  }
}

TEST_F(AdHocDialogTest, NaTakesTheDriversCountryForTheBandList) {
  setCountry("NA");
  setDriverValue("ccode", "IL");
  open();
  EXPECT_EQ(bands(), (Items{"2.4GHz(802.11b/g)"}));
}

TEST_F(AdHocDialogTest, ElevenAOnlyOffersFiveGigahertzOnly) {
  working.NetBand = current.NetBand = 1;
  open();
  EXPECT_EQ(bands(), (Items{"5GHz(802.11a)"}));
  // AdHocBand 0 selects the 2.4 GHz position, which no entry took.
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_BAND), -1);
  EXPECT_EQ(channels(), Items{dialog_texts::kAutomatic});
}

TEST_F(AdHocDialogTest, TurboGAloneSelectsTheFirstEntry) {
  working.NetBand = current.NetBand = 0x10;
  working.AdHocBand = 2;
  open();
  EXPECT_EQ(bands(), (Items{"2.4GHz(802.11b/g)"}));
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_BAND), 0);
}

TEST_F(AdHocDialogTest, ModesChangedButNotAppliedUseTheShortEntryAndTheFirstEntry) {
  working.NetBand = 13;
  current.NetBand = 12;
  working.AdHocBand = 0;
  open();
  EXPECT_EQ(bands(), (Items{"5GHz(802.11a)", "802.11b/g"}));
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_BAND), 0);
  EXPECT_EQ(channels(), Items{dialog_texts::kAutomatic});

  chooseBand(1);
  dialog->confirm();
  EXPECT_EQ(working.AdHocBand, 0);
}

// The channel list.

TEST_F(AdHocDialogTest, ChannelListFollowsTheCountry) {
  open();
  EXPECT_EQ(channels(), ChannelList(11));
  for (const char* country : {"CA", "MX"}) {
    setCountry(country);
    open();
    EXPECT_EQ(channels().size(), 12u) << country;
  }
  setCountry("JP");
  open();
  EXPECT_EQ(channels(), ChannelList(13));
}

TEST_F(AdHocDialogTest, TheChannelListTakesTheAdaptersCodeEvenWhenItIsNa) {
  setCountry("NA");
  setDriverValue("ccode", "US");
  open();
  EXPECT_EQ(channels(), ChannelList(13));
  chooseBand(1);
  EXPECT_EQ(channels(), ChannelList(13));
}

TEST_F(AdHocDialogTest, BandChangeRefillsTheChannelList) {
  open();
  chooseBand(0);
  EXPECT_EQ(channels(), Items{dialog_texts::kAutomatic});
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_CHANNEL), 0);
  chooseBand(1);
  EXPECT_EQ(channels(), ChannelList(11));
}

TEST_F(AdHocDialogTest, StoredChannelIsSelected) {
  working.AdHocChannel = 2437;
  open();
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_CHANNEL), 6);

  working.AdHocChannel = 0;
  open();
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_CHANNEL), 0);

  working.AdHocBand = 3;  // shown as 2.4 GHz, converted with band code 8
  working.AdHocChannel = 2484;
  setCountry("JP");
  open();
  EXPECT_EQ(selectedBand(), "2.4GHz(802.11b/g)");
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_CHANNEL), -1);  // channel 14 is not offered
  working.AdHocChannel = 2412;
  open();
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_CHANNEL), 1);
}

TEST_F(AdHocDialogTest, StoredFiveGigahertzChannelShowsNoSelection) {
  working.AdHocBand = 1;
  working.AdHocChannel = 5180;
  open();
  EXPECT_EQ(channels(), Items{dialog_texts::kAutomatic});
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_CHANNEL), -1);
  dialog->confirm();
  EXPECT_EQ(working.AdHocBand, 1);
  EXPECT_EQ(working.AdHocChannel, 0);
}

TEST_F(AdHocDialogTest, StoredFrequencyOutsideEveryBandSelectsNothing) {
  for (std::int32_t frequency : {100, -5, 2147483647}) {
    working.AdHocChannel = frequency;
    open();
    EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_CHANNEL), -1) << frequency;
  }
}

// OK.

TEST_F(AdHocDialogTest, TwoPointFourChannelsBecomeFrequencies) {
  setCountry("JP");
  open();
  controls.selectListItem(IDC_ADHOC_CHANNEL, 6);
  dialog->confirm();
  EXPECT_EQ(working.AdHocBand, 0);
  EXPECT_EQ(working.AdHocChannel, 2437);

  controls.selectListItem(IDC_ADHOC_CHANNEL, 13);
  dialog->confirm();
  EXPECT_EQ(working.AdHocChannel, 2472);

  controls.selectListItem(IDC_ADHOC_CHANNEL, 0);
  dialog->confirm();
  EXPECT_EQ(working.AdHocChannel, 0);
}

TEST_F(AdHocDialogTest, FiveGigahertzAlwaysStoresAutomatic) {
  working.AdHocChannel = 2412;
  open();
  chooseBand(0);
  dialog->confirm();
  EXPECT_EQ(working.AdHocBand, 1);
  EXPECT_EQ(working.AdHocChannel, 0);
}

TEST_F(AdHocDialogTest, TurboBandIsKeptWhenNoBandIsSelected) {
  working.AdHocBand = 2;
  working.AdHocChannel = 5210;
  open();
  EXPECT_EQ(controls.selectedListItem(IDC_ADHOC_BAND), -1);
  EXPECT_EQ(channels(), Items{dialog_texts::kAutomatic});
  dialog->confirm();
  EXPECT_EQ(working.AdHocBand, 2);
  EXPECT_EQ(working.AdHocChannel, 0);
}

TEST_F(AdHocDialogTest, UnreadableCountryGivesEmptyListsAndTwoPointFourAutomatic) {
  failCountry();
  working.AdHocBand = 1;
  working.AdHocChannel = 5180;
  open();
  EXPECT_TRUE(bands().empty());
  EXPECT_TRUE(channels().empty());
  dialog->confirm();
  EXPECT_EQ(working.AdHocBand, 0);
  EXPECT_EQ(working.AdHocChannel, 0);
}

TEST_F(AdHocDialogTest, AltCAndAltSMoveTheFocus) {
  open();
  EXPECT_TRUE(dialog->onAltKey('C'));
  EXPECT_EQ(controls.focused, IDC_ADHOC_CHANNEL);
  EXPECT_TRUE(dialog->onAltKey('S'));
  EXPECT_EQ(controls.focused, IDC_ADHOC_BAND);
  EXPECT_FALSE(dialog->onAltKey('F'));
  EXPECT_EQ(controls.focused, IDC_ADHOC_BAND);
}

}  // namespace
}  // namespace kestrel
