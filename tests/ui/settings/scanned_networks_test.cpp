// The SSID list's table of heard networks, and choosing one of them.
#include "ui/settings/scanned_networks.h"

#include "monitor/network_list_builder.h"
#include "settings_fixture.h"

namespace kestrel::testing {
namespace {

std::vector<ScannedNetwork> Read(const std::vector<std::uint8_t>& list) {
  return ReadScannedNetworks(list.data(), list.size());
}

ScannedNetwork ReadOne(const NetworkRecord& record) {
  const auto table = Read(NetworkListBytes(1, {record}));
  EXPECT_EQ(table.size(), 2u);
  return table.size() == 2 ? table[1] : ScannedNetwork{};
}

TEST(ScannedNetworks, TheFirstEntryIsAnyFollowedByTheListedNetworksInOrder) {
  const auto table = Read(NetworkListBytes(
      2, {NetworkRecord().ssid("Alpha").privacy(1), NetworkRecord().ssid("Beta").mode(0)}));
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0].ssid, "Any (First available network)");
  EXPECT_EQ(table[0].mode, 1u);
  EXPECT_FALSE(table[0].privacy);
  EXPECT_EQ(table[1].ssid, "Alpha");
  EXPECT_TRUE(table[1].privacy);
  EXPECT_EQ(table[1].security, ScannedSecurity::Wep);
  EXPECT_EQ(table[2].ssid, "Beta");
  EXPECT_EQ(table[2].mode, 0u);
}

TEST(ScannedNetworks, AnSsidFieldWithoutAZeroGivesAllThirtyTwoBytes) {
  EXPECT_EQ(ReadOne(NetworkRecord().ssid(std::string(32, 'S'))).ssid, std::string(32, 'S'));
}

TEST(ScannedNetworks, TheFirstAuthenticationSuiteDecidesTheKind) {
  const struct {
    NetworkRecord record;
    ScannedSecurity expected;
  } cases[] = {
      {NetworkRecord().element(221, WpaBody(1)), ScannedSecurity::Dot1x},
      {NetworkRecord().element(221, WpaBody(2)), ScannedSecurity::PreSharedKey},
      {NetworkRecord().mode(0).element(221, WpaBody(2)), ScannedSecurity::Dot1x},
      {NetworkRecord().element(48, RsnBody(2, 3)), ScannedSecurity::PreSharedKey},
      {NetworkRecord().element(48, RsnBody(0)), ScannedSecurity::PreSharedKey},
      {NetworkRecord().element(48, RsnBody(1)), ScannedSecurity::Dot1x},
      {NetworkRecord().element(48, RsnBody(5)), ScannedSecurity::Wep},
      // A vendor element ends the walk: the RSN element after it is not read.
      {NetworkRecord().element(221, WmmBody()).element(48, RsnBody(2)), ScannedSecurity::Wep},
      {NetworkRecord().element(221, WpaBody(1)).element(48, RsnBody(2)), ScannedSecurity::Dot1x},
      // A zero length byte ends the walk too.
      {NetworkRecord().element(7, {}).element(48, RsnBody(2)), ScannedSecurity::Wep},
      // Suite lists longer than their element leave the kind alone.
      {NetworkRecord().rawElementBytes({48, 12, 1, 0, 0, 0x0F, 0xAC, 4, 9, 0, 0, 0x0F, 0xAC, 4}),
       ScannedSecurity::Wep},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(ReadOne(cases[i].record).security, cases[i].expected) << "case " << i;
}

TEST(ScannedNetworks, ShortRecordsAndShortElementAreasAreNotExamined) {
  EXPECT_EQ(ReadOne(NetworkRecord().element(48, RsnBody(2)).lengthField(104)).security,
            ScannedSecurity::Wep);
  EXPECT_EQ(ReadOne(NetworkRecord().element(48, RsnBody(2)).elementsLengthField(12)).security,
            ScannedSecurity::Wep);
}

TEST(ScannedNetworks, RecordsThatDoNotLieInsideTheBufferEndTheWalk) {
  const auto list = NetworkListBytes(
      3, {NetworkRecord().ssid("Whole"), NetworkRecord().ssid("Liar").lengthField(5000),
          NetworkRecord().ssid("Unseen")});
  const auto table = Read(list);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[1].ssid, "Whole");

  EXPECT_EQ(Read(NetworkListBytes(1, {NetworkRecord().lengthField(95)})).size(), 1u);
  auto truncated = NetworkListBytes(1, {NetworkRecord()});
  truncated.resize(60);
  EXPECT_EQ(Read(truncated).size(), 1u);
  EXPECT_EQ(ReadScannedNetworks(nullptr, 0).size(), 1u);
}

TEST(ScannedNetworks, OnlyTheLowByteOfTheCountAndAtMost127NetworksAreTaken) {
  std::vector<NetworkRecord> records(130, NetworkRecord().ssid("Many"));
  EXPECT_EQ(Read(NetworkListBytes(0x100 | 130, records)).size(), 128u);
  EXPECT_EQ(Read(NetworkListBytes(0x102, records)).size(), 3u);
}

// --- The SSID list on the page --------------------------------------------------------

class SettingsPageSsidList : public SettingsPageTest {
 protected:
  void heard(const std::vector<NetworkRecord>& networks) {
    ndis.answers[oid::kVndBssList] =
        NetworkListBytes(static_cast<std::uint32_t>(networks.size()), networks);
  }
};

