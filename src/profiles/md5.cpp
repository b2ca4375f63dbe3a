#include "profiles/md5.h"

#include <cstring>

#include "profiles/secure_wipe.h"

namespace kestrel {

namespace {

// Per-step shift amounts and sine constants, four rounds of sixteen steps.
constexpr std::uint32_t kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                      5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                      4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                      6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr std::uint32_t kSine[64] = {
    0xD76AA478, 0xE8C7B756, 0x242070DB, 0xC1BDCEEE, 0xF57C0FAF, 0x4787C62A, 0xA8304613, 0xFD469501,
    0x698098D8, 0x8B44F7AF, 0xFFFF5BB1, 0x895CD7BE, 0x6B901122, 0xFD987193, 0xA679438E, 0x49B40821,
    0xF61E2562, 0xC040B340, 0x265E5A51, 0xE9B6C7AA, 0xD62F105D, 0x02441453, 0xD8A1E681, 0xE7D3FBC8,
    0x21E1CDE6, 0xC33707D6, 0xF4D50D87, 0x455A14ED, 0xA9E3E905, 0xFCEFA3F8, 0x676F02D9, 0x8D2A4C8A,
    0xFFFA3942, 0x8771F681, 0x6D9D6122, 0xFDE5380C, 0xA4BEEA44, 0x4BDECFA9, 0xF6BB4B60, 0xBEBFBC70,
    0x289B7EC6, 0xEAA127FA, 0xD4EF3085, 0x04881D05, 0xD9D4D039, 0xE6DB99E5, 0x1FA27CF8, 0xC4AC5665,
    0xF4292244, 0x432AFF97, 0xAB9423A7, 0xFC93A039, 0x655B59C3, 0x8F0CCC92, 0xFFEFF47D, 0x85845DD1,
    0x6FA87E4F, 0xFE2CE6E0, 0xA3014314, 0x4E0811A1, 0xF7537E82, 0xBD3AF235, 0x2AD7D2BB, 0xEB86D391};

std::uint32_t RotateLeft(std::uint32_t value, std::uint32_t count) {
  return (value << count) | (value >> (32 - count));
}

}  // namespace

Md5::Md5() : state_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476} {}

Md5::~Md5() {
  SecureWipe(state_.data(), sizeof state_);
  SecureWipe(&byteCount_, sizeof byteCount_);
  SecureWipe(buffer_.data(), buffer_.size());
}

void Md5::transform(const std::uint8_t* block) {
  std::uint32_t x[16];
  for (std::size_t i = 0; i < 16; ++i) {
    x[i] = static_cast<std::uint32_t>(block[4 * i]) |
           static_cast<std::uint32_t>(block[4 * i + 1]) << 8 |
           static_cast<std::uint32_t>(block[4 * i + 2]) << 16 |
           static_cast<std::uint32_t>(block[4 * i + 3]) << 24;
  }
  std::uint32_t a = state_[0];
  std::uint32_t b = state_[1];
  std::uint32_t c = state_[2];
  std::uint32_t d = state_[3];
  for (std::size_t step = 0; step < 64; ++step) {
    std::uint32_t mixed = 0;
    std::size_t word = 0;
    if (step < 16) {
      mixed = (b & c) | (~b & d);
      word = step;
    } else if (step < 32) {
      mixed = (b & d) | (c & ~d);
      word = (5 * step + 1) % 16;
    } else if (step < 48) {
      mixed = b ^ c ^ d;
      word = (3 * step + 5) % 16;
    } else {
      mixed = c ^ (b | ~d);
      word = (7 * step) % 16;
    }
    const std::uint32_t next = b + RotateLeft(a + mixed + kSine[step] + x[word], kShift[step]);
    a = d;
    d = c;
    c = b;
    b = next;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

void Md5::update(const std::uint8_t* data, std::size_t size) {
  std::size_t filled = static_cast<std::size_t>(byteCount_ % 64);
  byteCount_ += size;
  while (size > 0) {
    const std::size_t take = size < 64 - filled ? size : 64 - filled;
    std::memcpy(buffer_.data() + filled, data, take);
    filled += take;
    data += take;
    size -= take;
    if (filled == 64) {
      transform(buffer_.data());
      filled = 0;
    }
  }
}

Md5Digest Md5::final() {
  const std::uint64_t bitCount = byteCount_ * 8;
  const std::uint8_t marker = 0x80;
  update(&marker, 1);
  const std::uint8_t zero = 0;
  while (byteCount_ % 64 != 56) {
    update(&zero, 1);
  }
  std::uint8_t length[8];
  for (std::size_t i = 0; i < 8; ++i) {
    length[i] = static_cast<std::uint8_t>(bitCount >> (8 * i));
  }
  update(length, sizeof length);
  Md5Digest digest;
  for (std::size_t i = 0; i < 16; ++i) {
    digest[i] = static_cast<std::uint8_t>(state_[i / 4] >> (8 * (i % 4)));
  }
  return digest;
}

Md5Digest ComputeMd5(std::string_view data) {
  Md5 md5;
  md5.update(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
  return md5.final();
}

}  // namespace kestrel
