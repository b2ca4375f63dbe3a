#include "adapter/adapter.h"

#include <gtest/gtest.h>

#include "fakes/fake_ndis_library.h"

namespace kestrel {
namespace {

class AdapterOperationsTest : public ::testing::Test {
 protected:
  AdapterOperationsTest() { current.deviceName = "\\DEVICE\\{0}"; }

  const fakes::LoggedRequest& only() {
    EXPECT_EQ(library.requests.size(), 1u);
    return library.requests.back();
  }

  fakes::FakeNdisLibrary library;
  fakes::FakeCompletionEvents events;
  bool opened = false;
  ZAdapterInfo current;
  Adapter adapter{library, events, opened, current};
};

struct WordQuery {
  const char* name;
  bool (Adapter::*get)(std::uint32_t&);
  std::uint32_t oid;
};

TEST_F(AdapterOperationsTest, EveryWordQueryUsesItsOidAndAFourByteBuffer) {
  const WordQuery queries[] = {
      {"hardware status", &Adapter::GetHardwareStatus, 0x00010102},
      {"tx ok", &Adapter::GetTxOkCount, 0x00020101},
      {"rx ok", &Adapter::GetRxOkCount, 0x00020102},
      {"tx error", &Adapter::GetTxErrorCount, 0x00020103},
      {"rx error", &Adapter::GetRxErrorCount, 0x00020104},
      {"infrastructure", &Adapter::GetInfrastructureMode, 0x0D010108},
      {"wep status", &Adapter::GetWepStatus, 0x0D01011B},
      {"tx rate", &Adapter::GetTxRate, 0xFF000009},
      {"channel info", &Adapter::GetChannelInfo, 0xFF000013},
      {"connection state", &Adapter::GetConnectionState, 0xFF000015},
      {"frag threshold", &Adapter::GetFragThreshold, 0xFF300004},
      {"rts threshold", &Adapter::GetRtsThreshold, 0xFF300006},
      {"preamble", &Adapter::GetPreamble, 0xFF300008},
  };
  for (const auto& query : queries) {
    SCOPED_TRACE(query.name);
    library.requests.clear();
    library.answerWord(query.oid, 0x01020304);
    std::uint32_t value = 0;
    ASSERT_TRUE((adapter.*query.get)(value));
    EXPECT_EQ(value, 0x01020304u);
    EXPECT_EQ(only().oid, query.oid);
    EXPECT_EQ(only().type, kNdisQueryInformation);
    EXPECT_EQ(only().length, 4u);
  }
}

struct WordSet {
  const char* name;
  bool (Adapter::*set)(std::uint32_t);
  std::uint32_t oid;
};

TEST_F(AdapterOperationsTest, EveryWordSetSendsTheValueLittleEndian) {
  const WordSet sets[] = {
      {"infrastructure", &Adapter::SetInfrastructureMode, 0x0D010108},
      {"remove wep", &Adapter::RemoveWep, 0x0D010114},
      {"authentication", &Adapter::SetAuthenticationMode, 0x0D010118},
      {"wep status", &Adapter::SetWepStatus, 0x0D01011B},
      {"ff10000f", &Adapter::SetFf10000f, 0xFF10000F},
      {"frag threshold", &Adapter::SetFragThreshold, 0xFF300003},
      {"rts threshold", &Adapter::SetRtsThreshold, 0xFF300005},
      {"preamble", &Adapter::SetPreamble, 0xFF300007},
      {"tx power", &Adapter::SetTxPower, 0xFF300009},
      {"power save", &Adapter::SetPowerSave, 0xFF30000B},
  };
  for (const auto& set : sets) {
    SCOPED_TRACE(set.name);
    library.requests.clear();
    ASSERT_TRUE((adapter.*set.set)(0x00000912));
    EXPECT_EQ(only().oid, set.oid);
    EXPECT_EQ(only().type, kNdisSetInformation);
    EXPECT_EQ(only().bytes, std::vector<std::uint8_t>({0x12, 0x09, 0, 0}));
  }
}

TEST_F(AdapterOperationsTest, OutParametersKeepTheirDefaultsWhenTheDriverFails) {
  library.failStatus = 1;
  std::uint32_t word = 77;
  std::int32_t rssi = -77;
  std::string text = "N/A";
  MacAddress mac{1, 2, 3, 4, 5, 6};
  EXPECT_FALSE(adapter.GetTxRate(word));
  EXPECT_FALSE(adapter.GetRssi(rssi));
  EXPECT_FALSE(adapter.GetChannelText(text));
  EXPECT_FALSE(adapter.GetCountryCode(text));
  EXPECT_FALSE(adapter.GetAutoCellVersion(text));
  EXPECT_FALSE(adapter.GetMacAddress(mac));
  EXPECT_EQ(word, 77u);
  EXPECT_EQ(rssi, -77);
  EXPECT_EQ(text, "N/A");
  EXPECT_EQ(mac, (MacAddress{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(adapter.GetLinkFlag(), 0);
}

TEST_F(AdapterOperationsTest, MediaIsConnectedOnlyWhenTheDriverSaysZero) {
  library.answerWord(0x00010114, 0);
  EXPECT_TRUE(adapter.IsMediaConnected());
  EXPECT_EQ(library.requests.back().length, 10u);
  library.answerWord(0x00010114, 1);
  EXPECT_FALSE(adapter.IsMediaConnected());
}

TEST_F(AdapterOperationsTest, MediaIsNotConnectedWhenTheChannelCannotOpen) {
  library.openFails = true;
  library.answerWord(0x00010114, 0);
  EXPECT_FALSE(adapter.IsMediaConnected());
}

TEST_F(AdapterOperationsTest, RssiIsClampedIntoTheUsableRange) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {{-5, -10},  {-250, -200}, {-60, -60},
                                                         {-10, -10}, {-200, -200}, {40, -10}};
  for (const auto& [driver, shown] : cases) {
    library.answerWord(0x0D010206, static_cast<std::uint32_t>(driver));
    std::int32_t dbm = 0;
    ASSERT_TRUE(adapter.GetRssi(dbm));
    EXPECT_EQ(dbm, shown) << "driver said " << driver;
  }
}

TEST_F(AdapterOperationsTest, SsidRecordIsThirtySixBytesAndRoundTrips) {
  ASSERT_TRUE(adapter.SetSsid(SsidRecord::FromText("kestrel-lab")));
  const auto& sent = only();
  EXPECT_EQ(sent.oid, 0x0D010102u);
  ASSERT_EQ(sent.bytes.size(), 36u);
  EXPECT_EQ(sent.bytes[0], 11);
  EXPECT_EQ(std::string(sent.bytes.begin() + 4, sent.bytes.begin() + 15), "kestrel-lab");

  library.answers[0x0D010102] = sent.bytes;
  SsidRecord back;
  ASSERT_TRUE(adapter.GetSsid(back));
  EXPECT_EQ(back.text(), "kestrel-lab");
}

TEST_F(AdapterOperationsTest, SsidLengthBeyondThirtyTwoIsReadAsThirtyTwo) {
  std::vector<std::uint8_t> answer(36, 'x');
  answer[0] = 200;
  answer[1] = answer[2] = answer[3] = 0;
  library.answers[0x0D010102] = answer;
  SsidRecord ssid;
  ASSERT_TRUE(adapter.GetSsid(ssid));
  EXPECT_EQ(ssid.text(), std::string(32, 'x'));
  EXPECT_EQ(SsidRecord::FromText(std::string(40, 'y')).length, 32u);
}

TEST_F(AdapterOperationsTest, AddWepRecordCarriesKeyLengthPlusFifteen) {
  const std::uint8_t key[5] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE};
  ASSERT_TRUE(adapter.AddWep(kTransmitKeyFlag | 2, key, 5));
  const auto& sent = only();
  EXPECT_EQ(sent.oid, 0x0D010113u);
  EXPECT_EQ(sent.length, 20u);
  const std::vector<std::uint8_t> expected = {20, 0, 0,    0,    2,    0,    0,    0x80, 5, 0,
                                              0,  0, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0,    0, 0};
  EXPECT_EQ(sent.bytes, expected);
}

TEST_F(AdapterOperationsTest, CountryCodeIsPackedTwoLettersAndReadBack) {
  ASSERT_TRUE(adapter.SetCountryCode("JP"));
  EXPECT_EQ(only().bytes, std::vector<std::uint8_t>({0x50, 0x4A, 0, 0}));
  library.answers[0xFF00001F] = only().bytes;
  std::string code;
  ASSERT_TRUE(adapter.GetCountryCode(code));
  EXPECT_EQ(code, "JP");
}

TEST_F(AdapterOperationsTest, LinkFlagIsBitOneOfTheSecondWord) {
  library.answers[0xFF00002C] = {0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(adapter.GetLinkFlag(), 1);
  EXPECT_EQ(library.requests.back().length, 12u);
  library.answers[0xFF00002C] = {2, 0, 0, 0, 0xFD, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0};
  EXPECT_EQ(adapter.GetLinkFlag(), 0);
}

TEST_F(AdapterOperationsTest, RecordSetsHaveTheirFixedSizes) {
  ASSERT_TRUE(adapter.SetWirelessMode({0x0D, (6u << 16) | 2u}));
  EXPECT_EQ(library.requests.back().oid, 0xFF300002u);
  EXPECT_EQ(library.requests.back().bytes, std::vector<std::uint8_t>({0x0D, 0, 0, 0, 2, 0, 6, 0}));

  ASSERT_TRUE(adapter.SetFf00002e(1));
  EXPECT_EQ(library.requests.back().bytes,
            std::vector<std::uint8_t>({0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));

  WmmConfig wmm{};
  wmm[8] = 1;
  ASSERT_TRUE(adapter.SetWmmConfig(wmm));
  EXPECT_EQ(library.requests.back().oid, 0xFF00002Du);
  EXPECT_EQ(library.requests.back().length, 12u);

  ASSERT_TRUE(adapter.SendFf21000e());
  ASSERT_TRUE(adapter.SendFfff8808());
  EXPECT_TRUE(library.requests.back().nullBuffer);
  EXPECT_EQ(library.requests.back().oid, 0xFFFF8808u);
}

TEST_F(AdapterOperationsTest, LargeQueriesUseTheirWholeBuffers) {
  library.answers[0xFF300011] = {1, 2, 3};
  std::vector<std::uint8_t> list;
  ASSERT_TRUE(adapter.GetBssList(list));
  EXPECT_EQ(list.size(), 17920u);
  EXPECT_EQ(library.requests.back().length, 17920u);

  StatisticsBlock stats{};
  library.answers[0xFF00001E] = std::vector<std::uint8_t>(168, 7);
  ASSERT_TRUE(adapter.GetStatistics(stats));
  EXPECT_EQ(library.requests.back().length, 168u);
  EXPECT_EQ(stats[167], 7);
}

TEST_F(AdapterOperationsTest, AutoCellVersionStopsAtTheBufferEvenWithoutANul) {
  library.answers[0xFFFF8804] = std::vector<std::uint8_t>(18, 'V');
  std::string text;
  ASSERT_TRUE(adapter.GetAutoCellVersion(text));
  EXPECT_EQ(text, std::string(18, 'V'));
  EXPECT_EQ(library.requests.back().length, 18u);
}

TEST_F(AdapterOperationsTest, ChannelTextComesFromTheChannelInfoWord) {
  library.answerWord(0xFF000013, 2437u | (0x0500u << 16));
  std::string text;
  ASSERT_TRUE(adapter.GetChannelText(text));
  EXPECT_EQ(text, "Ch:  6(T)");
}

}  // namespace
}  // namespace kestrel
