// Requests as a driver answers them: sizes, refusals, settings read back, the request log.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace kestrel::sim {
namespace {

class RequestsTest : public ::testing::Test, protected testing::SimFixture {};

struct SizedQuery {
  std::uint32_t oid;
  std::uint32_t size;
};

TEST_F(RequestsTest, AQueryWithAShortBufferFailsWithoutWritingAndNamesTheSizeNeeded) {
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  after(1100);
  const SizedQuery queries[] = {
      {oid::kGenHardwareStatus, 4},   {oid::kGenMediaConnectStatus, 4},
      {oid::kGenXmitOk, 4},           {oid::k8023CurrentAddress, 6},
      {oid::k80211Bssid, 6},          {oid::k80211Ssid, 36},
      {oid::k80211Rssi, 4},           {oid::kVndTxRate, 4},
      {oid::kVndChannelInfo, 4},      {oid::kVndConnectionState, 4},
      {oid::kVndStatistics, 168},     {oid::kVndCountryCode, 4},
      {oid::kVndLinkFlags, 12},       {oid::kVndWmmConfig, 12},
      {oid::kVndFragThresholdGet, 4}, {oid::kVndBssList, oid::kBssListSize},
      {oid::kVndAutoCellVersion, 18},
  };
  for (const SizedQuery& q : queries) {
    SCOPED_TRACE(::testing::Message() << std::hex << q.oid);
    std::vector<std::uint8_t> buffer(q.size + 8, 0xAB);
    const RequestResult shortResult = query(q.oid, buffer.data(), q.size - 1);
    EXPECT_EQ(shortResult.status, kStatusBufferTooShort);
    EXPECT_EQ(shortResult.needed, q.size);
    EXPECT_EQ(shortResult.written, 0u);
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xAB), static_cast<long>(buffer.size()));
    EXPECT_EQ(query(q.oid, nullptr, q.size).status, kStatusBufferTooShort);

    const RequestResult full = query(q.oid, buffer.data(), q.size + 8);
    EXPECT_EQ(full.status, kStatusSuccess);
    EXPECT_EQ(full.written, q.size);  // a larger buffer gets the driver's count
    EXPECT_EQ(buffer[q.size], 0xAB);
  }
}

TEST_F(RequestsTest, ASetWithAShortOrMissingBufferIsRefusedAndChangesNothing) {
  const std::uint32_t sets[] = {oid::k80211Ssid,          oid::k80211InfrastructureMode,
                                oid::k80211AddWep,        oid::k80211RemoveWep,
                                oid::k80211WepStatus,     oid::kVndCountryCode,
                                oid::kVndWmmConfig,       oid::kVndWirelessMode,
                                oid::kVndRtsThresholdSet, oid::kVndFf00002e};
  const SharedAdapterState before = shared;
  std::uint8_t bytes[2] = {1, 1};
  for (std::uint32_t o : sets) {
    SCOPED_TRACE(::testing::Message() << std::hex << o);
    EXPECT_EQ(set(o, bytes, 2).status, kStatusInvalidLength);
    EXPECT_EQ(set(o, nullptr, 40).status, kStatusInvalidLength);
  }
  EXPECT_EQ(shared.countryCode, before.countryCode);
  EXPECT_EQ(shared.rtsThreshold, before.rtsThreshold);
  EXPECT_EQ(shared.vendorCommandCount, 0u);
}

TEST_F(RequestsTest, UnknownOidsAndWrongDirectionsAreNotSupported) {
  std::uint8_t bytes[64] = {};
  EXPECT_EQ(query(0x00010101, bytes, sizeof bytes).status, kStatusNotSupported);
  EXPECT_EQ(query(oid::kVndTxPowerSet, bytes, 4).status, kStatusNotSupported);
  EXPECT_EQ(set(oid::kVndStatistics, bytes, 168).status, kStatusNotSupported);
  EXPECT_EQ(set(oid::kGenHardwareStatus, bytes, 4).status, kStatusNotSupported);
}

