// Blowfish, MD5 and the stored-secret cipher built on them.
#include <gtest/gtest.h>

#include <string>

#include "profiles/blowfish.h"
#include "profiles/hex_text.h"
#include "profiles/md5.h"
#include "profiles/secret_cipher.h"

namespace kestrel {
namespace {

constexpr char kCardId[] = "3f2504e0-4f89-11d3-9a0c-0305e82c3301";

std::string Bytes(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(HexDigitValue(hex[i]) << 4 | HexDigitValue(hex[i + 1]));
  }
  return bytes;
}

// The published vectors write each block as two big-endian words; the stored layout reads
// them little-endian, so the bytes of every word are reversed.
std::string SwapWordBytes(const std::string& hex) {
  std::string swapped;
  for (std::size_t word = 0; word + 8 <= hex.size(); word += 8) {
    for (std::size_t pair = 4; pair-- > 0;) {
      swapped += hex.substr(word + 2 * pair, 2);
    }
  }
  return swapped;
}

struct BlowfishVector {
  const char* key;
  const char* plain;
  const char* cipher;
};

constexpr BlowfishVector kVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
};

std::uint32_t Word(const std::string& hex) {
  return static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
}

TEST(BlowfishTest, PublishedVectorsEncryptAndDecrypt) {
  for (const BlowfishVector& vector : kVectors) {
    const std::string key = Bytes(vector.key);
    const Blowfish cipher(reinterpret_cast<const std::uint8_t*>(key.data()), key.size());
    std::uint32_t left = Word(std::string(vector.plain).substr(0, 8));
    std::uint32_t right = Word(std::string(vector.plain).substr(8));
    cipher.encrypt(left, right);
    EXPECT_EQ(left, Word(std::string(vector.cipher).substr(0, 8))) << vector.key;
    EXPECT_EQ(right, Word(std::string(vector.cipher).substr(8))) << vector.key;
    cipher.decrypt(left, right);
    EXPECT_EQ(left, Word(std::string(vector.plain).substr(0, 8)));
    EXPECT_EQ(right, Word(std::string(vector.plain).substr(8)));
  }
}

TEST(BlowfishTest, VariableLengthTextKey) {
  const std::string key = "abcdefghijklmnopqrstuvwxyz";
  const Blowfish cipher(reinterpret_cast<const std::uint8_t*>(key.data()), key.size());
  std::uint32_t left = 0x424C4F57;   // "BLOW"
  std::uint32_t right = 0x46495348;  // "FISH"
  cipher.encrypt(left, right);
  EXPECT_EQ(left, 0x324ED0FEu);
  EXPECT_EQ(right, 0xF413A203u);
}

TEST(SecretCipherTest, PublishedVectorsInTheStoredLayout) {
  for (const BlowfishVector& vector : kVectors) {
    const std::string key = Bytes(vector.key);
    const std::string stored = SwapWordBytes(vector.cipher);
    EXPECT_EQ(EncryptSecret(key, SwapWordBytes(vector.plain), 64, true), stored) << vector.key;
    std::string target;
    DecryptSecret(key, stored, target, 8);
    EXPECT_EQ(target, SwapWordBytes(vector.plain));
  }
}

