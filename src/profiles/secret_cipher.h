#pragma once
// The stored-secret cipher: Blowfish in ECB mode keyed with the card configuration id,
// blocks read as two little-endian words, cipher bytes as upper-case hex text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

// Plaintext and cipher bytes of one secret fit in this many bytes.
inline constexpr std::size_t kSecretBufferBytes = 256;

// Enciphers the first bits / 8 bytes of `plaintext`: with `hexInput` decoded from its
// first bits / 4 hex digits, else its own bytes (zero past its end). Zero-padded to whole
// blocks. Empty plaintext gives empty text; the byte count is bounded to 0..256.
std::string EncryptSecret(std::string_view cardConfigId, std::string_view plaintext,
                          std::int32_t bits, bool hexInput);

// Deciphers hex cipher text. `target` receives the first `byteCount` plaintext bytes as
// upper-case hex (never more than the cipher text holds); the result is the plaintext as
// text, up to its first zero byte. Empty, odd-length, overlong or non-hex cipher text
// empties `target` and gives empty text.
std::string DecryptSecret(std::string_view cardConfigId, std::string_view cipherText,
                          std::string& target, std::int32_t byteCount);

}  // namespace kestrel
