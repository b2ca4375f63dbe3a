#include "monitor/network_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <memory>

#include "adapter/oid_conversions.h"
#include "monitor/monitor_texts.h"
#include "monitor/network_list_builder.h"

namespace kestrel {
namespace {

using testing::NetworkListBytes;
using testing::NetworkRecord;
using testing::RsnBody;
using testing::WmmBody;
using testing::WpaBody;

// Parses from a heap block of exactly the list's size, so that any read past it is an
// AddressSanitizer finding.
NetworkList Parse(const std::vector<std::uint8_t>& bytes) {
  std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), exact.get());
  return ParseNetworkList(exact.get(), bytes.size());
}

SurveyRow OnlyRow(const NetworkRecord& record) {
  const NetworkList list = Parse(NetworkListBytes(1, {record}));
  EXPECT_EQ(list.rows.size(), 1u);
  return list.rows.empty() ? SurveyRow{} : list.rows.front();
}

std::string Security(const NetworkRecord& record) {
  return OnlyRow(record).securityText;
}

TEST(NetworkListColumns, InfrastructureNetworkGivesEveryColumn) {
  const SurveyRow row = OnlyRow(NetworkRecord()
                                    .bssid({0x00, 0x1A, 0x2B, 0xC3, 0xD4, 0xE5})
                                    .ssid("KestrelNet")
                                    .channel(2412, 0x0400)
                                    .rssi(-58)
                                    .mode(1));
  EXPECT_EQ(row.ssidText, "KestrelNet");
  EXPECT_EQ(row.xrText, " ");
  EXPECT_EQ(row.channelText, "   1 (G)");
  EXPECT_EQ(row.securityText, "none");
  EXPECT_EQ(row.signalText, " 72 %");
  EXPECT_EQ(row.bssidText, "00:1A:2B:C3:D4:E5");
  EXPECT_EQ(row.modeText, monitor_texts::kAccessPoint);
  EXPECT_EQ(row.picture, SurveyPicture::AccessPoint);
}

TEST(NetworkListColumns, ModeChoosesTextAndPicture) {
  const SurveyRow adHoc = OnlyRow(NetworkRecord().mode(0));
  EXPECT_EQ(adHoc.modeText, "Ad-Hoc");
  EXPECT_EQ(adHoc.picture, SurveyPicture::AdHoc);
  const SurveyRow automatic = OnlyRow(NetworkRecord().mode(2));
  EXPECT_EQ(automatic.modeText, monitor_texts::kAccessPoint);
  EXPECT_EQ(automatic.picture, SurveyPicture::Default);
}

TEST(NetworkListColumns, SsidIsCutAtTheFirstZeroByteAndNeverPast32) {
  EXPECT_EQ(OnlyRow(NetworkRecord().ssid(std::string(32, 'S'))).ssidText, std::string(32, 'S'));
  EXPECT_EQ(OnlyRow(NetworkRecord().ssid(std::string(32, '\0'))).ssidText, "");
  EXPECT_EQ(OnlyRow(NetworkRecord().ssid(std::string("ab\0cd", 5))).ssidText, "ab");
}

TEST(NetworkListColumns, ChannelTextByBandAndTurboFlag) {
  EXPECT_EQ(OnlyRow(NetworkRecord().channel(5180, 0x0100)).channelText, "  36 (T)");
  EXPECT_EQ(OnlyRow(NetworkRecord().channel(5180)).channelText, "  36 (A)");
  EXPECT_EQ(OnlyRow(NetworkRecord().channel(2437, 0x0500)).channelText, "   6 (T)");
  EXPECT_EQ(OnlyRow(NetworkRecord().channel(2437)).channelText, "   6 (B)");
  EXPECT_EQ(OnlyRow(NetworkRecord().channel(2484, 0x0400)).channelText, "  14 (G)");
}

TEST(NetworkListColumns, ExtendedRangeFlag) {
  EXPECT_EQ(OnlyRow(NetworkRecord().xr(1)).xrText, "XR");
  EXPECT_EQ(OnlyRow(NetworkRecord().xr(0x80)).xrText, "XR");
}

