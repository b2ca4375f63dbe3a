#include <gtest/gtest.h>

#include "adapter/oid_conversions.h"
#include "ctl_command.h"
#include "ctl_machine.h"
#include "ctl_runner.h"
#include "fakes/fake_dot1x_library.h"
#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell_ports.h"
#include "fakes/fake_system_ports.h"
#include "fakes/fake_user_prompt.h"
#include "monitor/monitor_texts.h"
#include "network_list_builder.h"
#include "platform/registry_key.h"
#include "profiles/profile_messages.h"
#include "ui/information/identity_texts.h"

namespace kestrel::ctl {
namespace {

using testing::NetworkListBytes;
using testing::NetworkRecord;

std::optional<Command> Parse(std::vector<std::string> words) {
  std::string error;
  return ParseCommand(words, error);
}

TEST(ParseCommand, AcceptsEveryCommandAndRefusesTheRest) {
  EXPECT_EQ(Parse({"status"})->verb, Verb::Status);
  EXPECT_EQ(Parse({"scan", "--json"})->format, Format::Json);
  EXPECT_EQ(Parse({"profiles"})->verb, Verb::ProfilesList);
  EXPECT_EQ(Parse({"profiles", "show", "Office"})->name, "Office");
  EXPECT_EQ(Parse({"profiles", "save", "Lab", "--ssid", "lab", "--adhoc"})->ssid, "lab");
  EXPECT_EQ(*Parse({"connect", "net", "--passphrase", "p w"})->passphrase, "p w");
  EXPECT_EQ(Parse({"stats", "--seconds", "3"})->seconds, 3);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {},
           {"reboot"},
           {"connect"},
           {"connect", "--passphrase", "x"},
           {"connect", "n", "--wep-key", "00", "--passphrase", "p"},
           {"profiles", "save", "Lab"},
           {"profiles", "delete"},
           {"profiles", "rename", "a"},
           {"stats", "--seconds", "0"},
           {"stats", "--seconds", "5x"},
           {"status", "--verbose"},
           {"connect", "n", "--wep-key"}}) {
    std::string error;
    EXPECT_FALSE(ParseCommand(bad, error)) << (bad.empty() ? "(empty)" : bad[0]);
    EXPECT_FALSE(error.empty());
  }
}

class RecordingOutput : public CtlOutput {
 public:
  void line(const std::string& text) override { lines.push_back(text); }
  void error(const std::string& text) override { errors.push_back(text); }
  bool terminal() const override { return atTerminal; }
  void progress(const std::string& text) override { progressText += text; }
  void document(const std::string& utf8) override { documentText += utf8; }
  bool has(const std::string& text) const {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }
  std::vector<std::string> lines;
  std::vector<std::string> errors;
  bool atTerminal = false;
  std::string progressText;
  std::string documentText;
};

class CtlTest : public ::testing::Test, public CtlMachine {
 protected:
  void connected(const std::string& name = "KESTREL_11g") {
    ndis.answerWord(oid::kVndConnectionState, 1);
    std::vector<std::uint8_t> ssid(36, 0);
    ssid[0] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), ssid.begin() + 4);
    ndis.answers[oid::k80211Ssid] = ssid;
    ndis.answers[oid::k80211Bssid] = {0x00, 0x14, 0x6C, 0x5E, 0x00, 0x01};
    ndis.answerWord(oid::kVndChannelInfo, 2412 | (0x0400u << 16));
    ndis.answerWord(oid::kVndTxRate, 54);
    ndis.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(-50));
    ndis.answerWord(oid::k80211InfrastructureMode, 1);
    ndis.answerWord(oid::k80211WepStatus, 1);
  }

  int run(std::vector<std::string> words) {
    std::string error;
    const auto command = ParseCommand(words, error);
    EXPECT_TRUE(command) << error;
    CtlContext context{services, discovery, clock,    out,           adapterPresent, "Jun 30 2005",
                       codec,    ctlFiles,  registry, channelOpened, interrupted};
    return command ? RunCommand(*command, context) : -1;
  }

  RecordingOutput out;
};

