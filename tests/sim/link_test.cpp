// The link after an SSID set: stages, timing, fallbacks, removal, signal and traffic.
#include <gtest/gtest.h>

#include "model/simulated_link.h"
#include "profiles/wireless_profile.h"
#include "sim_test_support.h"

namespace kestrel::sim {
namespace {

class LinkTest : public ::testing::Test, protected testing::SimFixture {
 protected:
  std::vector<std::uint32_t> statesEvery100ms(int ticks) {
    std::vector<std::uint32_t> seen;
    for (int i = 0; i < ticks; ++i) {
      seen.push_back(state());
      after(100);
    }
    return seen;
  }
  // The byte counters of the statistics block, which stays in `block` for a look at the rest.
  TrafficBytes statistics() {
    EXPECT_EQ(query(oid::kVndStatistics, block, sizeof block).status, kStatusSuccess);
    return {ReadLe32(block + 32) | std::uint64_t{ReadLe32(block + 36)} << 32,
            ReadLe32(block + 104) | std::uint64_t{ReadLe32(block + 108)} << 32};
  }
  std::uint8_t block[oid::kStatisticsSize] = {};

  std::string ssidText() {
    std::uint8_t record[oid::kSsidRecordSize] = {};
    EXPECT_EQ(query(oid::k80211Ssid, record, sizeof record).status, kStatusSuccess);
    return std::string(reinterpret_cast<char*>(record + 4), ReadLe32(record));
  }
};

TEST_F(LinkTest, AnOpenNetworkScansThenConnectsThenIsConnected) {
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  const std::vector<std::uint32_t> expected = {0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 1, 1};
  EXPECT_EQ(statesEvery100ms(13), expected);
  EXPECT_TRUE(IsConnected(shared));
  EXPECT_EQ(ssidText(), "KESTREL_Open");
  std::uint8_t bssid[6] = {};
  ASSERT_EQ(query(oid::k80211Bssid, bssid, 6).status, kStatusSuccess);
  EXPECT_EQ(bssid[5], 0x0A);
  EXPECT_EQ(word(oid::kVndChannelInfo), 2412u | (0x0400u << 16));
  EXPECT_EQ(word(oid::kVndTxRate), 54u);
  EXPECT_EQ(static_cast<std::int32_t>(word(oid::k80211Rssi)), -56);
  EXPECT_EQ(word(oid::kGenMediaConnectStatus), 0u);
}

TEST_F(LinkTest, AWepNetworkAuthenticatesWithTheKeyAddedAfterTheSsid) {
  security(1, 2, 0);
  setSsid("KESTREL_WEP");
  addWep(0x80000000u, {0x12, 0x34, 0x56, 0x78, 0x90});
  after(600);
  EXPECT_EQ(state(), 3u);
  after(500);
  EXPECT_EQ(state(), 2u);
  after(499);
  EXPECT_EQ(state(), 2u);
  after(1);
  EXPECT_EQ(state(), 1u);
  EXPECT_EQ(word(oid::kVndTxRate), 11u);  // 802.11b
}

TEST_F(LinkTest, AWrongWepKeyFallsBackToScanningAndStaysThere) {
  security(1, 2, 0);
  setSsid("KESTREL_WEP");
  addWep(0x80000000u, {0x12, 0x34, 0x56, 0x78, 0x91});
  after(1600);
  EXPECT_EQ(state(), 0u);
  EXPECT_EQ(shared.lastFailure, LinkFailure::WrongKey);
  after(10'000);
  EXPECT_EQ(state(), 0u);
  std::uint8_t bssid[6];
  EXPECT_EQ(query(oid::k80211Bssid, bssid, 6).status, kStatusAdapterNotReady);

  // The next push sets the SSID again, with the right key this time.
  setSsid("KESTREL_WEP");
  addWep(0x80000000u, {0x12, 0x34, 0x56, 0x78, 0x90});
  after(1600);
  EXPECT_EQ(state(), 1u);
}

TEST_F(LinkTest, WpaPskWaitsInAuthenticatingForTheClientsPassphrase) {
  security(1, 9, 6);
  setSsid("KESTREL_WPA2");
  after(1100);
  EXPECT_EQ(state(), 2u);
  after(30'000);
  EXPECT_EQ(state(), 2u);
  adapter.reportDot1xPassphrase("kestrel-wpa2-psk");
  EXPECT_EQ(state(), 1u);
  EXPECT_NE(word(oid::k80211WepStatus), 1u);
}

TEST_F(LinkTest, AWrongPassphraseFallsBackToScanning) {
  security(1, 4, 6);
  setSsid("KESTREL_WPA");
  adapter.reportDot1xPassphrase("not-the-passphrase");
  after(1100);
  EXPECT_EQ(state(), 2u);
  after(500);
  EXPECT_EQ(state(), 0u);
  EXPECT_EQ(shared.lastFailure, LinkFailure::WrongKey);
}

TEST_F(LinkTest, AReportFromBeforeTheSsidSetDoesNotCount) {
  security(1, 9, 6);
  adapter.reportDot1xPassphrase("kestrel-wpa2-psk");
  setSsid("KESTREL_WPA2");
  after(5000);
  EXPECT_EQ(state(), 2u);
}

TEST_F(LinkTest, SecurityThatDoesNotSuitTheNetworkFallsBackAfterConnecting) {
  security(1, 0, 1);  // no encryption towards a WEP network
  setSsid("KESTREL_WEP");
  after(600);
  EXPECT_EQ(state(), 3u);
  after(500);
  EXPECT_EQ(state(), 0u);
  EXPECT_EQ(shared.lastFailure, LinkFailure::Encryption);

  security(1, 0, 1);  // infrastructure towards an ad hoc network
  setSsid("KESTREL_AdHoc");
  after(1100);
  EXPECT_EQ(state(), 0u);
  EXPECT_EQ(shared.lastFailure, LinkFailure::NetworkType);
}

TEST_F(LinkTest, AnAdHocNetworkReportsStateFour) {
  security(0, 0, 1);
  setSsid("KESTREL_AdHoc");
  after(1100);
  EXPECT_EQ(state(), 4u);
}

TEST_F(LinkTest, AnyOrAnEmptySsidJoinsTheFirstOpenNetwork) {
  for (std::string_view any : {"Any", "ANY", ""}) {
    SCOPED_TRACE(std::string(any));
    security(1, 0, 1);
    setSsid(any);
    after(1100);
    EXPECT_EQ(state(), 1u);
    EXPECT_EQ(ssidText(), "KESTREL_Open");
  }
  adapter.setNetworkLevel("KESTREL_Open", -100);
  setSsid("any");
  after(1100);
  EXPECT_EQ(ssidText(), "KESTREL_Turbo");  // the ad hoc one does not suit infrastructure
}

TEST_F(LinkTest, ANetworkOutOfRangeIsJoinedOnceItComesIntoRange) {
  security(1, 0, 1);
  adapter.setNetworkLevel("KESTREL_Turbo", -95);
  setSsid("KESTREL_Turbo");
  after(5000);
  EXPECT_EQ(state(), 0u);
  EXPECT_EQ(shared.lastFailure, LinkFailure::NotInRange);
  adapter.setNetworkLevel("KESTREL_Turbo", -70);
  after(1100);
  EXPECT_EQ(state(), 1u);
  EXPECT_EQ(word(oid::kVndChannelInfo), 5210u | (0x0100u << 16));
  EXPECT_EQ(word(oid::kVndTxRate), 108u);

  adapter.setNetworkLevel("KESTREL_Turbo", -100);  // walks out of range
  EXPECT_EQ(state(), 0u);
  EXPECT_EQ(word(oid::kGenMediaConnectStatus), 1u);
  adapter.setNetworkLevel("KESTREL_Turbo", -60);
  after(1100);
  EXPECT_EQ(state(), 1u);
}

TEST_F(LinkTest, RemovalFailsEveryRequestButHardwareStatusAndReinsertionRejoins) {
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  after(1100);
  ASSERT_EQ(state(), 1u);
  adapter.setPresent(false);
  EXPECT_EQ(word(oid::kGenHardwareStatus), kHardwareNotReady);
  std::uint8_t bytes[4];
  EXPECT_EQ(query(oid::kVndConnectionState, bytes, 4).status, kStatusAdapterNotReady);
  EXPECT_EQ(setWord(oid::kVndCountryCode, 0x5553).status, kStatusAdapterNotReady);
  EXPECT_FALSE(IsConnected(shared));

  adapter.setPresent(true);
  EXPECT_EQ(word(oid::kGenHardwareStatus), 0u);
  EXPECT_EQ(state(), 0u);
  after(1100);
  EXPECT_EQ(state(), 1u);
}

TEST_F(LinkTest, TrafficGrowsOnlyWhileConnectedAndTheCountersAgree) {
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  after(1000);
  EXPECT_EQ(statistics().tx, 0u);
  after(100);
  ASSERT_EQ(state(), 1u);
  TrafficBytes last = statistics();
  std::uint64_t rxSeconds = 0;
  for (int second = 0; second < 128; ++second) {
    after(1000);
    const TrafficBytes now = statistics();
    EXPECT_GT(now.tx, last.tx);
    EXPECT_GT(now.rx, last.rx);
    rxSeconds += now.rx - last.rx;
    last = now;
    EXPECT_EQ(word(oid::kGenXmitOk), static_cast<std::uint32_t>(ReadLe32(block + 0)));
    EXPECT_EQ(word(oid::kGenRcvOk), static_cast<std::uint32_t>(ReadLe32(block + 72)));
    EXPECT_EQ(word(oid::kGenXmitError), static_cast<std::uint32_t>(ReadLe32(block + 16)));
    EXPECT_LT(word(oid::kGenRcvError) * 1000, word(oid::kGenRcvOk));
  }
  // Two periods at the default load, two thirds of it received.
  EXPECT_NEAR(static_cast<double>(rxSeconds) / 128, kDefaultLoadKbps * 1000 / 8 * 0.67, 2);
  EXPECT_GT(word(oid::kGenRcvError), 0u);
  EXPECT_GT(word(oid::kGenXmitError), 0u);

  // A removal ends the link and keeps what it carried.
  adapter.setPresent(false);
  after(5000);
  adapter.setPresent(true);
  EXPECT_EQ(statistics().rx, last.rx);
  after(1100);
  ASSERT_EQ(state(), 1u);
  after(1000);
  EXPECT_GT(statistics().rx, last.rx);
}

TEST_F(LinkTest, TheScenarioSetsTheLoadWithinWhatTheLinkCanCarry) {
  Scenario quiet = DefaultScenario();
  quiet.loadKbps = 800;
  adapter.loadScenario(quiet);
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  after(1100);
  ASSERT_EQ(state(), 1u);
  const TrafficBytes start = statistics();
  after(64'000);
  const TrafficBytes end = statistics();
  EXPECT_EQ(end.rx + end.tx - start.rx - start.tx, 64u * 800 * 1000 / 8);  // exactly the mean

  Scenario busy = DefaultScenario();
  busy.loadKbps = 100'000;
  adapter.loadScenario(busy);
  security(1, 0, 1);
  setSsid("KESTREL_XR");  // 3 Mbit/s: a sixth of it
  after(1100);
  ASSERT_EQ(state(), 1u);
  const TrafficBytes xrStart = statistics();
  after(64'000);
  const TrafficBytes xrEnd = statistics();
  EXPECT_EQ(xrEnd.rx + xrEnd.tx - xrStart.rx - xrStart.tx, 64u * 500'000 / 8);
}

TEST_F(LinkTest, TheDefaultNetworkTakesTheFactoryDefaultProfile) {
  const WirelessProfile factory;
  security(1, 9, 6);
  setSsid(factory.NetworkName);
  after(1600);
  EXPECT_EQ(state(), 2u);
  adapter.reportDot1xPassphrase(factory.Passphrase);
  EXPECT_EQ(state(), 1u);
  EXPECT_EQ(ssidText(), "KESTREL_11g");
}

TEST_F(LinkTest, TheSignalWalksAroundTheNetworksLevelWithinItsSpan) {
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  after(1100);
  random.fallback = 2;  // every step up
  after(20 * kWalkStepMs);
  EXPECT_EQ(static_cast<std::int32_t>(word(oid::k80211Rssi)), -56 + kWalkSpanDb);
  random.fallback = 0;  // every step down
  after(20 * kWalkStepMs);
  EXPECT_EQ(static_cast<std::int32_t>(word(oid::k80211Rssi)), -56 - kWalkSpanDb);
}

TEST_F(LinkTest, AWeakLinkRaisesTheLinkFlagAndLowersTheRate) {
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  after(1100);
  std::uint8_t flags[12] = {};
  ASSERT_EQ(query(oid::kVndLinkFlags, flags, 12).status, kStatusSuccess);
  EXPECT_EQ(ReadLe32(flags + 4) & 2, 0u);
  adapter.setNetworkLevel("KESTREL_Open", -90);
  ASSERT_EQ(query(oid::kVndLinkFlags, flags, 12).status, kStatusSuccess);
  EXPECT_EQ(ReadLe32(flags + 4) & 2, 2u);
  EXPECT_EQ(word(oid::kVndTxRate), 18u);
}

TEST_F(LinkTest, TheExtendedRangeNetworkReportsItsRateInKilobits) {
  security(1, 0, 1);
  setSsid("KESTREL_XR");
  after(1100);
  ASSERT_EQ(state(), 1u);
  EXPECT_EQ(word(oid::kVndTxRate), 0x80000000u | 3000u);
}

}  // namespace
}  // namespace kestrel::sim
