#include "ui/networks/networks_page.h"

#include <gtest/gtest.h>

#include "fakes/fake_control_surface.h"
#include "fakes/fake_timers.h"
#include "monitor/network_list_builder.h"
#include "platform/text_collation.h"
#include "ui/networks/networks_texts.h"
#include "ui/page_fixture.h"

namespace kestrel {
namespace {

using testing::NetworkListBytes;
using testing::NetworkRecord;
using testing::RsnBody;

// The table as the list view would hold it: rows and one selection.
class FakeNetworksWindow : public NetworksWindow {
 public:
  std::vector<SurveyRow> rows;
  int selected = -1;
  int progressMin = -1;
  int progressMax = -1;
  int progress = -1;
  int arrowColumn = -1;
  SortDirection arrowDirection = SortDirection::Ascending;

  void setProgressRange(int minimum, int maximum) override {
    progressMin = minimum;
    progressMax = maximum;
  }
  void setProgressPosition(int position) override { progress = position; }
  void clearRows() override {
    rows.clear();
    selected = -1;
  }
  void appendRow(const SurveyRow& row) override { rows.push_back(row); }
  int firstSelectedRow() override { return selected; }
  void selectRow(int index) override { selected = index; }
  void showSortArrow(int column, SortDirection direction) override {
    arrowColumn = column;
    arrowDirection = direction;
  }
  std::vector<std::string> column(int index) const {
    std::vector<std::string> texts;
    for (const SurveyRow& row : rows)
      texts.push_back(ColumnText(row, index));
    return texts;
  }
};

class ByteCollation : public TextCollation {
 public:
  int compare(const std::string& first, const std::string& second) override {
    return first.compare(second);
  }
};

class NetworksPageTest : public ::testing::Test {
 protected:
  NetworksPageTest() {
    services.putParameter("DriverDesc", "KESTREL LX740N QX-7+ Wireless PC Card");
    services.ndis.answerWord(oid::k80211WepStatus, 1);
    services.ndis.answerWord(oid::kVndPreambleGet, 1);
    timers.onTick = [this](std::uint32_t id) { page.OnTimer(id); };
    page.OnInitDialog(controls, window);
  }
  void scanWith(const std::vector<NetworkRecord>& records) {
    std::vector<std::uint8_t> list =
        NetworkListBytes(static_cast<std::uint32_t>(records.size()), records, oid::kBssListSize);
    services.ndis.answers[oid::kVndBssList] = list;
    page.OnScan();
    timers.fireUntilStopped(kScanTimerId, 200);
  }
  void clickRow(int index) {
    window.selected = index;
    page.OnTableClick();
  }