TEST_F(RequestsTest, RadioSettingsAreReadBackAsSet) {
  EXPECT_EQ(setWord(oid::kVndRtsThresholdSet, 512).status, kStatusSuccess);
  EXPECT_EQ(setWord(oid::kVndFragThresholdSet, 1024).status, kStatusSuccess);
  EXPECT_EQ(setWord(oid::kVndPreambleSet, 0).status, kStatusSuccess);
  EXPECT_EQ(word(oid::kVndRtsThresholdGet), 512u);
  EXPECT_EQ(word(oid::kVndFragThresholdGet), 1024u);
  EXPECT_EQ(word(oid::kVndPreambleGet), 0u);
  EXPECT_EQ(setWord(oid::kVndRtsThresholdSet, 255).status, kStatusInvalidData);
  EXPECT_EQ(setWord(oid::kVndFragThresholdSet, 2347).status, kStatusInvalidData);
  EXPECT_EQ(word(oid::kVndRtsThresholdGet), 512u);

  std::uint8_t wmm[12] = {};
  ASSERT_EQ(query(oid::kVndWmmConfig, wmm, 12).status, kStatusSuccess);
  wmm[8] = 1;
  ASSERT_EQ(set(oid::kVndWmmConfig, wmm, 12).status, kStatusSuccess);
  std::uint8_t back[12] = {};
  ASSERT_EQ(query(oid::kVndWmmConfig, back, 12).status, kStatusSuccess);
  EXPECT_EQ(back[8], 1);

  EXPECT_EQ(setWord(oid::kVndCountryCode, 0x4652).status, kStatusSuccess);  // "FR"
  EXPECT_EQ(word(oid::kVndCountryCode), 0x4652u);
  std::uint8_t mode[8] = {0x0D, 0, 0, 0, 0x02, 0, 0x0B, 0};
  ASSERT_EQ(set(oid::kVndWirelessMode, mode, 8).status, kStatusSuccess);
  EXPECT_EQ(shared.wirelessMode[0], 0x0Du);
  EXPECT_EQ(shared.wirelessMode[1], 0x000B0002u);
  EXPECT_EQ(setWord(oid::k80211InfrastructureMode, 3).status, kStatusInvalidData);
  EXPECT_EQ(setWord(oid::k80211WepStatus, 8).status, kStatusInvalidData);
}