TEST(NetworkListSignal, PercentFromRssi) {
  EXPECT_EQ(SurveySignalPercent(-100), 0);
  EXPECT_EQ(SurveySignalPercent(-58), 72);
  EXPECT_EQ(SurveySignalPercent(-42), 99);
  EXPECT_EQ(SurveySignalPercent(-41), 100);
  EXPECT_EQ(SurveySignalPercent(-101), 5);
  EXPECT_EQ(SurveySignalPercent(INT_MIN), 5);
  EXPECT_EQ(SurveySignalPercent(INT_MAX), 100);
  EXPECT_EQ(OnlyRow(NetworkRecord().rssi(-100)).signalText, "  0 %");
  EXPECT_EQ(OnlyRow(NetworkRecord().rssi(-20)).signalText, "100 %");
  EXPECT_EQ(OnlyRow(NetworkRecord().rssi(-101)).signalText, "  5 %");
}

// The number columns are written by hand; they must read exactly as printf writes them,
// also for the numbers a frequency below the band's start wraps to.
TEST(NetworkListColumns, NumberColumnsReadAsPrintfWritesThem) {
  char expected[48];
  for (std::uint32_t mhz = 0; mhz <= 0xFFFF; mhz += 7) {
    for (const std::uint32_t flags : {0x0000u, 0x0100u, 0x0400u, 0x0500u}) {
      const ChannelNumberAndBand channel = DecodeChannelWord(mhz | (flags << 16));
      std::snprintf(expected, sizeof expected, " %3d (%s)", static_cast<int>(channel.number),
                    channel.band);
      ASSERT_EQ(OnlyRow(NetworkRecord().channel(mhz, flags)).channelText, expected) << mhz;
    }
  }
  for (const std::int32_t rssi : {INT_MIN, -300, -101, -100, -99, -95, -94, -42, -41, 0, INT_MAX}) {
    std::snprintf(expected, sizeof expected, "%3d %%", SurveySignalPercent(rssi));
    EXPECT_EQ(OnlyRow(NetworkRecord().rssi(rssi)).signalText, expected) << rssi;
  }
  EXPECT_EQ(OnlyRow(NetworkRecord().bssid({0x01, 0x23, 0x45, 0x67, 0x89, 0xAB})).bssidText,
            "01:23:45:67:89:AB");
  EXPECT_EQ(OnlyRow(NetworkRecord().bssid({0xCD, 0xEF, 0xF0, 0x0F, 0xFF, 0x00})).bssidText,
            "CD:EF:F0:0F:FF:00");
}

TEST(NetworkListSecurity, PrivacyAloneGivesWepOrNone) {
  EXPECT_EQ(Security(NetworkRecord().privacy(1)), "WEP");
  EXPECT_EQ(Security(NetworkRecord().privacy(0)), "none");
}

TEST(NetworkListSecurity, WpaKeyManagementByTypeAndMode) {
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, WpaBody(1))), "WPA");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, WpaBody(2)).mode(1)), "WPA-PSK");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, WpaBody(2)).mode(0)), "WPA-NONE");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, WpaBody(0)).mode(2)), "WPA-PSK");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, WpaBody(7))), "WEP");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, WpaBody(2, 3))), "WPA-PSK");
}

TEST(NetworkListSecurity, RsnKeyManagementByTypeAndMode) {
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(48, RsnBody(1))), "WPA2");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(48, RsnBody(2)).mode(1)), "WPA2-PSK");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(48, RsnBody(2)).mode(0)), "WPA2-NONE");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(48, RsnBody(2, 2))), "WPA2-PSK");
}

TEST(NetworkListSecurity, SuiteFromAnotherOrganisationLeavesTheText) {
  std::vector<std::uint8_t> body = RsnBody(2);
  body[body.size() - 2] = 0xAD;  // key-management OUI 00 0F AD
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(48, body)), "WEP");
}

TEST(NetworkListSecurity, TheLaterOfWpaAndRsnWins) {
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, WpaBody(1)).element(48, RsnBody(2))),
            "WPA2-PSK");
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(48, RsnBody(2)).element(221, WpaBody(1))),
            "WPA");
}

TEST(NetworkListSecurity, OtherElementsAreSkipped) {
  const NetworkRecord record = NetworkRecord()
                                   .privacy(1)
                                   .element(0, {'K', 'e', 's'})       // SSID element
                                   .element(221, {0x00, 0x10, 0x18})  // short vendor element
                                   .element(48, {0x01, 0x00})         // RSN shorter than 12
                                   .element(48, RsnBody(2));
  EXPECT_EQ(Security(record), "WPA2-PSK");
}

TEST(NetworkListSecurity, FullSizeVendorElementThatIsNotWpaEndsTheWalk) {
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, WmmBody()).element(48, RsnBody(2))),
            "WEP");
}