TEST_F(CtlTest, AnAbsentAdapterExitsWithThree) {
  ndis.adapters.clear();
  EXPECT_EQ(run({"status"}), kExitAdapterAbsent);
  EXPECT_EQ(out.errors, std::vector<std::string>({"adapter: absent"}));
  EXPECT_TRUE(ndis.requests.empty());
  devices.devices.clear();
  EXPECT_EQ(run({"profiles", "list"}), kExitAdapterAbsent);
}

TEST_F(CtlTest, StatusShowsWhatThePanelShows) {
  connected();
  EXPECT_EQ(run({"status"}), kExitSuccess);
  EXPECT_TRUE(out.has("link: connected"));
  EXPECT_TRUE(out.has("ssid: KESTREL_11g"));
  EXPECT_TRUE(out.has("bssid: 00:14:6C:5E:00:01"));
  EXPECT_TRUE(out.has("rate: 54 Mbps"));
  EXPECT_TRUE(out.has("channel: Ch:  1(G)"));
  EXPECT_TRUE(out.has("signal: 92% (7 of 8 bars)"));
}

TEST_F(CtlTest, StatusWhileScanningSaysNotAssociated) {
  ndis.answerWord(oid::kVndConnectionState, 0);
  EXPECT_EQ(run({"status"}), kExitSuccess);
  EXPECT_TRUE(out.has("link: not associated"));
}

TEST_F(CtlTest, StatusInJsonHasTypedValuesThatAgreeWithTheTable) {
  connected();
  ASSERT_EQ(run({"status", "--json"}), kExitSuccess);
  ASSERT_EQ(out.lines.size(), 1u);
  EXPECT_EQ(out.lines[0],
            "{\"link\": \"connected\", \"state_code\": 1, \"ssid\": \"KESTREL_11g\", "
            "\"ssid_hex\": \"4B45535452454C5F313167\", \"bssid\": \"00:14:6C:5E:00:01\", "
            "\"mode\": \"infrastructure\", \"channel\": 1, \"band\": \"G\", "
            "\"frequency_mhz\": 2412, \"rate_mbps\": 54, \"signal_percent\": 92, "
            "\"signal_bars\": 7, \"rssi_dbm\": -50, \"encrypted\": false}");
  out.lines.clear();
  ASSERT_EQ(run({"status"}), kExitSuccess);
  EXPECT_TRUE(out.has("frequency: 2412 MHz"));
  EXPECT_TRUE(out.has("rssi: -50 dBm"));
  EXPECT_TRUE(out.has("mode: infrastructure"));
}

TEST_F(CtlTest, StatusInJsonWithoutALinkHasNullsWhereNothingIsKnown) {
  ndis.answerWord(oid::kVndConnectionState, 0);
  ASSERT_EQ(run({"status", "--json"}), kExitSuccess);
  EXPECT_EQ(out.lines[0],
            "{\"link\": \"not associated\", \"state_code\": 0, \"ssid\": null, \"ssid_hex\": null, "
            "\"bssid\": null, \"mode\": null, \"channel\": null, \"band\": null, "
            "\"frequency_mhz\": null, \"rate_mbps\": null, \"signal_percent\": 0, "
            "\"signal_bars\": 0, \"rssi_dbm\": null, \"encrypted\": false}");
}

