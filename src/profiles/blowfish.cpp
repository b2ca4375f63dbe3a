#include "profiles/blowfish.h"

#include <cstring>
#include <utility>

#include "profiles/blowfish_tables.h"
#include "profiles/secure_wipe.h"

namespace kestrel {

Blowfish::Blowfish(const std::uint8_t* key, std::size_t keySize) {
  std::memcpy(p_, kBlowfishInitialP, sizeof p_);
  std::memcpy(s_, kBlowfishInitialS, sizeof s_);
  std::size_t at = 0;
  for (std::uint32_t& word : p_) {
    std::uint32_t keyWord = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t byte = keySize == 0 ? 0 : key[at];
      keyWord = keyWord << 8 | byte;
      at = keySize == 0 ? 0 : (at + 1) % keySize;
    }
    word ^= keyWord;
  }
  std::uint32_t left = 0;
  std::uint32_t right = 0;
  for (std::size_t i = 0; i < 18; i += 2) {
    encrypt(left, right);
    p_[i] = left;
    p_[i + 1] = right;
  }
  for (auto& box : s_) {
    for (std::size_t i = 0; i < 256; i += 2) {
      encrypt(left, right);
      box[i] = left;
      box[i + 1] = right;
    }
  }
}

Blowfish::~Blowfish() {
  SecureWipe(p_, sizeof p_);
  SecureWipe(s_, sizeof s_);
}

std::uint32_t Blowfish::round(std::uint32_t half) const {
  return ((s_[0][half >> 24] + s_[1][(half >> 16) & 0xFF]) ^ s_[2][(half >> 8) & 0xFF]) +
         s_[3][half & 0xFF];
}

void Blowfish::encrypt(std::uint32_t& left, std::uint32_t& right) const {
  std::uint32_t l = left;
  std::uint32_t r = right;
  for (std::size_t i = 0; i < 16; ++i) {
    l ^= p_[i];
    r ^= round(l);
    std::swap(l, r);
  }
  std::swap(l, r);
  r ^= p_[16];
  l ^= p_[17];
  left = l;
  right = r;
}

void Blowfish::decrypt(std::uint32_t& left, std::uint32_t& right) const {
  std::uint32_t l = left;
  std::uint32_t r = right;
  for (std::size_t i = 17; i > 1; --i) {
    l ^= p_[i];
    r ^= round(l);
    std::swap(l, r);
  }
  std::swap(l, r);
  r ^= p_[1];
  l ^= p_[0];
  left = l;
  right = r;
}

}  // namespace kestrel