TEST(NetworkListSecurity, SixteenBytesIsTheSmallestVendorElementThatIsJudged) {
  std::vector<std::uint8_t> notWpa = {0x00, 0x10, 0x18, 0x02};
  notWpa.resize(16, 0x01);
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, notWpa).element(48, RsnBody(2))),
            "WEP");
  notWpa.resize(15);
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, notWpa).element(48, RsnBody(2))),
            "WPA2-PSK");
  notWpa.resize(8);
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, notWpa).element(48, RsnBody(2))),
            "WPA2-PSK");
}

TEST(NetworkListSecurity, ZeroLengthByteOfTheNextElementEndsTheWalk) {
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(1, {0x82}).element(5, {}).element(
                48, RsnBody(2))),
            "WEP");
}

TEST(NetworkListSecurity, ShortRecordsAndFewElementBytesShowOnlyPrivacy) {
  // 104 bytes: the record still gives its row, with the security of its privacy field.
  const auto shortRecord = NetworkRecord().privacy(1).element(48, RsnBody(2)).lengthField(104);
  const NetworkList list = Parse(NetworkListBytes(1, {shortRecord}));
  ASSERT_EQ(list.rows.size(), 1u);
  EXPECT_EQ(list.rows[0].securityText, "WEP");
  EXPECT_EQ(list.rows[0].channelText, "   1 (G)");

  EXPECT_EQ(Security(NetworkRecord().element(48, RsnBody(2)).elementsLengthField(12)), "none");
  EXPECT_EQ(Security(NetworkRecord().element(48, RsnBody(2)).elementsLengthField(13)), "none");
}

TEST(NetworkListSecurity, RecordsEndingBeforeTheirElementsShowOnlyPrivacy) {
  // Above 104 bytes but short of the elements at 136: the element-length word and the
  // elements lie past the record, whatever the buffer holds there.
  for (std::uint32_t length : {105u, 120u, 131u, 132u, 135u}) {
    const auto record = NetworkRecord().privacy(1).element(48, RsnBody(2)).lengthField(length);
    EXPECT_EQ(Security(record), "WEP") << length;
  }
  const auto whole = NetworkRecord().privacy(1).element(48, RsnBody(2));
  EXPECT_EQ(Security(whole), "WPA2-PSK");
}

TEST(NetworkListWalk, RowsFollowRecordsInOrder) {
  const NetworkList list = Parse(NetworkListBytes(
      3,
      {NetworkRecord().ssid("one"), NetworkRecord().ssid("two").element(48, RsnBody(1)),
       NetworkRecord().ssid("three")},
      17920));
  EXPECT_EQ(list.recordCount, 3u);
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[0].ssidText, "one");
  EXPECT_EQ(list.rows[1].ssidText, "two");
  EXPECT_EQ(list.rows[1].securityText, "WPA2");
  EXPECT_EQ(list.rows[2].ssidText, "three");
}

TEST(NetworkListWalk, ARecordOfOddLengthIsFollowedAtOnceByTheNext) {
  // One element of one body byte makes the first record 151 bytes long.
  const NetworkList list = Parse(NetworkListBytes(
      3, {NetworkRecord().ssid("odd").element(1, {0x82}),
          NetworkRecord().ssid("after-odd").element(5, {0x00, 0x01}).element(48, RsnBody(2)),
          NetworkRecord().ssid("last")}));
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[0].ssidText, "odd");
  EXPECT_EQ(list.rows[1].ssidText, "after-odd");
  EXPECT_EQ(list.rows[1].securityText, "WPA2-PSK");
  EXPECT_EQ(list.rows[2].ssidText, "last");
}

TEST(NetworkListWalk, OnlyTheLowByteOfTheCountCounts) {
  const NetworkList list = Parse(NetworkListBytes(0x0201, {NetworkRecord(), NetworkRecord()}));
  EXPECT_EQ(list.recordCount, 1u);
  EXPECT_EQ(list.rows.size(), 1u);
  EXPECT_EQ(Parse(NetworkListBytes(0x100, {NetworkRecord()})).recordCount, 0u);
}

TEST(DamagedNetworkList, CountBeyondTheRecordsEndsAtTheFirstEmptyRecord) {
  const NetworkList list = Parse(NetworkListBytes(255, {NetworkRecord()}, 17920));
  EXPECT_EQ(list.recordCount, 255u);
  EXPECT_EQ(list.rows.size(), 1u);
}

