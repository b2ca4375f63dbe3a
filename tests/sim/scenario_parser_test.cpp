// Scenario files: what they describe, and the line a malformed one is refused at.
#include <gtest/gtest.h>

#include <cstring>

#include "model/scenario_parser.h"

namespace kestrel::sim {
namespace {

TEST(ScenarioParser, ReadsTheAdapterFactsAndEachNetworkBlock) {
  const char text[] =
      "# two networks\r\n"
      "mac 00:0B:6B:00:00:01\r\n"
      "country US\n"
      "present no\n"
      "\n"
      "network Lab Net\n"
      "  bssid 00:11:22:33:44:55\n"
      "  channel 40\n"
      "  band a\n"
      "  security wpa2-psk\n"
      "  passphrase correct horse\n"
      "  rssi -71\n"
      "  load 1500\n"
      "  wmm yes\n"
      "network\n"
      "  security wep\n"
      "  key 0102030405060708090A0B0C0D\n"
      "  mode adhoc\n"
      "  band turbo\n"
      "  xr yes\n";
  Scenario scenario;
  std::string error;
  ASSERT_TRUE(ParseScenario(text, scenario, error)) << error;
  EXPECT_EQ(scenario.mac[5], 1);
  EXPECT_EQ(scenario.countryCode, 0x5553u);
  EXPECT_FALSE(scenario.present);
  EXPECT_EQ(scenario.loadKbps, 1500u);  // an adapter fact, also among a network's lines
  ASSERT_EQ(scenario.networks.size(), 2u);
  const NetworkSlot& lab = scenario.networks[0];
  EXPECT_EQ(NetworkSsid(lab), "Lab Net");
  EXPECT_EQ(lab.bssid[5], 0x55);
  EXPECT_EQ(lab.channelWord, 5200u);
  EXPECT_EQ(lab.security, Security::Wpa2Psk);
  EXPECT_EQ(std::string(lab.passphrase), "correct horse");
  EXPECT_EQ(lab.levelDbm, -71);
  EXPECT_EQ(lab.wmm, 1);
  const NetworkSlot& hidden = scenario.networks[1];
  EXPECT_EQ(hidden.ssidLength, 0u);
  EXPECT_EQ(hidden.keyLength, 13u);
  EXPECT_EQ(hidden.key[12], 0x0D);
  EXPECT_EQ(hidden.infrastructureMode, 0u);
  EXPECT_EQ(hidden.channelWord, 2437u | (0x0500u << 16));  // default channel 6, turbo
  EXPECT_EQ(hidden.xr, 1);
  EXPECT_NE(std::memcmp(lab.bssid, hidden.bssid, 6), 0);
}

struct Malformed {
  const char* text;
  const char* error;
};

TEST(ScenarioParser, RefusesAMalformedFileNamingTheLineAndKeepsTheOldScenario) {
  const Malformed cases[] = {
      {"network A\nchanel 6\n", "line 2: unknown keyword \"chanel\""},
      {"rssi -50\n", "line 1: \"rssi\" comes before any network line"},
      {"network A\n\nrssi loud\n",
       "line 3: rssi needs a whole number of dBm from -120 to -10, not \"loud\""},
      {"network A\nrssi -5\n",
       "line 2: rssi needs a whole number of dBm from -120 to -10, not \"-5\""},
      {"network A\nchannel 15\n",
       "line 2: channel needs 1 to 14 or a 5 GHz channel from 34 to 165, not \"15\""},
      {"network A\nchannel 36\nband g\n",
       "line 1: network \"A\": its channel does not lie in its band"},
      {"# c\nnetwork W\nsecurity wep\nnetwork B\n",
       "line 2: network \"W\" uses WEP but has no key"},
      {"network P\nsecurity wpa-psk\n", "line 1: network \"P\" uses WPA but has no passphrase"},
      {"network P\npassphrase short\n", "line 2: passphrase needs 8 to 63 characters"},
      {"network K\nkey 12345\n", "line 2: key needs 10, 26 or 32 hex digits"},
      {"network K\nkey 12345678XY\n", "line 2: key needs 10, 26 or 32 hex digits"},
      {"country jp\n", "line 1: country needs two capital letters such as JP"},
      {"load 100001\n",
       "line 1: load needs a whole number of kbit/s from 0 to 100000, not \"100001\""},
      {"network A\nload -1\n",
       "line 2: load needs a whole number of kbit/s from 0 to 100000, not \"-1\""},
      {"network 123456789012345678901234567890123\n", "line 1: an SSID holds at most 32 bytes"},
      {"network A\nbssid 00:11:22:33:44\n",
       "line 2: bssid needs six hex pairs such as 00:14:6C:5E:00:01"},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.text);
    Scenario scenario = DefaultScenario();
    std::string error;
    EXPECT_FALSE(ParseScenario(c.text, scenario, error));
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(scenario.networks.size(), DefaultScenario().networks.size());
  }
}

TEST(ScenarioParser, RefusesMoreNetworksThanTheAdapterHolds) {
  std::string text;
  for (std::uint32_t i = 0; i <= kMaxNetworks; ++i)
    text += "network N" + std::to_string(i) + "\n";
  Scenario scenario;
  std::string error;
  EXPECT_FALSE(ParseScenario(text, scenario, error));
  EXPECT_EQ(error, "line 33: more than 32 networks");
}

}  // namespace
}  // namespace kestrel::sim