TEST(SecretCipherTest, CipherTextIsWholeBlocksOfUpperCaseHex) {
  EXPECT_EQ(EncryptSecret(kCardId, "0123456789", 40, true).size(), 16u);
  EXPECT_EQ(EncryptSecret(kCardId, std::string(26, 'A'), 104, true).size(), 32u);
  EXPECT_EQ(EncryptSecret(kCardId, std::string(32, 'b'), 128, true).size(), 32u);
  EXPECT_EQ(EncryptSecret(kCardId, "12345678", 64, false).size(), 16u);  // no padding block
  const std::string cipher = EncryptSecret(kCardId, "secret", 48, false);
  EXPECT_EQ(cipher.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(EncryptSecret(kCardId, "", 64, false), "");
}

TEST(SecretCipherTest, RoundTripsHexAndText) {
  std::string target;
  const std::string key = EncryptSecret(kCardId, "a1b2c3d4e5", 40, true);
  EXPECT_EQ(DecryptSecret(kCardId, key, target, 5), Bytes("A1B2C3D4E5"));
  EXPECT_EQ(target, "A1B2C3D4E5");

  const std::string password = EncryptSecret(kCardId, "pass word!", 80, false);
  EXPECT_EQ(DecryptSecret(kCardId, password, target, 10), "pass word!");
  EXPECT_EQ(target, HexText(reinterpret_cast<const std::uint8_t*>("pass word!"), 10, true));

  // Fewer bits than the text: only those bytes are kept.
  const std::string cut = EncryptSecret(kCardId, "abcdefgh", 24, false);
  EXPECT_EQ(DecryptSecret(kCardId, cut, target, 3), "abc");
}

TEST(SecretCipherTest, SecretsDependOnTheCardId) {
  const std::string cipher = EncryptSecret(kCardId, "passphrase", 80, false);
  EXPECT_NE(EncryptSecret("another-card-id", "passphrase", 80, false), cipher);
  std::string target;
  EXPECT_NE(DecryptSecret("another-card-id", cipher, target, 10), "passphrase");
}

TEST(SecretCipherTest, EmptyCardIdKeysWithZeroBytes) {
  const std::string zeros(8, '\0');
  EXPECT_EQ(EncryptSecret("", "1234567890", 40, true),
            EncryptSecret(zeros, "1234567890", 40, true));
}

TEST(SecretCipherTest, BadLengthsAreBounded) {
  EXPECT_EQ(EncryptSecret(kCardId, "abc", -64, false), "");
  EXPECT_EQ(EncryptSecret(kCardId, "abc", 1 << 30, false).size(), 2 * kSecretBufferBytes);
  // Hex input shorter than its bit count, or not hex, reads as zero nibbles.
  EXPECT_EQ(EncryptSecret(kCardId, "12", 40, true), EncryptSecret(kCardId, "1200000000", 40, true));
  EXPECT_EQ(EncryptSecret(kCardId, "zz", 8, true), EncryptSecret(kCardId, "00", 8, true));
}

TEST(SecretCipherTest, DamagedCipherTextGivesNothing) {
  const std::string good = EncryptSecret(kCardId, "secret", 48, false);
  for (const std::string& damaged :
       {std::string("XYZ0123456789ABC"), good.substr(1), std::string(514, 'A'), std::string()}) {
    std::string target = "previous";
    EXPECT_EQ(DecryptSecret(kCardId, damaged, target, 6), "");
    EXPECT_EQ(target, "");
  }
}

TEST(SecretCipherTest, ByteCountNeverReachesPastTheCipherText) {
  const std::string cipher = EncryptSecret(kCardId, "abcde", 40, false);  // one block
  std::string target;
  EXPECT_EQ(DecryptSecret(kCardId, cipher, target, 1000), "abcde");
  EXPECT_EQ(target.size(), 16u);
  EXPECT_EQ(DecryptSecret(kCardId, cipher, target, -5), "");
  EXPECT_EQ(target, "");
  // A short final block is completed with zeros rather than read past the text.
  DecryptSecret(kCardId, cipher.substr(0, 10), target, 8);
  EXPECT_EQ(target.size(), 16u);
}

struct Md5Vector {
  const char* message;
  const char* digest;
};

TEST(Md5Test, Rfc1321Suite) {
  constexpr Md5Vector kSuite[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
       "0",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Md5Vector& vector : kSuite) {
    const Md5Digest digest = ComputeMd5(vector.message);
    EXPECT_EQ(HexText(digest.data(), digest.size(), false), vector.digest) << vector.message;
  }
}

TEST(Md5Test, PiecewiseUpdatesMatchOneUpdate) {
  const std::string message(200, 'k');
  Md5 pieces;
  for (std::size_t at = 0; at < message.size(); at += 7) {
    const std::string piece = message.substr(at, 7);
    pieces.update(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
  }
  EXPECT_EQ(pieces.final(), ComputeMd5(message));
}

}  // namespace
}  // namespace kestrel
