#pragma once
// Builds GIF containers block by block for the walk's tests. The image data are opaque
// sub-blocks: the walk never decodes them.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace kestrel::testing {

class GifBytes {
 public:
  // Signature and logical screen; a global table of 2^(tableBits + 1) entries when >= 0.
  GifBytes(int width, int height, int tableBits = 1, const char* version = "89a") {
    put("GIF");
    put(version);
    word(width);
    word(height);
    bytes_.push_back(tableBits >= 0 ? static_cast<std::uint8_t>(0x80 | tableBits) : 0);
    bytes_.push_back(0);  // background index
    bytes_.push_back(0);  // aspect
    if (tableBits >= 0)
      zeros(3u * (2u << tableBits));
  }

  GifBytes& graphicControl(int delay, int disposal) {
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 0x04, static_cast<std::uint8_t>(disposal << 2)});
    word(delay);
    bytes_.insert(bytes_.end(), {0x00, 0x00});
    return *this;
  }
  GifBytes& comment(std::initializer_list<int> subBlockSizes) {
    bytes_.insert(bytes_.end(), {0x21, 0xFE});
    return subBlocks(subBlockSizes);
  }
  GifBytes& application(std::initializer_list<int> subBlockSizes) {
    bytes_.insert(bytes_.end(), {0x21, 0xFF, 0x0B});
    put("NETSCAPE2.0");
    return subBlocks(subBlockSizes);
  }
  GifBytes& plainText(std::initializer_list<int> subBlockSizes) {
    bytes_.insert(bytes_.end(), {0x21, 0x01, 0x0C});
    zeros(12);
    return subBlocks(subBlockSizes);
  }
  // Image descriptor, optional local table, LZW minimum code size and data sub-blocks.
  GifBytes& image(int left, int top, int width, int height,
                  std::initializer_list<int> subBlockSizes = {3}, int localTableBits = -1) {
    bytes_.push_back(0x2C);
    word(left);
    word(top);
    word(width);
    word(height);
    bytes_.push_back(localTableBits >= 0 ? static_cast<std::uint8_t>(0x80 | localTableBits) : 0);
    if (localTableBits >= 0)
      zeros(3u * (2u << localTableBits));
    bytes_.push_back(2);  // LZW minimum code size
    return subBlocks(subBlockSizes);
  }
  GifBytes& trailer() {
    bytes_.push_back(0x3B);
    return *this;
  }
  GifBytes& raw(std::initializer_list<std::uint8_t> more) {
    bytes_.insert(bytes_.end(), more);
    return *this;
  }

  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  void put(const char* text) {
    while (*text != '\0')
      bytes_.push_back(static_cast<std::uint8_t>(*text++));
  }
  void word(int value) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  void zeros(unsigned count) { bytes_.insert(bytes_.end(), count, 0); }
  GifBytes& subBlocks(std::initializer_list<int> sizes) {
    for (int size : sizes) {
      bytes_.push_back(static_cast<std::uint8_t>(size));
      bytes_.insert(bytes_.end(), static_cast<std::size_t>(size), 0x55);
    }
    bytes_.push_back(0);
    return *this;
  }

  std::vector<std::uint8_t> bytes_;
};

}  // namespace kestrel::testing
