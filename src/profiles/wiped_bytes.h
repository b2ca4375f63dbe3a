#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "profiles/secure_wipe.h"

namespace kestrel {

// A zero-filled working buffer for secret bytes that wipes itself when it goes.
template <std::size_t N>
class WipedBytes {
 public:
  WipedBytes() { bytes_.fill(0); }
  ~WipedBytes() { SecureWipe(bytes_.data(), bytes_.size()); }
  WipedBytes(const WipedBytes&) = delete;
  WipedBytes& operator=(const WipedBytes&) = delete;

  std::uint8_t* data() { return bytes_.data(); }
  static constexpr std::size_t size() { return N; }
  std::uint8_t& operator[](std::size_t at) { return bytes_[at]; }

 private:
  std::array<std::uint8_t, N> bytes_;
};

}  // namespace kestrel
