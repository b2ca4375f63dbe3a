#include "image_files.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace kestrel::artwork {

namespace {

void Word(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Dword(Bytes& out, std::uint32_t value) {
  Word(out, value & 0xFFFF);
  Word(out, value >> 16);
}

// LSB-first code packing into sub-blocks of at most 255 bytes.
class CodeWriter {
 public:
  void write(unsigned code, unsigned bits) {
    buffer_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      data_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  void finish(Bytes& out) {
    if (count_ > 0)
      data_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
    for (std::size_t at = 0; at < data_.size(); at += 255) {
      const std::size_t length = std::min<std::size_t>(255, data_.size() - at);
      out.push_back(static_cast<std::uint8_t>(length));
      out.insert(out.end(), data_.begin() + static_cast<std::ptrdiff_t>(at),
                 data_.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    out.push_back(0);
  }

 private:
  std::uint32_t buffer_ = 0;
  unsigned count_ = 0;
  Bytes data_;
};

void EncodeLzw(const std::vector<std::uint8_t>& indices, unsigned minCodeSize, Bytes& out) {
  out.push_back(static_cast<std::uint8_t>(minCodeSize));
  const unsigned clear = 1u << minCodeSize;
  CodeWriter writer;
  unsigned codeSize = minCodeSize + 1;
  unsigned lastCode = clear + 1;
  std::unordered_map<std::uint32_t, unsigned> table;
  writer.write(clear, codeSize);
  int prefix = -1;
  for (std::uint8_t index : indices) {
    if (prefix < 0) {
      prefix = index;
      continue;
    }
    const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | index;
    const auto found = table.find(key);
    if (found != table.end()) {
      prefix = static_cast<int>(found->second);
      continue;
    }
    writer.write(static_cast<unsigned>(prefix), codeSize);
    table[key] = ++lastCode;
    if (lastCode >= (1u << codeSize))
      ++codeSize;
    if (lastCode == 4095) {
      writer.write(clear, codeSize);
      table.clear();
      codeSize = minCodeSize + 1;
      lastCode = clear + 1;
    }
    prefix = index;
  }
  if (prefix >= 0)
    writer.write(static_cast<unsigned>(prefix), codeSize);
  writer.write(clear + 1, codeSize);
  writer.finish(out);
}

struct Palette {
  std::vector<Colour> colours;
  std::map<Colour, std::uint8_t> index;
  int transparent = -1;
};

Palette BuildPalette(const std::vector<GifFrame>& frames) {
  Palette palette;
  for (const GifFrame& frame : frames) {
    for (Colour colour : frame.image.pixels()) {
      if (palette.index.count(colour) != 0)
        continue;
      if (palette.colours.size() == 256)
        throw std::runtime_error("artwork uses more than 256 colours");
      palette.index[colour] = static_cast<std::uint8_t>(palette.colours.size());
      if (colour == kClear)
        palette.transparent = static_cast<int>(palette.colours.size());
      palette.colours.push_back(colour);
    }
  }
  return palette;
}

}  // namespace

Bytes EncodeGif(int width, int height, const std::vector<GifFrame>& frames, bool animated) {
  const Palette palette = BuildPalette(frames);
  unsigned tableBits = 0;  // table of 2^(tableBits + 1) entries
  while ((2u << tableBits) < palette.colours.size())
    ++tableBits;

  Bytes out{'G', 'I', 'F', '8', '9', 'a'};
  Word(out, static_cast<unsigned>(width));
  Word(out, static_cast<unsigned>(height));
  out.push_back(static_cast<std::uint8_t>(0xF0 | tableBits));
  out.push_back(0);
  out.push_back(0);
  for (unsigned i = 0; i < (2u << tableBits); ++i) {
    const Colour colour = i < palette.colours.size() && palette.colours[i] != kClear
                              ? palette.colours[i]
                              : Rgb(0, 0, 0);
    out.push_back(static_cast<std::uint8_t>((colour >> 16) & 0xFF));
    out.push_back(static_cast<std::uint8_t>((colour >> 8) & 0xFF));
    out.push_back(static_cast<std::uint8_t>(colour & 0xFF));
  }
  if (animated) {
    const char loop[] = "NETSCAPE2.0";
    out.insert(out.end(), {0x21, 0xFF, 0x0B});
    out.insert(out.end(), loop, loop + 11);
    out.insert(out.end(), {0x03, 0x01, 0x00, 0x00, 0x00});
  }
  for (const GifFrame& frame : frames) {
    if (animated || palette.transparent >= 0) {
      const bool transparent = palette.transparent >= 0;
      out.insert(out.end(), {0x21, 0xF9, 0x04});
      out.push_back(static_cast<std::uint8_t>((frame.disposal << 2) | (transparent ? 1 : 0)));
      Word(out, static_cast<unsigned>(frame.delay));
      out.push_back(static_cast<std::uint8_t>(transparent ? palette.transparent : 0));
      out.push_back(0);
    }
    out.push_back(0x2C);
    Word(out, static_cast<unsigned>(frame.left));
    Word(out, static_cast<unsigned>(frame.top));
    Word(out, static_cast<unsigned>(frame.image.width()));
    Word(out, static_cast<unsigned>(frame.image.height()));
    out.push_back(0);
    std::vector<std::uint8_t> indices;
    indices.reserve(frame.image.pixels().size());
    for (Colour colour : frame.image.pixels())
      indices.push_back(palette.index.at(colour));
    EncodeLzw(indices, std::max(2u, tableBits + 1), out);
  }
  out.push_back(0x3B);
  return out;
}

Bytes EncodeGif(const Canvas& still) {
  return EncodeGif(still.width(), still.height(), {GifFrame{still, 0, 0, 0, 0}}, false);
}

Bytes EncodeBmp(const Canvas& image) {
  const auto rowBytes = static_cast<std::uint32_t>((image.width() * 3 + 3) & ~3);
  const std::uint32_t dataSize = rowBytes * static_cast<std::uint32_t>(image.height());
  Bytes out{'B', 'M'};
  Dword(out, 54 + dataSize);
  Dword(out, 0);
  Dword(out, 54);
  Dword(out, 40);
  Dword(out, static_cast<std::uint32_t>(image.width()));
  Dword(out, static_cast<std::uint32_t>(image.height()));
  Word(out, 1);
  Word(out, 24);
  Dword(out, 0);
  Dword(out, dataSize);
  Dword(out, 2835);
  Dword(out, 2835);
  Dword(out, 0);
  Dword(out, 0);
  for (int y = image.height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.width(); ++x) {
      Colour colour = image.at(x, y);
      if (colour == kClear)
        colour = 0;
      out.push_back(static_cast<std::uint8_t>(colour & 0xFF));
      out.push_back(static_cast<std::uint8_t>((colour >> 8) & 0xFF));
      out.push_back(static_cast<std::uint8_t>((colour >> 16) & 0xFF));
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(image.width()) * 3; pad < rowBytes; ++pad)
      out.push_back(0);
  }
  return out;
}

Bytes EncodeIco(const std::vector<Canvas>& sizes) {
  std::vector<Bytes> images;
  for (const Canvas& image : sizes) {
    const int side = image.width();
    const auto maskRow = static_cast<std::uint32_t>(((side + 31) / 32) * 4);
    Bytes data;
    Dword(data, 40);
    Dword(data, static_cast<std::uint32_t>(side));
    Dword(data, static_cast<std::uint32_t>(side * 2));  // colour and mask
    Word(data, 1);
    Word(data, 32);
    Dword(data, 0);
    Dword(data,
          static_cast<std::uint32_t>(side * side * 4) + maskRow * static_cast<std::uint32_t>(side));
    for (int i = 0; i < 4; ++i)
      Dword(data, 0);
    for (int y = side - 1; y >= 0; --y) {
      for (int x = 0; x < side; ++x) {
        const Colour colour = image.at(x, y);
        const bool clear = colour == kClear;
        data.push_back(static_cast<std::uint8_t>(clear ? 0 : colour & 0xFF));
        data.push_back(static_cast<std::uint8_t>(clear ? 0 : (colour >> 8) & 0xFF));
        data.push_back(static_cast<std::uint8_t>(clear ? 0 : (colour >> 16) & 0xFF));
        data.push_back(clear ? 0 : 0xFF);
      }
    }
    for (int y = side - 1; y >= 0; --y) {
      Bytes row(maskRow, 0);
      for (int x = 0; x < side; ++x) {
        if (image.at(x, y) == kClear)
          row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
      data.insert(data.end(), row.begin(), row.end());
    }
    images.push_back(std::move(data));
  }

  Bytes out;
  Word(out, 0);
  Word(out, 1);
  Word(out, static_cast<unsigned>(sizes.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const int side = sizes[i].width();
    out.push_back(static_cast<std::uint8_t>(side >= 256 ? 0 : side));
    out.push_back(static_cast<std::uint8_t>(side >= 256 ? 0 : side));
    out.push_back(0);
    out.push_back(0);
    Word(out, 1);
    Word(out, 32);
    Dword(out, static_cast<std::uint32_t>(images[i].size()));
    Dword(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const Bytes& image : images)
    out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace kestrel::artwork
