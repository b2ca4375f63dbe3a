// WEP keys from passphrases and the rules for typed keys and passphrases.
#include <gtest/gtest.h>

#include <set>

#include "profiles/key_derivation.h"
#include "profiles/profile_messages.h"

namespace kestrel {
namespace {

// A zero seed runs the generator from 0: its bytes are the low bytes of the familiar
// rand() sequence 38, 7719, 21238, 2437, 8855, ...
constexpr char kZeroSeedKey1[] = "2627F68597";

TEST(WepKeyGenerationTest, OneCharacterGivesFourDifferent64BitKeys) {
  const WepKeys keys = GenerateWepKeys("a", 0);
  const std::set<std::string> distinct(keys.begin(), keys.end());
  EXPECT_EQ(distinct.size(), 4u);
  for (const std::string& key : keys) {
    EXPECT_EQ(key.size(), 10u);
    EXPECT_EQ(key.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  }
  // The generator runs on across the keys: "a" seeds it with 0x61.
  EXPECT_EQ(keys[0], "63CACE42D9");
  EXPECT_EQ(keys[3], "B4721C60FD");
}

TEST(WepKeyGenerationTest, RepeatedBytesCancelInTheSeed) {
  const WepKeys abcd = GenerateWepKeys("abcd", 0);
  const WepKeys twice = GenerateWepKeys("abcdabcd", 0);
  EXPECT_NE(abcd, twice);
  EXPECT_EQ(twice[0], kZeroSeedKey1);
  EXPECT_EQ(twice[1], "15AD1DD294");
}

TEST(WepKeyGenerationTest, Md5KeysAreFourEqual128BitKeys) {
  const WepKeys keys = GenerateWepKeys("abcd", 1);
  // MD5 of "abcd" repeated to 64 bytes, first 13 bytes.
  EXPECT_EQ(keys[0], "386F81FD57366030AE7EA0392A");
  EXPECT_EQ(keys[1], keys[0]);
  EXPECT_EQ(keys[2], keys[0]);
  EXPECT_EQ(keys[3], keys[0]);
  // A 64-byte passphrase is used exactly; a longer one is cut.
  EXPECT_EQ(GenerateWepKeys(std::string(64, 'x'), 1), GenerateWepKeys(std::string(90, 'x'), 1));
}

TEST(WepKeyGenerationTest, NoKeysWithoutPassphraseOrGenerator) {
  const WepKeys empty{};
  EXPECT_EQ(GenerateWepKeys("", 0), empty);
  EXPECT_EQ(GenerateWepKeys("", 1), empty);
  EXPECT_EQ(GenerateWepKeys("abc", 2), empty);  // 152-bit keys are typed in
}

TEST(WepKeySizeTest, TableAndLengthMessages) {
  EXPECT_EQ(WepKeySizeAt(0).keyBytes, 5);
  EXPECT_EQ(WepKeySizeAt(1).storedBits, 104);
  EXPECT_EQ(WepKeySizeAt(2).hexDigits, 32);
  EXPECT_STREQ(WepKeySizeAt(0).lengthMessage, kKeyLength10Message);
  EXPECT_STREQ(WepKeySizeAt(1).lengthMessage, kKeyLength26Message);
  EXPECT_STREQ(WepKeySizeAt(2).lengthMessage, kKeyLength32Message);
  EXPECT_STREQ(WepKeySizeAt(99).caption, "152 Bit");
}

TEST(TypedKeyTest, LengthMustMatchTheSize) {
  EXPECT_TRUE(HasKeyLength("0123456789", 0));
  EXPECT_FALSE(HasKeyLength("012345678", 0));  // 9 digits
  EXPECT_FALSE(HasKeyLength("", 0));
  EXPECT_TRUE(HasKeyLength(std::string(26, 'A'), 1));
  EXPECT_FALSE(HasKeyLength(std::string(26, 'A'), 2));
}

TEST(TypedKeyTest, FirstNonHexCharacterIsRemoved) {
  std::string text = "12G4";
  EXPECT_EQ(RemoveFirstNonHexDigit(text), 2u);
  EXPECT_EQ(text, "124");
  text = "abcDEF09";
  EXPECT_EQ(RemoveFirstNonHexDigit(text), std::string::npos);
  EXPECT_EQ(text, "abcDEF09");
}

TEST(TypedKeyTest, MasksAreStarsOnly) {
  EXPECT_TRUE(IsMask(MaskOf(26)));
  EXPECT_FALSE(IsMask("**a*"));
  EXPECT_FALSE(IsMask(""));
}

TEST(PassphraseRuleTest, WpaPassphraseHas8To63Characters) {
  EXPECT_FALSE(IsValidWpaPassphrase("1234567"));
  EXPECT_TRUE(IsValidWpaPassphrase("12345678"));
  EXPECT_TRUE(IsValidWpaPassphrase(std::string(63, 'p')));
  EXPECT_FALSE(IsValidWpaPassphrase(std::string(64, 'p')));
  EXPECT_TRUE(IsValidWepPassphrase("x"));
  EXPECT_FALSE(IsValidWepPassphrase(""));
}

TEST(PassphraseRuleTest, WpaPskPassphraseSetsTheWpaFields) {
  WirelessProfile profile;
  profile.WPA = 0;
  profile.AdvancedAuthenticationType = 3;
  profile.EncryptionAlg = 1;
  profile.EapSelection = 0;
  SetWpaPskPassphrase(profile, "correct horse");
  EXPECT_EQ(profile.WPA, 1);
  EXPECT_EQ(profile.AdvancedAuthenticationType, 5);
  EXPECT_EQ(profile.EncryptionAlg, 6);
  EXPECT_EQ(profile.EapSelection, 7);
  EXPECT_EQ(profile.Passphrase, "correct horse");
  EXPECT_EQ(profile.PassphraseLength, 13);
}

TEST(PlaceholderKeyTest, OnlyA8021xWepProfileGetsIt) {
  WirelessProfile dot1xWep;
  dot1xWep.WPA = 0;
  dot1xWep.leapEnabled = 0;
  ApplyPlaceholderKey(dot1xWep);
  EXPECT_EQ(dot1xWep.SharedKey[0], "7c7c7c7c7c");
  EXPECT_EQ(dot1xWep.SharedKeyLength[0], 5);

  WirelessProfile wpa;  // defaults: WPA = 1
  ApplyPlaceholderKey(wpa);
  EXPECT_EQ(wpa.SharedKey[0], "");
  WirelessProfile leap;
  leap.WPA = 0;
  leap.leapEnabled = 1;
  ApplyPlaceholderKey(leap);
  EXPECT_EQ(leap.SharedKey[0], "");
}

}  // namespace
}  // namespace kestrel
