#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

// Zeroes memory in a way the optimiser may not drop.
inline void SecureWipe(void* data, std::size_t size) {
  volatile unsigned char* bytes = static_cast<volatile unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = 0;
  }
}

// Zeroes a text's bytes, then empties it.
inline void SecureWipe(std::string& text) {
  SecureWipe(text.data(), text.size());
  text.clear();
}

// Replaces a secret: the old bytes are zeroed first, so neither a shorter new value nor a
// reallocation leaves them behind.
inline void AssignSecret(std::string& target, std::string_view value) {
  SecureWipe(target);
  target.assign(value.data(), value.size());
}

}  // namespace kestrel