TEST_F(CtlTest, ScanRunsTheWholeCycleAndListsTheNetworksInEachForm) {
  ndis.answers[oid::kVndBssList] = NetworkListBytes(
      2, {NetworkRecord().ssid("KESTREL_11g").rssi(-52),
          NetworkRecord().ssid("Lab \"5G\", a\\b").channel(5180).privacy(1).mode(0).rssi(-70)});
  EXPECT_EQ(run({"scan", "--json"}), kExitSuccess);
  EXPECT_GE(clock.slept, 5000u);  // 102 ticks of 50 ms
  ASSERT_EQ(out.lines.size(), 1u);
  const std::string& json = out.lines[0];
  EXPECT_EQ(json.front(), '[');
  EXPECT_NE(json.find("{\"ssid\": \"KESTREL_11g\", \"ssid_hex\": \"4B45535452454C5F313167\""),
            std::string::npos);
  EXPECT_NE(json.find("\"ssid\": \"Lab \\\"5G\\\", a\\\\b\""), std::string::npos);
  EXPECT_NE(json.find("\"channel\": 36, \"band\": \"A\", \"frequency_mhz\": 5180, "
                      "\"security\": \"WEP\", \"signal_percent\": 51, \"rssi_dbm\": -70, "
                      "\"mode\": \"adhoc\""),
            std::string::npos);
  EXPECT_EQ(json.find("\x83"), std::string::npos);  // no display text of the mode

  out.lines.clear();
  EXPECT_EQ(run({"scan", "--csv"}), kExitSuccess);
  ASSERT_EQ(out.lines.size(), 3u);
  EXPECT_EQ(out.lines[0],
            "ssid,ssid_hex,bssid,channel,band,frequency_mhz,security,signal_percent,rssi_dbm,"
            "mode,xr");
  EXPECT_EQ(out.lines[2].rfind("\"Lab \"\"5G\"\", a\\b\",4C6162", 0), 0u) << out.lines[2];
  EXPECT_NE(out.lines[2].find(",36,A,5180,WEP,51,-70,adhoc,no"), std::string::npos);
}

TEST_F(CtlTest, EmptyResultsSaySoOnATerminalOnly) {
  ndis.answers[oid::kVndBssList] = NetworkListBytes(0, {});
  run({"profiles", "list"});
  run({"scan"});
  EXPECT_TRUE(out.lines.empty());

  run({"profiles", "list", "--json"});
  run({"scan", "--json"});
  EXPECT_EQ(out.lines, std::vector<std::string>({"[]", "[]"}));

  out.lines.clear();
  out.atTerminal = true;
  run({"profiles", "list"});
  run({"scan"});
  EXPECT_EQ(out.lines, std::vector<std::string>({"no profiles", "no networks"}));
}

TEST_F(CtlTest, HelpAndVersionNeedNoAdapter) {
  ndis.adapters.clear();
  EXPECT_EQ(run({"--help"}), kExitSuccess);
  EXPECT_EQ(run({"help", "connect"}), kExitSuccess);
  EXPECT_EQ(run({"--version"}), kExitSuccess);
  ASSERT_EQ(out.lines.size(), 3u);
  EXPECT_EQ(out.lines[0] + "\n", UsageText());
  EXPECT_EQ(out.lines[1] + "\n", UsageText("connect"));
  EXPECT_EQ(out.lines[2], "kestrelctl 2.0.0.6");
  EXPECT_TRUE(ndis.requests.empty());
}

TEST_F(CtlTest, ARefusedSettingExitsWithFourAndThePagesMessage) {
  EXPECT_EQ(run({"connect", "KESTREL_WPA2", "--passphrase", "short"}), kExitRefused);
  EXPECT_EQ(prompt.notices, std::vector<std::string>({kWpaPassphraseLengthMessage}));
  EXPECT_TRUE(std::none_of(ndis.requests.begin(), ndis.requests.end(),
                           [](const auto& r) { return r.oid == oid::k80211Ssid; }));

  prompt.notices.clear();
  EXPECT_EQ(run({"connect", "KESTREL_WEP", "--wep-key", "0123456789A"}), kExitRefused);
  EXPECT_EQ(prompt.notices, std::vector<std::string>({kKeyLength26Message}));
  prompt.notices.clear();
  EXPECT_EQ(run({"connect", "KESTREL_WEP", "--wep-key", "01234567zz"}), kExitRefused);
  EXPECT_EQ(prompt.notices, std::vector<std::string>({kKeyLength10Message}));
  prompt.notices.clear();
  EXPECT_EQ(run({"connect", "Net", "--adhoc", "--passphrase", "long enough"}), kExitRefused);
  EXPECT_EQ(out.errors.back(), "WPA-PSK: not for ad hoc networks");
  EXPECT_EQ(run({"connect", std::string(33, 'n')}), kExitRefused);
  EXPECT_EQ(out.errors.back(), "SSID: longer than the 32 characters the page takes");
}

