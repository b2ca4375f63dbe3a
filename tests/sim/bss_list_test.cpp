// The vendor network list built from the scenario, byte by byte.
#include <gtest/gtest.h>

#include <string>

#include "model/bss_list.h"
#include "sim_test_support.h"

namespace kestrel::sim {
namespace {

class BssListTest : public ::testing::Test, protected testing::SimFixture {
 protected:
  // The list as the driver answers it, and the offset of each record.
  void read() {
    block.assign(oid::kBssListSize, 0xEE);
    const RequestResult result = query(oid::kVndBssList, block.data(), oid::kBssListSize);
    ASSERT_EQ(result.status, kStatusSuccess);
    ASSERT_EQ(result.written, oid::kBssListSize);
    records.clear();
    std::uint32_t offset = 4;
    for (std::uint32_t i = 0; i < ReadLe32(block.data()); ++i) {
      records.push_back(offset);
      const std::uint32_t length = ReadLe32(&block[offset]);
      ASSERT_GE(length, kBssRecordHeaderSize + ReadLe32(&block[offset + 132]));
      ASSERT_EQ(length % 4, 0u);
      offset += length;
      ASSERT_LE(offset, oid::kBssListSize);
    }
  }
  const std::uint8_t* record(std::string_view ssid) {
    for (std::uint32_t offset : records) {
      const std::uint8_t* r = &block[offset];
      if (std::string(reinterpret_cast<const char*>(r + 16), ReadLe32(r + 12)) == ssid)
        return r;
    }
    ADD_FAILURE() << "no record for " << ssid;
    static const std::uint8_t empty[200] = {};
    return empty;
  }
  // The tagged element `id` (and, for 221, whose body starts with `prefix`), or empty.
  std::vector<std::uint8_t> element(const std::uint8_t* r, std::uint8_t id,
                                    std::vector<std::uint8_t> prefix = {}) {
    const std::uint32_t ieLength = ReadLe32(r + 132);
    const std::uint8_t* ie = r + kBssRecordHeaderSize;
    for (std::uint32_t pos = 12; pos + 2 <= ieLength; pos += 2u + ie[pos + 1]) {
      std::vector<std::uint8_t> body(ie + pos + 2, ie + pos + 2 + ie[pos + 1]);
      if (ie[pos] == id && std::equal(prefix.begin(), prefix.end(), body.begin()))
        return body;
    }
    return {};
  }

  std::vector<std::uint8_t> block;
  std::vector<std::uint32_t> records;
};

TEST_F(BssListTest, EveryAudibleNetworkOfTheDefaultScenarioHasARecordInOrder) {
  read();
  ASSERT_EQ(records.size(), DefaultScenario().networks.size());
  const std::uint8_t* first = &block[records[0]];
  const std::uint8_t bssid[6] = {0x00, 0x14, 0x6C, 0x5E, 0x00, 0x01};
  EXPECT_EQ(std::memcmp(first + 4, bssid, 6), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(first + 16)), "KESTREL_11g");
  EXPECT_EQ(ReadLe32(first + 48), 1u);  // WPA-PSK: privacy
  EXPECT_EQ(static_cast<std::int32_t>(ReadLe32(first + 52)), -52);
  EXPECT_EQ(ReadLe32(first + 92), 1u);
  EXPECT_EQ(ReadLe32(first + 112), 2412u | (0x0400u << 16));
  // Past the last record the zeroed buffer stays zero.
  const std::uint32_t end = records.back() + ReadLe32(&block[records.back()]);
  EXPECT_EQ(block[end], 0);
  EXPECT_EQ(block[oid::kBssListSize - 1], 0);
}

TEST_F(BssListTest, AWpa2PskRecordCarriesAnRsnElementWithThePskSuite) {
  read();
  const std::uint8_t* r = record("KESTREL_WPA2");
  EXPECT_EQ(ReadLe32(r + 48), 1u);  // privacy
  const std::vector<std::uint8_t> rsn = element(r, 48);
  const std::vector<std::uint8_t> expected = {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01,
                                              0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01, 0x00,
                                              0x00, 0x0F, 0xAC, 0x02, 0x00, 0x00};
  EXPECT_EQ(rsn, expected);
  EXPECT_TRUE(element(r, 221, {0x00, 0x50, 0xF2, 0x01}).empty());
  // The RSN element comes before the WMM element, which would end a survey's walk.
  EXPECT_FALSE(element(r, 221, {0x00, 0x50, 0xF2, 0x02}).empty());
}

TEST_F(BssListTest, WpaAnd8021xRecordsCarryTheirKeyManagementSuites) {
  read();
  const std::vector<std::uint8_t> wpa =
      element(record("KESTREL_WPA"), 221, {0x00, 0x50, 0xF2, 0x01});
  ASSERT_EQ(wpa.size(), 22u);
  EXPECT_EQ(std::vector<std::uint8_t>(wpa.end() - 4, wpa.end()),
            (std::vector<std::uint8_t>{0x00, 0x50, 0xF2, 0x02}));
  const std::vector<std::uint8_t> rsn = element(record("KESTREL_Corp"), 48);
  ASSERT_EQ(rsn.size(), 20u);
  EXPECT_EQ(rsn[17], 0x01);  // 802.1X
}

TEST_F(BssListTest, ChannelWordsXrFlagAndModeFollowTheNetwork) {
  read();
  EXPECT_EQ(ReadLe32(record("KESTREL_5GHz") + 112), 5180u);
  EXPECT_EQ(ReadLe32(record("KESTREL_5GHz") + 56), 2u);  // OFDM at 5 GHz
  EXPECT_TRUE(element(record("KESTREL_5GHz"), 3).empty());
  EXPECT_EQ(ReadLe32(record("KESTREL_Turbo") + 112), 5210u | (0x0100u << 16));
  EXPECT_EQ(record("KESTREL_XR")[120], 1);
  EXPECT_EQ(record("KESTREL_11g")[120], 0);
  EXPECT_EQ(ReadLe32(record("KESTREL_Open") + 48), 0u);
  EXPECT_EQ(ReadLe32(record("KESTREL_AdHoc") + 92), 0u);
  EXPECT_EQ(element(record("KESTREL_AdHoc"), 3), (std::vector<std::uint8_t>{3}));
  EXPECT_EQ(ReadLe32(record("KESTREL_WEP") + 48), 1u);
}

TEST_F(BssListTest, ANetworkOutOfRangeIsNotListed) {
  adapter.setNetworkLevel("KESTREL_WEP", -100);
  read();
  EXPECT_EQ(records.size(), DefaultScenario().networks.size() - 1);
  for (std::uint32_t offset : records)
    EXPECT_NE(std::string(reinterpret_cast<const char*>(&block[offset + 16])), "KESTREL_WEP");
}

TEST_F(BssListTest, AFullScenarioStillFitsTheBlock) {
  Scenario many;
  for (std::uint32_t i = 0; i < kMaxNetworks; ++i) {
    NetworkSlot network = MakeNetwork(std::string(32, static_cast<char>('A' + i % 26)),
                                      i % 2 ? Security::WpaPsk : Security::Wpa2Psk);
    network.wmm = 1;
    many.networks.push_back(network);
  }
  adapter.loadScenario(many);
  read();
  EXPECT_EQ(records.size(), kMaxNetworks);
}

}  // namespace
}  // namespace kestrel::sim
