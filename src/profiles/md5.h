#pragma once
// MD5 message digest (RFC 1321).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrel {

using Md5Digest = std::array<std::uint8_t, 16>;

class Md5 {
 public:
  Md5();
  // Its block buffer holds the input, which may be a passphrase.
  ~Md5();
  Md5(const Md5&) = delete;
  Md5& operator=(const Md5&) = delete;
  void update(const std::uint8_t* data, std::size_t size);
  // Pads, appends the bit length and gives the digest; the object must not be reused.
  Md5Digest final();

 private:
  void transform(const std::uint8_t* block);

  std::array<std::uint32_t, 4> state_;
  std::uint64_t byteCount_ = 0;
  std::array<std::uint8_t, 64> buffer_{};
};

Md5Digest ComputeMd5(std::string_view data);

}  // namespace kestrel