TEST_F(CtlTest, WpaPskIsNotOfferedWithoutThe8021XClient) {
  dot1xLibrary.adapters.clear();  // the client does not know the card
  EXPECT_EQ(run({"connect", "KESTREL_WPA2", "--passphrase", "correct horse"}), kExitRefused);
  EXPECT_EQ(out.errors,
            std::vector<std::string>({"WPA-PSK: not offered without the 802.1X client"}));
}

TEST_F(CtlTest, ConnectRunsTheSettingsPagesActivation) {
  EXPECT_EQ(run({"connect", "KESTREL_WPA2", "--passphrase", "correct horse", "--no-wait"}),
            kExitSuccess);
  EXPECT_TRUE(out.has("applied: yes"));
  EXPECT_EQ(records.current.NetworkName, "KESTREL_WPA2");
  EXPECT_EQ(records.current.EapSelection, 7);
  const auto ssidSet = std::find_if(ndis.requests.begin(), ndis.requests.end(),
                                    [](const auto& r) { return r.oid == oid::k80211Ssid; });
  ASSERT_NE(ssidSet, ndis.requests.end());
  // --no-wait: nothing is asked of the link after the push.
  EXPECT_TRUE(std::none_of(ssidSet, ndis.requests.end(),
                           [](const auto& r) { return r.oid == oid::kVndConnectionState; }));
  const std::string base = std::string(kParameters) + "\\CustomParams\\Configurations";
  EXPECT_NE(registry.value(RegistryHive::LocalMachine, base + "\\VirtualProfile", "NetworkName"),
            nullptr);
  EXPECT_EQ(RegistryValueText(
                *registry.value(RegistryHive::LocalMachine, base, "ConfigurationProfileName")),
            "New Profile");
  // The passphrase reached the 802.1X client, not the registry in clear.
  EXPECT_NE(std::find(dot1xLibrary.calls.begin(), dot1xLibrary.calls.end(),
                      "AcContextConfigWpaEx(adapter#1, 1, \"correct horse\", \"KESTREL_WPA2\", 0, "
                      "0)"),
            dot1xLibrary.calls.end());
  for (const auto& write : registry.written) {
    EXPECT_EQ(RegistryValueText(write.value).find("correct horse"), std::string::npos)
        << write.name;
  }
}

TEST_F(CtlTest, ConnectWaitsUntilTheLinkIsUpOnTheNetworkAsked) {
  ndis.answerWord(oid::kVndConnectionState, 0);
  clock.at.push_back({1000, [this] { ndis.answerWord(oid::kVndConnectionState, 3); }});
  clock.at.push_back({2000, [this] { connected("KESTREL_WEP"); }});
  EXPECT_EQ(run({"connect", "KESTREL_WEP", "--wep-key", "1234567890", "--wait", "8"}),
            kExitSuccess);
  EXPECT_TRUE(out.has("connected: KESTREL_WEP"));
  EXPECT_GE(clock.slept, 2000u);
  EXPECT_LT(clock.slept, 3000u);
  EXPECT_TRUE(out.progressText.empty());  // not a terminal
}

TEST_F(CtlTest, ALinkThatStaysDownExitsWithFiveWhenTheWaitRunsOut) {
  ndis.answerWord(oid::kVndConnectionState, 0);
  EXPECT_EQ(run({"connect", "KESTREL_WEP", "--wep-key", "0987654321", "--wait", "8"}),
            kExitNotConnected);
  EXPECT_GE(clock.slept, 8000u);
  EXPECT_LE(clock.slept, 8500u);
  EXPECT_EQ(out.errors, std::vector<std::string>({std::string("not connected after 8 s (last "
                                                              "seen: ") +
                                                  monitor_texts::kLinkScanning + ")"}));
}

TEST_F(CtlTest, ALinkUpOnAnotherNetworkIsNotConnected) {
  connected("KESTREL_11g");
  EXPECT_EQ(run({"connect", "KESTREL_WEP", "--wep-key", "1234567890", "--wait", "2"}),
            kExitNotConnected);
  EXPECT_EQ(out.errors,
            std::vector<std::string>({"not connected after 2 s (last seen: KESTREL_11g)"}));
}

