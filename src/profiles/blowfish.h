#pragma once
// Blowfish block cipher: 16 rounds, standard key schedule, on pairs of 32-bit words.

#include <cstddef>
#include <cstdint>

namespace kestrel {

class Blowfish {
 public:
  // Key bytes are taken cyclically; an empty key schedules with zero bytes.
  Blowfish(const std::uint8_t* key, std::size_t keySize);
  ~Blowfish();
  Blowfish(const Blowfish&) = delete;
  Blowfish& operator=(const Blowfish&) = delete;

  void encrypt(std::uint32_t& left, std::uint32_t& right) const;
  void decrypt(std::uint32_t& left, std::uint32_t& right) const;

 private:
  std::uint32_t round(std::uint32_t half) const;

  std::uint32_t p_[18];
  std::uint32_t s_[4][256];
};

}  // namespace kestrel
