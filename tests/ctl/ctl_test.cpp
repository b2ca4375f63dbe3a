#include <gtest/gtest.h>

#include "ctl_command.h"
#include "ctl_runner.h"
#include "fakes/fake_dot1x_library.h"
#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell_ports.h"
#include "fakes/fake_system_ports.h"
#include "fakes/fake_user_prompt.h"
#include "network_list_builder.h"
#include "platform/registry_key.h"
#include "profiles/profile_messages.h"

namespace kestrel::ctl {
namespace {

using testing::NetworkListBytes;
using testing::NetworkRecord;

const std::string kDevice = "\\DEVICE\\{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}";
constexpr char kParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

std::optional<Command> Parse(std::vector<std::string> words) {
  std::string error;
  return ParseCommand(words, error);
}

TEST(ParseCommand, AcceptsEveryCommandAndRefusesTheRest) {
  EXPECT_EQ(Parse({"status"})->verb, Verb::Status);
  EXPECT_TRUE(Parse({"scan", "--json"})->json);
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
  bool has(const std::string& text) const {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }
  std::vector<std::string> lines;
  std::vector<std::string> errors;
};

class CtlTest : public ::testing::Test {
 protected:
  CtlTest() {
    ndis.adapters = {{kModelDescription, kDevice}};
    devices.devices = {{"PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D\\4&1",
                        "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007"}};
    registry.putKey(RegistryHive::LocalMachine, kParameters);
    ndis.answers[oid::k8023CurrentAddress] = {0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};
    ndis.answerWord(oid::kVndPreambleGet, 1);
    dot1xLibrary.adapters = {{{0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D}}};
  }

  void connected() {
    ndis.answerWord(oid::kVndConnectionState, 1);
    std::vector<std::uint8_t> ssid(36, 0);
    ssid[0] = 11;
    const std::string name = "KESTREL_11g";
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
    CtlContext context{services, discovery, clock, out, adapterFound};
    return command ? RunCommand(*command, context) : -1;
  }

