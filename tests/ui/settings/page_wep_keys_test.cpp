// The settings page's WEP keys: stored keys only as masks, keys made or typed here as
// digits, and which of them reach the profile.
#include "ui/settings/page_wep_keys.h"

#include <gtest/gtest.h>

#include "profiles/key_derivation.h"

namespace kestrel {
namespace {

WirelessProfile StoredWep(std::int32_t defaultKey) {
  WirelessProfile profile;
  profile.EapSelection = 0;
  profile.WPA = 0;
  profile.SharedKey = {"0123456789", "", "0123456789ABCDEF0123456789", "ABCDEF0123"};
  profile.SharedKeyLength = {5, 0, 13, 5};
  profile.defaultKey = defaultKey;
  return profile;
}

TEST(PageWepKeys, LoadingMasksEveryStoredKeyAndShowsTheDefaultKey) {
  PageWepKeys keys;
  keys.load(StoredWep(2));
  EXPECT_EQ(keys.shown(), 2u);
  EXPECT_EQ(keys.shownKey(), std::string(26, '*'));
  EXPECT_EQ(keys.shownLength(), 13);
  EXPECT_EQ(keys.key(0), "**********");
  EXPECT_EQ(keys.key(1), "");
  EXPECT_EQ(keys.key(3), "**********");
}

TEST(PageWepKeys, ADefaultKeyOutsideOneToFourShowsKeyOne) {
  for (std::int32_t defaultKey : {-1, 4, 1000}) {
    PageWepKeys keys;
    keys.load(StoredWep(defaultKey));
    EXPECT_EQ(keys.shown(), 0u) << defaultKey;
    EXPECT_EQ(keys.shownLength(), 5) << defaultKey;
  }
}

TEST(PageWepKeys, ThePlaceholderKeyIsDroppedUnlessTheProfileIsWpaPsk) {
  WirelessProfile dot1x = StoredWep(0);
  dot1x.SharedKey[0] = "7C7C7C7C7C";  // compared without regard to case
  PageWepKeys keys;
  keys.load(dot1x);
  EXPECT_EQ(keys.shownKey(), "");
  EXPECT_EQ(keys.shownLength(), 0);
  EXPECT_EQ(keys.key(3), "**********");  // only the shown key is looked at

  dot1x.EapSelection = kEapWpaPsk;
  keys.load(dot1x);
  EXPECT_EQ(keys.shownKey(), "**********");
  EXPECT_EQ(keys.shownLength(), 5);
}

TEST(PageWepKeys, GenerationMakesFourKeysOfTheChosenSize) {
  PageWepKeys keys;
  keys.generate("secret", 0);
  const WepKeys made64 = GenerateWepKeys64("secret");
  for (std::size_t k = 0; k < kWepKeyCount; ++k)
    EXPECT_EQ(keys.key(k), made64[k]) << k;
  EXPECT_EQ(keys.shownLength(), 5);

  keys.generate("secret", 1);
  EXPECT_EQ(keys.key(3), GenerateWepKeys128("secret")[3]);
  EXPECT_EQ(keys.shownLength(), 13);

  keys.generate("", 1);
  EXPECT_EQ(keys.key(0), "");
  EXPECT_EQ(keys.shownLength(), 0);
}

TEST(PageWepKeys, ForgettingGeneratedKeysKeepsTheStoredOnesBehindTheirMasks) {
  PageWepKeys keys;
  keys.load(StoredWep(0));
  keys.show(1);
  keys.keepTyped("FEDCBA9876");
  keys.forgetGenerated();
  EXPECT_EQ(keys.key(0), "**********");
  EXPECT_EQ(keys.key(1), "");
  EXPECT_EQ(keys.shownLength(), 0);

  keys.clear();
  for (std::size_t k = 0; k < kWepKeyCount; ++k)
    EXPECT_EQ(keys.key(k), "") << k;
}

TEST(PageWepKeys, ATypedMaskLeavesTheStoredKeyAndTypedDigitsReplaceIt) {
  PageWepKeys keys;
  keys.load(StoredWep(0));
  keys.keepTyped("**********");
  EXPECT_EQ(keys.shownKey(), "**********");
  EXPECT_EQ(keys.shownLength(), 5);

  keys.keepTyped("0123456789ABCDEF0123456789");
  EXPECT_EQ(keys.shownKey(), "0123456789ABCDEF0123456789");
  EXPECT_EQ(keys.shownLength(), 13);

  keys.show(5);  // key numbers wrap
  EXPECT_EQ(keys.shown(), 1u);
}

TEST(PageWepKeys, OnlyKeysThatAreNotMasksAreWrittenIntoTheProfile) {
  const WirelessProfile stored = StoredWep(0);
  PageWepKeys keys;
  keys.load(stored);
  keys.show(1);
  keys.keepTyped("FEDCBA9876");

  WirelessProfile profile = stored;
  profile.SharedKey[3] = "1111111111";
  keys.writeUnmaskedInto(profile);
  EXPECT_EQ(profile.SharedKey[0], stored.SharedKey[0]);
  EXPECT_EQ(profile.SharedKey[1], "FEDCBA9876");
  EXPECT_EQ(profile.SharedKeyLength[1], 5);
  EXPECT_EQ(profile.SharedKey[3], "1111111111");  // masked on the page: left alone
}

}  // namespace
}  // namespace kestrel