  testing::PageServices services;
  testing::RecordingSheet sheet;
  testing::RecordingSettingsLink settings;
  fakes::FakeTimers timers;
  fakes::FakeControlSurface controls;
  FakeNetworksWindow window;
  ByteCollation collation;
  NetworksPage page{services.services, sheet, settings, timers, collation};
};

NetworkRecord Open(const std::string& ssid) {
  return NetworkRecord().ssid(ssid).channel(2412, 0x0400).rssi(-52);
}

TEST_F(NetworksPageTest, InitialisationDisablesConnectAndListsTheAdapter) {
  EXPECT_EQ(sheet.calls, std::vector<std::string>{"enable Connect 0"});
  EXPECT_EQ(controls.at(kAdapterChoiceId).items,
            std::vector<std::string>{"KESTREL LX740N QX-7+ Wireless PC Card"});
  EXPECT_EQ(controls.at(kAdapterChoiceId).selection, 0);
}

TEST_F(NetworksPageTest, ActivationSetsTheButtonsAndStartsTheFirstScanOnlyOnce) {
  sheet.calls.clear();
  page.OnSetActive();
  EXPECT_EQ(sheet.calls, (std::vector<std::string>{"show Scan 1", "show Connect 1", "show Close 1",
                                                   "show Apply 0", "show Cancel 0"}));
  EXPECT_EQ(window.progressMax, 100);
  EXPECT_TRUE(timers.isRunning(kFirstScanDelayTimerId));

  // A new window for a later sheet: no automatic scan this time.
  page.OnDestroy();
  timers.running.clear();
  page.OnInitDialog(controls, window);
  page.OnSetActive();
  EXPECT_FALSE(timers.isRunning(kFirstScanDelayTimerId));
}

TEST_F(NetworksPageTest, AFinishedScanFillsTheTableAndEnablesConnect) {
  scanWith({Open("KESTREL_11g"), Open("KESTREL_WPA2").privacy(1).element(48, RsnBody(2))});
  ASSERT_EQ(window.rows.size(), 2u);
  EXPECT_EQ(window.column(3), (std::vector<std::string>{"none", "WPA2-PSK"}));
  EXPECT_EQ(controls.text(kScanStatusId), "\x83\x58\x83\x4C\x83\x83\x83\x93\x8F\x49\x97\xB9");
  EXPECT_EQ(window.progress, 101);
  EXPECT_TRUE(sheet.connectEnabled);
}

TEST_F(NetworksPageTest, ConnectingToAnOpenNetworkAppliesItAndLeavesPageZeroWithThePopup) {
  scanWith({Open("KESTREL_WEP").privacy(1), Open("KESTREL_11g")});
  services.records.working.Passphrase = "left over";
  services.records.working.SharedKey[0] = "1234567890";
  sheet.calls.clear();

  window.selected = 1;
  page.OnTableDoubleClick();

  const WirelessProfile& current = services.records.current;
  EXPECT_EQ(current.NetworkName, "KESTREL_11g");
  EXPECT_EQ(current.EnableSecurity, 0);
  EXPECT_EQ(current.NetworkConnectionType, 1);
  EXPECT_TRUE(current.Passphrase.empty());
  EXPECT_TRUE(current.SharedKey[0].empty());
  EXPECT_EQ(current.ConfigurationName, "VirtualProfile");
  EXPECT_EQ(settings.calls, (std::vector<std::string>{"reload", "fill"}));
  EXPECT_EQ(sheet.calls,
            (std::vector<std::string>{"enable Connect 1", "enable Connect 0", "page 0", "popup"}));
  // Applied: the SSID went to the adapter and the name of record is the new profile's.
  const auto ssids = services.requestsOf(oid::k80211Ssid);
  ASSERT_FALSE(ssids.empty());
  EXPECT_EQ(std::string(ssids.back().bytes.begin() + 4, ssids.back().bytes.begin() + 15),
            "KESTREL_11g");
  const RegistryValue* name = services.registry.value(
      RegistryHive::LocalMachine,
      std::string(testing::kParametersKey) + "\\CustomParams\\Configurations",
      "ConfigurationProfileName");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(RegistryValueText(*name), networks_texts::kNewProfileName);
}

TEST_F(NetworksPageTest, SecuredNetworksAreHandedToTheSettingsPage) {
  scanWith(
      {Open("KESTREL_Corp").privacy(1).element(48, RsnBody(1)), Open("KESTREL_WEP").privacy(1)});
  const std::size_t requestsBefore = services.ndis.requests.size();

  clickRow(0);  // "WPA2" (802.1X) still goes to WPA-PSK with a passphrase
  page.OnConnect();
  EXPECT_EQ(settings.calls, (std::vector<std::string>{
                                "wpa-psk passphrase",
                                std::string("name ") + networks_texts::kNewProfileName, "fill"}));
  const WirelessProfile& working = services.records.working;
  EXPECT_EQ(working.NetworkName, "KESTREL_Corp");
  EXPECT_EQ(working.EapSelection, 7);
  EXPECT_EQ(working.EnableSecurity, 2);
  EXPECT_EQ(working.AdvancedAuthenticationType, 3);
  EXPECT_EQ(working.EncryptionAlg, 1);
  EXPECT_EQ(working.WPA, 0);
  EXPECT_EQ(sheet.calls.back(), "page 0");

  settings.calls.clear();
  clickRow(1);
  page.OnConnect();
  EXPECT_EQ(settings.calls.front(), "wep");
  EXPECT_EQ(working.EapSelection, 0);
  EXPECT_EQ(working.EnableSecurity, 1);
  // Nothing was applied: only the presence test reached the adapter.
  for (std::size_t i = requestsBefore; i < services.ndis.requests.size(); ++i)
    EXPECT_EQ(services.ndis.requests[i].oid, oid::k80211WepStatus);
  EXPECT_EQ(std::count(sheet.calls.begin(), sheet.calls.end(), "popup"), 0);
}

TEST_F(NetworksPageTest, ConnectWipesTheWorkingProfilesSecretsInPlace) {
  scanWith({Open("KESTREL_WEP").privacy(1)});
  WirelessProfile& working = services.records.working;
  std::vector<std::string*> secrets = {&working.SharedKey[0], &working.AdvancedPassword,
                                       &working.leapUserPasswd, &working.Passphrase};
  std::vector<const char*> buffers;
  for (std::string* secret : secrets) {
    *secret = std::string(40, 's');
    buffers.push_back(secret->data());
  }
  clickRow(0);
  page.OnConnect();  // handed to the settings page: nothing is written into them again
  for (std::size_t i = 0; i < secrets.size(); ++i) {
    EXPECT_TRUE(secrets[i]->empty()) << i;
    ASSERT_EQ(secrets[i]->data(), buffers[i]) << i;
    EXPECT_EQ(std::string(buffers[i], 40), std::string(40, '\0')) << i;
  }
}

TEST_F(NetworksPageTest, AdHocNetworksTakeTheirBandAndCentreFrequency) {
  scanWith({NetworkRecord().ssid("lab5").mode(0).channel(5180),
            NetworkRecord().ssid("lab24").mode(0).channel(2437, 0x0400)});
  clickRow(0);
  EXPECT_EQ(page.chosen().bandText, "(A)");
  page.OnConnect();
  EXPECT_EQ(services.records.current.NetworkConnectionType, 2);
  EXPECT_EQ(services.records.current.AdHocBand, 1);
  EXPECT_EQ(services.records.current.AdHocChannel, 5180);

  clickRow(1);
  EXPECT_EQ(page.chosen().bandText, "(G)");
  page.OnConnect();
  EXPECT_EQ(services.records.current.AdHocBand, 0);
  EXPECT_EQ(services.records.current.AdHocChannel, 2437);
}

TEST_F(NetworksPageTest, AnEmptyClickClearsTheNameUntilAScanEnablesConnectAgain) {
  scanWith({Open("KESTREL_11g")});
  clickRow(0);
  EXPECT_TRUE(sheet.connectEnabled);

  clickRow(-1);
  EXPECT_FALSE(sheet.connectEnabled);
  EXPECT_EQ(page.chosen().networkName, "");
  EXPECT_EQ(page.chosen().securityText, "none");  // the other texts stay

  scanWith({Open("KESTREL_11g")});
  EXPECT_TRUE(sheet.connectEnabled);
  page.OnConnect();  // connects with an empty name: the adapter joins any open network
  EXPECT_EQ(services.records.current.NetworkName, "");
  EXPECT_EQ(sheet.calls.back(), "popup");
}

TEST_F(NetworksPageTest, ConnectDoesNothingWhenTheAdapterDoesNotAnswer) {
  scanWith({Open("KESTREL_11g")});
  clickRow(0);
  services.ndis.answers.erase(oid::k80211WepStatus);
  services.records.working.NetworkName = "kept";
  sheet.calls.clear();
  page.OnConnect();
  EXPECT_EQ(services.records.working.NetworkName, "kept");
  EXPECT_EQ(sheet.calls, std::vector<std::string>{"enable Connect 0"});
  EXPECT_TRUE(settings.calls.empty());
}

TEST_F(NetworksPageTest, DoubleClickOnEmptySpaceForgetsNameAndSecurityWithoutConnecting) {
  scanWith({Open("KESTREL_11g")});
  clickRow(0);
  window.selected = -1;
  page.OnTableDoubleClick();
  EXPECT_EQ(page.chosen().networkName, "");
  EXPECT_EQ(page.chosen().securityText, "");
  EXPECT_FALSE(sheet.connectEnabled);
  EXPECT_TRUE(settings.calls.empty());
}

TEST_F(NetworksPageTest, HeaderClicksSortAscendingThenDescendingThenByAnotherColumn) {
  scanWith({Open("b-net").rssi(-70), Open("c-net").rssi(-40), Open("a-net").rssi(-90)});
  clickRow(2);  // "a-net": the selection follows its row

  page.OnHeaderClick(0);
  EXPECT_EQ(window.column(0), (std::vector<std::string>{"a-net", "b-net", "c-net"}));
  EXPECT_EQ(window.arrowColumn, 0);
  EXPECT_EQ(window.arrowDirection, SortDirection::Ascending);
  EXPECT_EQ(window.selected, 0);

  page.OnHeaderClick(0);
  EXPECT_EQ(window.column(0), (std::vector<std::string>{"c-net", "b-net", "a-net"}));
  EXPECT_EQ(window.arrowDirection, SortDirection::Descending);
  EXPECT_EQ(window.selected, 2);

  page.OnHeaderClick(4);  // signal texts " 17 %", " 51 %", "100 %"
  EXPECT_EQ(window.column(0), (std::vector<std::string>{"a-net", "b-net", "c-net"}));
  EXPECT_EQ(window.arrowColumn, 4);
  EXPECT_EQ(window.arrowDirection, SortDirection::Ascending);

  // A later click reads the row that is now at the clicked position.
  clickRow(2);
  EXPECT_EQ(page.chosen().networkName, "c-net");
}

TEST_F(NetworksPageTest, AltAAndAltLAreSwallowed) {
  EXPECT_TRUE(NetworksPage::SwallowsKey({true, 'A'}));
  EXPECT_TRUE(NetworksPage::SwallowsKey({true, 'L'}));
  EXPECT_FALSE(NetworksPage::SwallowsKey({true, 'S'}));
  EXPECT_FALSE(NetworksPage::SwallowsKey({false, 'A'}));
}

}  // namespace
}  // namespace kestrel
