#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "profiles/secure_wipe.h"

namespace kestrel {

inline constexpr std::size_t kPskBufferSize = 64;

// A zero-filled buffer holding at most 63 bytes of a text for the client library, so it
// stays NUL-terminated; wiped when it goes, since it may hold a passphrase.
class PskBuffer {
 public:
  explicit PskBuffer(const std::string& text) { text.copy(bytes_.data(), kPskBufferSize - 1); }
  ~PskBuffer() { SecureWipe(bytes_.data(), bytes_.size()); }
  PskBuffer(const PskBuffer&) = delete;
  PskBuffer& operator=(const PskBuffer&) = delete;

  const char* data() const { return bytes_.data(); }

 private:
  std::array<char, kPskBufferSize> bytes_{};
};

}  // namespace kestrel
