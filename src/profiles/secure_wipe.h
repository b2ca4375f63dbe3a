#pragma once

#include <cstddef>
#include <string>

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

}  // namespace kestrel