TEST_F(RequestsTest, WepKeysAreAddedAndRemovedWithinTheRecordTheyCameIn) {
  addWep(0x80000002u, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
  EXPECT_TRUE(shared.wepKeys[2].present);
  EXPECT_EQ(shared.wepKeys[2].length, 13u);
  EXPECT_EQ(shared.transmitKey, 2u);
  EXPECT_EQ(setWord(oid::k80211RemoveWep, 2).status, kStatusSuccess);
  EXPECT_FALSE(shared.wepKeys[2].present);
  EXPECT_EQ(setWord(oid::k80211RemoveWep, 4).status, kStatusInvalidData);

  // A total-length or key-length word that claims more than the buffer holds.
  std::uint8_t record[20] = {};
  WriteLe32(record, 200);
  WriteLe32(record + 8, 5);
  EXPECT_EQ(set(oid::k80211AddWep, record, sizeof record).status, kStatusInvalidLength);
  WriteLe32(record, 20);
  WriteLe32(record + 8, 9);
  EXPECT_EQ(set(oid::k80211AddWep, record, sizeof record).status, kStatusInvalidLength);
  WriteLe32(record + 4, 7);  // no such key index
  WriteLe32(record + 8, 5);
  EXPECT_EQ(set(oid::k80211AddWep, record, sizeof record).status, kStatusInvalidData);
}

TEST_F(RequestsTest, AnSsidLengthAbove32IsRefused) {
  std::uint8_t record[36] = {};
  WriteLe32(record, 33);
  EXPECT_EQ(set(oid::k80211Ssid, record, 36).status, kStatusInvalidData);
}

TEST_F(RequestsTest, VendorCommandsWithoutDocumentedMeaningAreAcceptedAndCounted) {
  EXPECT_EQ(set(oid::kVndFf21000e, nullptr, 0).status, kStatusSuccess);
  EXPECT_EQ(set(oid::kVndFfff8808, nullptr, 0).status, kStatusSuccess);
  EXPECT_EQ(setWord(oid::kVndFf10000f, 1).status, kStatusSuccess);
  std::uint8_t ff2e[12] = {0, 0, 0, 0, 1};
  EXPECT_EQ(set(oid::kVndFf00002e, ff2e, 12).status, kStatusSuccess);
  EXPECT_EQ(shared.vendorCommandCount, 4u);
  EXPECT_EQ(shared.scanTriggerCount, 1u);
}

TEST_F(RequestsTest, TheAutoCellTextFitsTheInformationPagesCuts) {
  char text[18] = {};
  ASSERT_EQ(query(oid::kVndAutoCellVersion, reinterpret_cast<std::uint8_t*>(text), 18).status,
            kStatusSuccess);
  const std::string t(text);
  ASSERT_LT(t.size(), 18u);
  EXPECT_EQ(t.substr(1, 8), "4.0.1.23");
  EXPECT_EQ(t.substr(10, 3), "Jun");
  EXPECT_EQ(t.substr(13, 2), "20");
  EXPECT_EQ(t.substr(t.size() - 4), "2005");
}

TEST_F(RequestsTest, TheLogKeepsTheLastRequestsWithTheirOutcome) {
  std::uint8_t bytes[4] = {};
  for (int i = 0; i < 20; ++i)
    query(oid::kVndConnectionState, bytes, 4);
  adapter.request(0, 0x12345678, bytes, 4, 77);
  EXPECT_EQ(shared.requestCount, 21u);
  const RequestLogEntry& last = shared.requestLog[20 % kRequestLogSize];
  EXPECT_EQ(last.oid, 0x12345678u);
  EXPECT_EQ(last.processId, 77u);
  EXPECT_EQ(last.status, kStatusNotSupported);
}

TEST_F(RequestsTest, ADriverInTroubleFailsEveryRequestForItsSpellAndNothingChanges) {
  adapter.failRequestsFor(1000);
  std::uint8_t bytes[4] = {0xAB, 0xAB, 0xAB, 0xAB};
  EXPECT_EQ(query(oid::kGenHardwareStatus, bytes, 4).status, kStatusFailure);
  EXPECT_EQ(query(oid::kVndConnectionState, bytes, 4).status, kStatusFailure);
  EXPECT_EQ(bytes[0], 0xAB);
  const std::uint32_t rts = shared.rtsThreshold;
  EXPECT_EQ(setWord(oid::kVndRtsThresholdSet, rts + 1).status, kStatusFailure);
  EXPECT_EQ(shared.rtsThreshold, rts);
  after(999);
  EXPECT_EQ(query(oid::kGenHardwareStatus, bytes, 4).status, kStatusFailure);
  after(1);
  EXPECT_EQ(word(oid::kGenHardwareStatus), 0u);
}

TEST_F(RequestsTest, AFailureSpellIsBoundedAndAStaleDeadlineFarAheadHasEnded) {
  adapter.failRequestsFor(0xFFFFFFFFu);
  after(kMaxFailRequestsMs);
  EXPECT_EQ(word(oid::kGenHardwareStatus), 0u);
  // A deadline kept from a machine whose clock has since started again.
  shared.failRequestsUntilMs = clock.now + kMaxFailRequestsMs + 1;
  EXPECT_EQ(word(oid::kGenHardwareStatus), 0u);
}

}  // namespace
}  // namespace kestrel::sim