TEST(DamagedNetworkList, CountBeyondTheBufferEndsAtItsEnd) {
  EXPECT_EQ(Parse(NetworkListBytes(5, {NetworkRecord(), NetworkRecord()})).rows.size(), 2u);
}

TEST(DamagedNetworkList, ZeroOrTooShortLengthEndsTheWalk) {
  EXPECT_TRUE(Parse(NetworkListBytes(2, {NetworkRecord().lengthField(0), NetworkRecord()}, 17920))
                  .rows.empty());
  EXPECT_TRUE(Parse(NetworkListBytes(1, {NetworkRecord().lengthField(95)})).rows.empty());
  EXPECT_EQ(Parse(NetworkListBytes(2, {NetworkRecord().lengthField(96)}, 17920)).rows.size(), 1u);
}

TEST(DamagedNetworkList, LengthPastTheBufferEndsTheWalk) {
  const std::vector<std::uint8_t> list =
      NetworkListBytes(2, {NetworkRecord().ssid("whole"), NetworkRecord().lengthField(17000)});
  const NetworkList parsed = Parse(list);
  ASSERT_EQ(parsed.rows.size(), 1u);
  EXPECT_EQ(parsed.rows[0].ssidText, "whole");
  EXPECT_TRUE(Parse(NetworkListBytes(1, {NetworkRecord().lengthField(0xFFFFFFFF)})).rows.empty());
}

TEST(DamagedNetworkList, BufferEndingInsideTheFixedFieldsEndsTheWalk) {
  EXPECT_TRUE(
      Parse(NetworkListBytes(1, {NetworkRecord().lengthField(100).truncateTo(100)})).rows.empty());
  EXPECT_TRUE(Parse(NetworkListBytes(1, {NetworkRecord().truncateTo(120)})).rows.empty());
}

TEST(DamagedNetworkList, BuffersTooShortForTheCount) {
  EXPECT_EQ(ParseNetworkList(nullptr, 0).recordCount, 0u);
  const std::vector<std::uint8_t> three = {1, 0, 0};
  EXPECT_EQ(Parse(three).recordCount, 0u);
  EXPECT_TRUE(Parse({1, 0, 0, 0}).rows.empty());
}

TEST(DamagedNetworkList, ElementsLengthPastTheRecordIsBoundedByTheRecord) {
  // The claimed length reaches into the next record; only this record's elements count.
  const NetworkRecord first = NetworkRecord().privacy(1).elementsLengthField(5000);
  const NetworkRecord second = NetworkRecord().element(48, RsnBody(2));
  const NetworkList list = Parse(NetworkListBytes(2, {first, second}));
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0].securityText, "WEP");
  EXPECT_EQ(list.rows[1].securityText, "WPA2-PSK");

  EXPECT_EQ(Security(NetworkRecord().element(48, RsnBody(1)).elementsLengthField(0xFFFFFFFF)),
            "WPA2");
}

TEST(DamagedNetworkList, ElementRunningPastTheRecordEndsTheWalk) {
  std::vector<std::uint8_t> rsn = RsnBody(2);
  std::vector<std::uint8_t> claimsMore = {48, 200};
  claimsMore.insert(claimsMore.end(), rsn.begin(), rsn.end());
  EXPECT_EQ(Security(NetworkRecord().privacy(1).rawElementBytes(claimsMore)), "WEP");

  std::vector<std::uint8_t> wpa = WpaBody(2);
  std::vector<std::uint8_t> cutWpa = {221, static_cast<std::uint8_t>(wpa.size())};
  cutWpa.insert(cutWpa.end(), wpa.begin(), wpa.begin() + 10);
  EXPECT_EQ(Security(NetworkRecord().privacy(1).rawElementBytes(cutWpa)), "WEP");
}

TEST(DamagedNetworkList, SuiteCountsPastTheElementLeaveTheText) {
  std::vector<std::uint8_t> rsn = RsnBody(2);
  rsn[6] = 0xFF;  // pairwise count 0xFF01
  rsn[7] = 0xFF;
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(48, rsn)), "WEP");

  std::vector<std::uint8_t> wpa = WpaBody(1);
  wpa.resize(16);  // counts say one pairwise and one key-management suite; neither fits
  EXPECT_EQ(Security(NetworkRecord().privacy(1).element(221, wpa)), "WEP");
}

}  // namespace
}  // namespace kestrel
