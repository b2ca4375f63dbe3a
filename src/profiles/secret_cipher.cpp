#include "profiles/secret_cipher.h"

#include <algorithm>

#include "profiles/blowfish.h"
#include "profiles/hex_text.h"
#include "profiles/secure_wipe.h"
#include "profiles/wiped_bytes.h"

namespace kestrel {

namespace {

// Every call works in one of these, wiped on the way out.
using SecretBuffer = WipedBytes<kSecretBufferBytes>;

Blowfish CipherFor(std::string_view cardConfigId) {
  return Blowfish(reinterpret_cast<const std::uint8_t*>(cardConfigId.data()), cardConfigId.size());
}

std::uint32_t LoadLittleEndian(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void StoreLittleEndian(std::uint32_t word, std::uint8_t* at) {
  for (std::size_t i = 0; i < 4; ++i) {
    at[i] = static_cast<std::uint8_t>(word >> (8 * i));
  }
}

std::size_t WholeBlocks(std::size_t bytes) {
  return (bytes + 7) / 8 * 8;
}

std::uint8_t DigitOrZero(std::string_view text, std::size_t at) {
  const int value = at < text.size() ? HexDigitValue(text[at]) : -1;
  return static_cast<std::uint8_t>(value < 0 ? 0 : value);
}

}  // namespace

std::string EncryptSecret(std::string_view cardConfigId, std::string_view plaintext,
                          std::int32_t bits, bool hexInput) {
  if (plaintext.empty()) {
    return {};
  }
  const std::size_t size = static_cast<std::size_t>(
      std::clamp<std::int32_t>(bits / 8, 0, static_cast<std::int32_t>(kSecretBufferBytes)));
  SecretBuffer buffer;
  std::uint8_t* bytes = buffer.data();
  for (std::size_t i = 0; i < size; ++i) {
    if (hexInput) {
      bytes[i] = static_cast<std::uint8_t>(DigitOrZero(plaintext, 2 * i) << 4 |
                                           DigitOrZero(plaintext, 2 * i + 1));
    } else if (i < plaintext.size()) {
      bytes[i] = static_cast<std::uint8_t>(plaintext[i]);
    }
  }
  const std::size_t padded = WholeBlocks(size);
  const Blowfish cipher = CipherFor(cardConfigId);
  for (std::size_t at = 0; at < padded; at += 8) {
    std::uint32_t left = LoadLittleEndian(bytes + at);
    std::uint32_t right = LoadLittleEndian(bytes + at + 4);
    cipher.encrypt(left, right);
    StoreLittleEndian(left, bytes + at);
    StoreLittleEndian(right, bytes + at + 4);
  }
  return HexText(bytes, padded, true);
}

std::string DecryptSecret(std::string_view cardConfigId, std::string_view cipherText,
                          std::string& target, std::int32_t byteCount) {
  SecureWipe(target);
  const bool wellFormed = !cipherText.empty() && cipherText.size() % 2 == 0 &&
                          cipherText.size() <= 2 * kSecretBufferBytes &&
                          std::all_of(cipherText.begin(), cipherText.end(),
                                      [](char c) { return HexDigitValue(c) >= 0; });
  if (!wellFormed) {
    return {};
  }
  SecretBuffer buffer;
  std::uint8_t* bytes = buffer.data();
  const std::size_t size = cipherText.size() / 2;
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(DigitOrZero(cipherText, 2 * i) << 4 |
                                         DigitOrZero(cipherText, 2 * i + 1));
  }
  // A short last block is completed with zeros, as the buffer starts zeroed.
  const std::size_t padded = WholeBlocks(size);
  const Blowfish cipher = CipherFor(cardConfigId);
  for (std::size_t at = 0; at < padded; at += 8) {
    std::uint32_t left = LoadLittleEndian(bytes + at);
    std::uint32_t right = LoadLittleEndian(bytes + at + 4);
    cipher.decrypt(left, right);
    StoreLittleEndian(left, bytes + at);
    StoreLittleEndian(right, bytes + at + 4);
  }
  const std::size_t count =
      std::min(static_cast<std::size_t>(std::max<std::int32_t>(byteCount, 0)), padded);
  AppendHexText(target, bytes, count, true);
  const std::uint8_t* end = std::find(bytes, bytes + count, std::uint8_t{0});
  return std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(end - bytes));
}

}  // namespace kestrel