TEST_F(SettingsPageSsidList, OpeningTheListRescansAndKeepsTheTypedText) {
  heard({NetworkRecord().ssid("KESTREL_WEP").privacy(1), NetworkRecord().ssid("KESTREL_11g")});
  open();
  type(kSsid, "typed");
  openSsidList();
  EXPECT_EQ(controls.at(kSsid).items, (std::vector<std::string>{"Any (First available network)",
                                                                "KESTREL_WEP", "KESTREL_11g"}));
  EXPECT_EQ(text(kSsid), "typed");

  // A failed scan leaves the list as it was.
  ndis.failingOids[oid::kVndBssList] = 0xC0000001;
  openSsidList();
  EXPECT_EQ(controls.listCount(kSsid), 3);
}

TEST_F(SettingsPageSsidList, AtMost127HeardNetworksAreOffered) {
  // Records cut to 100 bytes, so that 140 of them fit the driver's buffer.
  heard(std::vector<NetworkRecord>(
      140, NetworkRecord().ssid("Crowded").lengthField(100).truncateTo(100)));
  open();
  openSsidList();
  EXPECT_EQ(controls.listCount(kSsid), 128);
}

TEST_F(SettingsPageSsidList, ChoosingANetworkSetsTypeAndSecurityAndClearsTheProfilesSecrets) {
  heard({NetworkRecord().ssid("KESTREL_WPA2").privacy(1).element(48, RsnBody(2)),
         NetworkRecord().ssid("KESTREL_WEP").privacy(1),
         NetworkRecord().ssid("KESTREL_AdHoc").mode(0),
         NetworkRecord().ssid("KESTREL_Corp").privacy(1).element(48, RsnBody(1))});
  storeVirtualProfile(WepProfile("0123456789", 5));
  open();
  openSsidList();

  choose(kSsid, "KESTREL_WPA2");
  EXPECT_TRUE(checked(kWpaPsk));
  EXPECT_TRUE(checked(kPassphraseEntry));
  EXPECT_TRUE(enabled(kPassphrase));
  EXPECT_TRUE(enabled(kAdvancedSecurity));
  EXPECT_EQ(text(kKey), "");
  EXPECT_EQ(text(kSsid), "KESTREL_WPA2");
  EXPECT_EQ(records.working.SharedKey[0], "");
  EXPECT_EQ(records.working.EnableSecurity, 0);
  EXPECT_EQ(records.working.PassphraseLength, 0);
  EXPECT_TRUE(enabled(kSaveProfile));
  EXPECT_TRUE(window.modified);

  choose(kSsid, "KESTREL_WEP");
  EXPECT_TRUE(checked(kWep));
  EXPECT_FALSE(checked(kWpaPsk));
  EXPECT_TRUE(checked(kPassphraseEntry));
  EXPECT_TRUE(enabled(kPassphrase));
  EXPECT_FALSE(enabled(kKey));
  EXPECT_FALSE(enabled(kAdvancedSecurity));

  choose(kSsid, "KESTREL_Corp");
  EXPECT_TRUE(checked(kWpaPsk));
  EXPECT_FALSE(enabled(kPassphrase));
  EXPECT_FALSE(enabled(kPassphraseLabel));

  choose(kSsid, "KESTREL_AdHoc");
  EXPECT_TRUE(checked(kAdHoc));
  EXPECT_TRUE(checked(kNoSecurity));
  EXPECT_FALSE(enabled(kPassphrase));
  EXPECT_FALSE(enabled(kManualSize));

  choose(kSsid, "Any (First available network)");
  EXPECT_TRUE(checked(kInfrastructure));
  EXPECT_TRUE(checked(kNoSecurity));
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(records.current.NetworkName, "Any");
}

TEST_F(SettingsPageSsidList, AChosenWpaNetworkLeavesTheWepControlsAsTheyWere) {
  heard({NetworkRecord().ssid("KESTREL_WEP").privacy(1),
         NetworkRecord().ssid("KESTREL_Corp").privacy(1).element(48, RsnBody(1)),
         NetworkRecord().ssid("KESTREL_WPA2").privacy(1).element(48, RsnBody(2))});
  open();
  openSsidList();
  choose(kSsid, "KESTREL_WEP");
  ASSERT_TRUE(enabled(kKeyNumber));
  ASSERT_TRUE(enabled(kGenerationSize));

  choose(kSsid, "KESTREL_Corp");
  EXPECT_TRUE(checked(kWpaPsk));
  EXPECT_FALSE(checked(kWep));
  EXPECT_TRUE(enabled(kKeyNumber));
  EXPECT_TRUE(enabled(kPassphraseEntry));
  EXPECT_TRUE(enabled(kGenerationSize));
  EXPECT_FALSE(enabled(kPassphrase));

  choose(kSsid, "KESTREL_WPA2");
  EXPECT_TRUE(enabled(kKeyNumber));
  EXPECT_TRUE(enabled(kPassphrase));
  EXPECT_TRUE(checked(kPassphraseEntry));
}

TEST_F(SettingsPageSsidList, WithoutThe8021XClientAChosenWpaNetworkLeavesWpaPskDisabled) {
  heard({NetworkRecord().ssid("KESTREL_WPA2").privacy(1).element(48, RsnBody(2)),
         NetworkRecord().ssid("KESTREL_Corp").privacy(1).element(48, RsnBody(1))});
  startup.dot1xAvailable = false;  // the start-up checks found no 802.1X client
  open();
  openSsidList();
  for (const char* ssid : {"KESTREL_WPA2", "KESTREL_Corp"}) {
    choose(kSsid, ssid);
    EXPECT_FALSE(enabled(kWpaPsk)) << ssid;
    EXPECT_FALSE(enabled(kAdvancedSecurity)) << ssid;
  }
}

}  // namespace
}  // namespace kestrel::testing