  fakes::FakeNdisLibrary ndis;
  fakes::FakeCompletionEvents events;
  fakes::FakeDeviceSetup devices;
  fakes::FakeRegistry registry;
  fakes::FakeIpHelper ip;
  fakes::FakeFileInfo files;
  fakes::FakeGuidSource guids;
  fakes::FakeUserPrompt prompt;
  fakes::FakeClock clock;
  fakes::FakeDot1xLibrary dot1xLibrary;
  DiscardingDot1xDiagnostics diagnostics;
  RecordingOutput out;
  SystemKind system;
  AdapterIdentity identity;
  bool opened = false;
  bool adapterFound = false;
  const bool zeroConfig = false;
  Adapter adapter{ndis, events, opened, identity.current};
  AdapterDiscovery discovery{ndis, devices, system, identity};
  DriverParameters parameters{ndis, registry, system, identity};
  DriverVersion driverVersion{parameters, registry, files, system};
  Dot1xClient dot1x{dot1xLibrary, diagnostics};
  ProfileRecords records;
  CardConfigId cardConfigId{parameters, guids};
  ProfileStore store{registry, parameters, cardConfigId, prompt, system, records.list};
  DriverParameterMirror mirror{registry, parameters, cardConfigId, system, adapterFound};
  AppServices services{system, identity, adapter,      parameters, driverVersion,
                       ip,     files,    dot1x,        records,    store,
                       mirror, prompt,   adapterFound, zeroConfig, dot1x.dot1xAvailable()};
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

TEST_F(CtlTest, ScanRunsTheWholeCycleAndListsTheNetworks) {
  ndis.answers[oid::kVndBssList] =
      NetworkListBytes(2, {NetworkRecord().ssid("KESTREL_11g"),
                           NetworkRecord().ssid("Lab \"5G\"").channel(5180).privacy(1)});
  EXPECT_EQ(run({"scan", "--json"}), kExitSuccess);
  EXPECT_GE(clock.slept, 5000u);  // 102 ticks of 50 ms
  ASSERT_EQ(out.lines.size(), 4u);
  EXPECT_NE(out.lines[1].find("\"ssid\": \"KESTREL_11g\""), std::string::npos);
  EXPECT_NE(out.lines[2].find("\"ssid\": \"Lab \\\"5G\\\"\""), std::string::npos);
  EXPECT_NE(out.lines[2].find("\"security\": \"WEP\""), std::string::npos);
}

TEST_F(CtlTest, ARefusedPassphraseExitsWithFourAndTheMessage) {
  EXPECT_EQ(run({"connect", "KESTREL_WPA2", "--passphrase", "short"}), kExitRefused);
  EXPECT_EQ(out.errors, std::vector<std::string>({kWpaPassphraseLengthMessage}));
  EXPECT_TRUE(ndis.requests.empty() ||
              std::none_of(ndis.requests.begin(), ndis.requests.end(),
                           [](const auto& r) { return r.oid == oid::k80211Ssid; }));

  out.errors.clear();
  EXPECT_EQ(run({"connect", "KESTREL_WEP", "--wep-key", "0123456789A"}), kExitRefused);
  EXPECT_EQ(out.errors, std::vector<std::string>({kKeyLength26Message}));
  out.errors.clear();
  EXPECT_EQ(run({"connect", "KESTREL_WEP", "--wep-key", "01234567zz"}), kExitRefused);
  EXPECT_EQ(out.errors, std::vector<std::string>({kKeyLength10Message}));
}

TEST_F(CtlTest, ConnectRunsTheActivationSequence) {
  EXPECT_EQ(run({"connect", "KESTREL_WPA2", "--passphrase", "correct horse"}), kExitSuccess);
  EXPECT_TRUE(out.has("applied: yes"));
  EXPECT_EQ(records.current.NetworkName, "KESTREL_WPA2");
  EXPECT_EQ(records.current.EapSelection, 7);
  const auto ssidSet = std::find_if(ndis.requests.begin(), ndis.requests.end(),
                                    [](const auto& r) { return r.oid == oid::k80211Ssid; });
  ASSERT_NE(ssidSet, ndis.requests.end());
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

TEST_F(CtlTest, ProfilesAreSavedListedShownWithoutSecretsAndDeleted) {
  EXPECT_EQ(run({"profiles", "save", "Lab", "--ssid", "KESTREL_WEP", "--wep-key",
                 "00112233445566778899AABBCC"}),
            kExitSuccess);
  out.lines.clear();
  EXPECT_EQ(run({"profiles", "list"}), kExitSuccess);
  EXPECT_EQ(out.lines, std::vector<std::string>({"Lab"}));

  out.lines.clear();
  EXPECT_EQ(run({"profiles", "show", "Lab"}), kExitSuccess);
  EXPECT_TRUE(out.has("ssid: KESTREL_WEP"));
  EXPECT_TRUE(out.has("security: WEP"));
  for (const std::string& line : out.lines) {
    EXPECT_EQ(line.find("00112233"), std::string::npos) << line;
  }

  records.list.clear();  // a new process knows only what is stored
  EXPECT_EQ(run({"profiles", "delete", "Lab"}), kExitRefused);  // the question answered No
  prompt.answers = {true};
  EXPECT_EQ(run({"profiles", "delete", "Lab", "--yes"}), kExitSuccess);
  out.lines.clear();
  run({"profiles", "list"});
  EXPECT_TRUE(out.lines.empty());
}

TEST_F(CtlTest, ApplyingAMissingProfileIsRefused) {
  EXPECT_EQ(run({"profiles", "apply", "Nowhere"}), kExitRefused);
  EXPECT_EQ(out.errors, std::vector<std::string>({kProfileMissingMessage}));
}

TEST_F(CtlTest, InfoReportsTheIdentity) {
  ndis.answerWord(oid::kVndCountryCode, 0x4A50);
  ip.list = {{kModelDescription, "192.168.7.20"}};
  EXPECT_EQ(run({"info"}), kExitSuccess);
  EXPECT_TRUE(out.has("region: JP"));
  EXPECT_TRUE(out.has("mac: 00:0B:6B:3C:2E:9D"));
  EXPECT_TRUE(out.has("ip: 192.168.7.20"));
  EXPECT_TRUE(out.has("driver version: UnKnown"));
  EXPECT_TRUE(out.has("utility version: 2.0.0.6"));
}

TEST_F(CtlTest, StatsSamplesOncePerSecond) {
  connected();
  ndis.answers[oid::kVndStatistics] = std::vector<std::uint8_t>(168, 0);
  EXPECT_EQ(run({"stats", "--seconds", "3"}), kExitSuccess);
  EXPECT_EQ(out.lines.size(), 3u);
  EXPECT_EQ(clock.slept, 2000u);
}

}  // namespace
}  // namespace kestrel::ctl