TEST_F(CtlTest, ProgressShowsThePanelsTextsOnATerminal) {
  out.atTerminal = true;
  ndis.answerWord(oid::kVndConnectionState, 0);
  clock.at.push_back({1000, [this] { ndis.answerWord(oid::kVndConnectionState, 2); }});
  clock.at.push_back({2000, [this] { connected("KESTREL_WEP"); }});
  EXPECT_EQ(run({"connect", "KESTREL_WEP", "--wep-key", "1234567890"}), kExitSuccess);
  // A poll every 500 ms: scanning, then authenticating twice, then the network.
  EXPECT_EQ(out.progressText, std::string(monitor_texts::kLinkScanning) + " " +
                                  monitor_texts::kAuthenticating + ". KESTREL_WEP\n");
}

TEST_F(CtlTest, ARefusedPushExitsWithFour) {
  ndis.failingOids[oid::k80211Ssid] = 0xC0000001;
  EXPECT_EQ(run({"connect", "KESTREL_11g"}), kExitRefused);
  EXPECT_EQ(out.errors, std::vector<std::string>({"applied: no (the adapter refused a setting)"}));
}

TEST_F(CtlTest, ProfilesAreSavedListedShownWithoutSecretsAppliedAndDeleted) {
  EXPECT_EQ(run({"profiles", "save", "Lab", "--ssid", "KESTREL_WEP", "--wep-key",
                 "00112233445566778899AABBCC"}),
            kExitSuccess);
  out.lines.clear();
  EXPECT_EQ(run({"profiles", "list"}), kExitSuccess);
  EXPECT_EQ(out.lines, std::vector<std::string>({"Lab"}));
  out.lines.clear();
  EXPECT_EQ(run({"profiles", "list", "--json"}), kExitSuccess);
  EXPECT_EQ(out.lines, std::vector<std::string>({"[\"Lab\"]"}));

  out.lines.clear();
  EXPECT_EQ(run({"profiles", "show", "Lab"}), kExitSuccess);
  EXPECT_TRUE(out.has("ssid: KESTREL_WEP"));
  EXPECT_TRUE(out.has("security: WEP"));
  EXPECT_TRUE(out.has("fragmentation threshold: 2346"));
  EXPECT_EQ(run({"profiles", "show", "Lab", "--json"}), kExitSuccess);
  EXPECT_EQ(out.lines.back(),
            "{\"name\": \"Lab\", \"ssid\": \"KESTREL_WEP\", \"ssid_hex\": "
            "\"4B45535452454C5F574550\", \"mode\": \"infrastructure\", \"security\": \"WEP\", "
            "\"wireless_modes\": 13, \"transmit_key\": 1, \"fragmentation_threshold\": 2346, "
            "\"rts_threshold\": 2346, \"power_save\": 2, \"wmm\": 1}");
  for (const std::string& line : out.lines) {
    EXPECT_EQ(line.find("00112233"), std::string::npos) << line;
  }

  connected("KESTREL_WEP");
  EXPECT_EQ(run({"profiles", "apply", "Lab"}), kExitSuccess);
  EXPECT_TRUE(out.has("connected: KESTREL_WEP"));
  EXPECT_EQ(records.current.SharedKey[0], "00112233445566778899AABBCC");
  const std::string base = std::string(kParameters) + "\\CustomParams\\Configurations";
  EXPECT_EQ(RegistryValueText(
                *registry.value(RegistryHive::LocalMachine, base, "ConfigurationProfileName")),
            "Lab");

  records.list.clear();  // a new process knows only what is stored
  EXPECT_EQ(run({"profiles", "delete", "Lab"}), kExitRefused);  // the question answered No
  prompt.answers = {true};
  EXPECT_EQ(run({"profiles", "delete", "Lab", "--yes"}), kExitSuccess);
  out.lines.clear();
  run({"profiles", "list"});
  EXPECT_TRUE(out.lines.empty());
}

