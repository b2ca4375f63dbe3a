#include "adapter/oid_conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace kestrel {
namespace {

std::uint32_t Info(std::uint32_t mhz, std::uint32_t flags = 0) {
  return mhz | (flags << 16);
}

TEST(ChannelText, CoversEveryBranchOfBandAndChannel) {
  EXPECT_EQ(ChannelText(Info(2412)), "Ch:  1(B)");
  EXPECT_EQ(ChannelText(Info(2412, 0x0400)), "Ch:  1(G)");
  EXPECT_EQ(ChannelText(Info(2437, 0x0500)), "Ch:  6(T)");
  EXPECT_EQ(ChannelText(Info(2437, 0x0100)), "Ch:  6(B)");  // turbo alone is not OFDM
  EXPECT_EQ(ChannelText(Info(2484)), "Ch: 14(B)");
  EXPECT_EQ(ChannelText(Info(2512)), "Ch: 15(B)");
  EXPECT_EQ(ChannelText(Info(2532)), "Ch: 16(B)");
  EXPECT_EQ(ChannelText(Info(5180)), "Ch: 36(A)");
  EXPECT_EQ(ChannelText(Info(5180, 0x0100)), "Ch: 36(T)");
  EXPECT_EQ(ChannelText(Info(5180, 0x0400)), "Ch: 36(A)");
}

TEST(ChannelText, FiveThousandMegahertzTakesTheTwoPointFourBranch) {
  // (5000 - 2512) / 20 + 15 = 139, letter from the 2.4 GHz rules.
  EXPECT_EQ(ChannelText(Info(5000)), "Ch: 139(B)");
}

TEST(ChannelText, NonsenseFrequenciesStayBoundedText) {
  // Below 2407 the unsigned division wraps, as the driver's arithmetic does; the text
  // must still be a bounded, well-formed string.
  const std::string text = ChannelText(Info(0));
  EXPECT_EQ(text.rfind("Ch: ", 0), 0u);
  EXPECT_LT(text.size(), 32u);
}

TEST(CountryCode, PacksFirstLetterHigh) {
  EXPECT_EQ(PackCountryCode("JP"), 0x4A50u);
  EXPECT_EQ(PackCountryCode("US"), 0x5553u);
  EXPECT_EQ(CountryCodeText(0x4A50), "JP");
  EXPECT_EQ(CountryCodeText(0xFFFF4E41), "NA");  // upper bits ignored
}

TEST(CountryCode, ShortAndHighBitInputsStayInSixteenBits) {
  EXPECT_EQ(PackCountryCode("J"), 0x4A00u);
  EXPECT_EQ(PackCountryCode(""), 0u);
  EXPECT_EQ(PackCountryCode("\xC4\xE9"), 0xC4E9u);
  EXPECT_EQ(CountryCodeText(0), "");
}

TEST(HexToKeyBytes, LengthDecidesTheByteCount) {
  EXPECT_EQ(HexToKeyBytes("0123456789").size, 5u);
  EXPECT_EQ(HexToKeyBytes(std::string(26, 'a')).size, 13u);
  EXPECT_EQ(HexToKeyBytes(std::string(32, 'b')).size, 16u);
  EXPECT_EQ(HexToKeyBytes("0123456789AB").size, 16u);
  EXPECT_EQ(HexToKeyBytes("").size, 16u);
}

TEST(HexToKeyBytes, ReadsPairsAsBaseSixteen) {
  const KeyBytes key = HexToKeyBytes("00fFa5107E");
  const std::uint8_t expected[5] = {0x00, 0xFF, 0xA5, 0x10, 0x7E};
  for (std::size_t i = 0; i < 5; ++i)
    EXPECT_EQ(key.bytes[i], expected[i]) << i;
}

TEST(HexToKeyBytes, PairsPastTheTextAreZeroAndNonDigitsEndTheNumber) {
  const KeyBytes key = HexToKeyBytes("0102030405ff");  // 12 characters: 16 bytes
  EXPECT_EQ(key.bytes[5], 0xFF);
  for (std::size_t i = 6; i < 16; ++i)
    EXPECT_EQ(key.bytes[i], 0) << i;

  const KeyBytes odd = HexToKeyBytes("1g2Zzz0a9F");
  EXPECT_EQ(odd.bytes[0], 0x01);  // "1g": the g ends the number
  EXPECT_EQ(odd.bytes[1], 0x02);
  EXPECT_EQ(odd.bytes[2], 0x00);  // "zz": no digit at all
  EXPECT_EQ(odd.bytes[3], 0x0A);
  EXPECT_EQ(odd.bytes[4], 0x9F);
}

TEST(HexToKeyBytes, ANonDigitBeforeTheDigitsEndsTheNumberAtZero) {
  const KeyBytes key = HexToKeyBytes("g1x0G0a0 z");
  EXPECT_EQ(key.bytes[0], 0x00);  // "g1": nothing read before the g
  EXPECT_EQ(key.bytes[1], 0x00);
  EXPECT_EQ(key.bytes[2], 0x00);
  EXPECT_EQ(key.bytes[3], 0xA0);
  EXPECT_EQ(key.bytes[4], 0x00);  // " z": white space, then no digit
}

TEST(HexToKeyBytes, SpaceAndSignAreReadAsTheCLibraryReadsThem) {
  const KeyBytes key = HexToKeyBytes(" 5-5+f\tA-z");
  EXPECT_EQ(key.bytes[0], 0x05);
  EXPECT_EQ(key.bytes[1], 0xFB);  // -5 keeps its low byte
  EXPECT_EQ(key.bytes[2], 0x0F);
  EXPECT_EQ(key.bytes[3], 0x0A);
  EXPECT_EQ(key.bytes[4], 0x00);  // a sign without digits
}

TEST(HexToKeyBytes, EveryPairOfBytesGivesWhatStrtolGives) {
  ASSERT_STREQ(std::setlocale(LC_CTYPE, nullptr), "C");
  for (int first = 0; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      const char pair[3] = {static_cast<char>(first), static_cast<char>(second), '\0'};
      const auto expected = static_cast<std::uint8_t>(std::strtol(pair, nullptr, 16));
      // Ten characters: the pair first, then padding that must not reach it.
      const std::string text = std::string(pair, 2) + "00000000";
      ASSERT_EQ(HexToKeyBytes(text).bytes[0], expected) << first << ' ' << second;
    }
  }
}

TEST(HexToKeyBytes, AnOddLengthEndsWithAOneCharacterPair) {
  const KeyBytes key = HexToKeyBytes("0102030405f");  // 11 characters: 16 bytes
  EXPECT_EQ(key.bytes[5], 0x0F);
  EXPECT_EQ(key.bytes[6], 0x00);
}

TEST(MacAddressText, IsUpperCaseColonSeparated) {
  EXPECT_EQ(MacAddressText({0x00, 0x0b, 0x6b, 0xaa, 0x01, 0xfe}), "00:0B:6B:AA:01:FE");
}

TEST(ClampRssi, KeepsTheRangeEnds) {
  EXPECT_EQ(ClampRssi(-5), -10);
  EXPECT_EQ(ClampRssi(-250), -200);
  EXPECT_EQ(ClampRssi(-60), -60);
}

}  // namespace
}  // namespace kestrel