// Every command first reads the stored list; a full one is read and listed whole.
TEST_F(CtlTest, AFullStoreIsListedWhole) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < ProfileList::kMaxNames; ++i) {
    names.push_back("n" + std::to_string(i));
    ASSERT_EQ(run({"profiles", "save", names.back(), "--ssid", "KESTREL_Open"}), kExitSuccess)
        << names.back();
  }
  records.list.clear();
  out.lines.clear();
  EXPECT_EQ(run({"profiles", "list"}), kExitSuccess);
  EXPECT_EQ(out.lines, names);
}

TEST_F(CtlTest, ApplyingAMissingProfileIsRefused) {
  EXPECT_EQ(run({"profiles", "apply", "Nowhere"}), kExitRefused);
  EXPECT_EQ(out.errors, std::vector<std::string>({kProfileMissingMessage}));
}

TEST_F(CtlTest, InfoShowsWhatTheInformationPageShows) {
  ipHelper.list = {{kModelDescription, "192.168.7.20"}};
  EXPECT_EQ(run({"info"}), kExitSuccess);
  const std::string japan = RegionName("JP").substr(1);
  EXPECT_TRUE(out.has("region: " + japan + " (JP)"));
  EXPECT_TRUE(out.has("mac: 00:0B:6B:3C:2E:9D"));
  EXPECT_TRUE(out.has("ip: 192.168.7.20"));
  EXPECT_TRUE(out.has("driver version: UnKnown"));
  EXPECT_TRUE(out.has("utility version: 2.0.0.6"));
  EXPECT_TRUE(out.has("utility date: Jun. 30, 2005"));
}

TEST_F(CtlTest, InfoTakesThePagesFallbacksForRegionAndDriver) {
  ndis.answerWord(oid::kVndCountryCode, PackCountryCode("NA"));
  registry.putValue(RegistryHive::LocalMachine, kParameters, "ccode",
                    RegistryStringValue("JP", true));
  registry.putValue(RegistryHive::LocalMachine, kParameters, "DriverVersion",
                    RegistryStringValue("5.1.0.22", true));
  registry.putValue(RegistryHive::LocalMachine, kParameters, "DriverDate",
                    RegistryStringValue(" 6-30-2005", true));
  EXPECT_EQ(run({"info", "--json"}), kExitSuccess);
  ASSERT_EQ(out.lines.size(), 1u);
  EXPECT_EQ(out.lines[0], "{\"country_code\": \"JP\", \"region\": \"" + RegionName("JP").substr(1) +
                              "\", \"mac\": \"00:0B:6B:3C:2E:9D\", \"ip\": null, "
                              "\"driver_version\": \"5.1.0.22\", \"driver_date\": \"6-30-2005\", "
                              "\"utility_version\": \"2.0.0.6\", \"utility_date\": \"Jun. 30, "
                              "2005\"}");
}

TEST_F(CtlTest, StatsSamplesOncePerSecondInEitherForm) {
  connected();
  ndis.answers[oid::kVndStatistics] = std::vector<std::uint8_t>(168, 0);
  ndis.answers[oid::kGenMediaConnectStatus] = std::vector<std::uint8_t>(10, 0);  // connected
  ndis.answerWord(oid::kGenXmitOk, 120);
  EXPECT_EQ(run({"stats", "--seconds", "3"}), kExitSuccess);
  EXPECT_EQ(out.lines.size(), 3u);
  EXPECT_EQ(clock.slept, 2000u);
  EXPECT_EQ(out.lines[1].rfind("tx 0.00 Mbps 0 pkt/s total 120 errors", 0), 0u) << out.lines[1];

  out.lines.clear();
  EXPECT_EQ(run({"stats", "--seconds", "2", "--json"}), kExitSuccess);
  ASSERT_EQ(out.lines.size(), 2u);
  EXPECT_EQ(out.lines[1].rfind("{\"second\": 1, \"available\": true, \"tx_mbps\": 0.00, "
                               "\"rx_mbps\": 0.00, \"tx_packets_per_second\": 0, "
                               "\"rx_packets_per_second\": ",
                               0),
            0u)
      << out.lines[1];
  EXPECT_NE(out.lines[1].find("\"tx_packets\": 120"), std::string::npos);
  EXPECT_NE(out.lines[1].find("\"load_percent\": 0}"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::ctl
