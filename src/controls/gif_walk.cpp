#include "controls/gif_walk.h"

#include <cstring>

namespace kestrel {

namespace {

constexpr std::size_t kHeaderSize = 13;
constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kPlainText = 0x01;
constexpr std::uint8_t kGraphicControl = 0xF9;
constexpr std::uint8_t kComment = 0xFE;
constexpr std::uint8_t kApplication = 0xFF;

int Word(const std::uint8_t* at) {
  return at[0] | (at[1] << 8);
}

std::size_t ColourTableBytes(std::uint8_t packed) {
  return (packed & 0x80) != 0 ? 3u * (2u << (packed & 0x07)) : 0u;
}

// Bounded reader over the data; every step says whether it stayed inside.
class Cursor {
 public:
  Cursor(const std::uint8_t* data, std::size_t size, std::size_t at)
      : data_(data), size_(size), at_(at) {}

  std::size_t at() const { return at_; }
  bool has(std::size_t count) const { return at_ <= size_ && size_ - at_ >= count; }
  const std::uint8_t* here() const { return data_ + at_; }
  bool skip(std::size_t count) {
    if (!has(count))
      return false;
    at_ += count;
    return true;
  }
  // Length-prefixed sub-blocks up to and including the zero-length terminator.
  bool skipSubBlocks() {
    while (has(1)) {
      const std::size_t length = data_[at_];
      if (!skip(1 + length))
        return false;
      if (length == 0)
        return true;
    }
    return false;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_;
};

// Reads one graphic at the cursor. False when the walk ends before its image is complete.
bool ReadGraphic(Cursor& cursor, GifGraphic& graphic) {
  graphic = GifGraphic{};
  graphic.begin = cursor.at();
  while (cursor.has(1)) {
    const std::uint8_t introducer = *cursor.here();
    if (introducer == kImage) {
      if (!cursor.has(11))
        return false;
      const std::uint8_t* descriptor = cursor.here();
      graphic.image = cursor.at();
      graphic.left = Word(descriptor + 1);
      graphic.top = Word(descriptor + 3);
      graphic.width = Word(descriptor + 5);
      graphic.height = Word(descriptor + 7);
      if (!cursor.skip(11 + ColourTableBytes(descriptor[9])) || !cursor.skipSubBlocks())
        return false;
      graphic.end = cursor.at();
      return true;
    }
    if (introducer != kExtension || !cursor.has(2))
      return false;
    const std::uint8_t* block = cursor.here();
    switch (block[1]) {
      case kGraphicControl:
        if (!cursor.has(8))
          return false;
        graphic.disposal = (block[3] >> 2) & 0x07;
        graphic.delay = Word(block + 4);
        cursor.skip(8);
        break;
      case kApplication:
        if (!cursor.skip(14) || !cursor.skipSubBlocks())
          return false;
        break;
      case kComment:
        if (!cursor.skip(2) || !cursor.skipSubBlocks())
          return false;
        break;
      case kPlainText:
        if (!cursor.skip(15) || !cursor.skipSubBlocks())
          return false;
        break;
      default:
        return false;
    }
  }
  return false;
}

void PutWord(std::uint8_t* at, int value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

bool IsGifSignature(const std::uint8_t* data, std::size_t size) {
  return size >= 6 && std::memcmp(data, "GIF", 3) == 0 &&
         (std::memcmp(data + 3, "87a", 3) == 0 || std::memcmp(data + 3, "89a", 3) == 0);
}

GifLayout WalkGif(const std::uint8_t* data, std::size_t size) {
  GifLayout layout;
  layout.isGif = IsGifSignature(data, size);
  if (!layout.isGif || size < kHeaderSize)
    return layout;
  layout.width = Word(data + 6);
  layout.height = Word(data + 8);
  layout.globalTableSize = ColourTableBytes(data[10]);

  Cursor cursor(data, size, 0);
  if (!cursor.skip(kHeaderSize + layout.globalTableSize))
    return layout;
  GifGraphic graphic;
  while (cursor.has(1) && *cursor.here() != kTrailer && ReadGraphic(cursor, graphic))
    layout.graphics.push_back(graphic);
  return layout;
}

std::vector<std::uint8_t> BuildFrameGif(const std::uint8_t* data, std::size_t size,
                                        const GifLayout& layout, const GifGraphic& graphic) {
  const std::size_t head = kHeaderSize + layout.globalTableSize;
  if (!layout.isGif || head > size || graphic.begin < head || graphic.end > size ||
      graphic.image < graphic.begin || graphic.image + 11 > graphic.end) {
    return {};
  }
  std::vector<std::uint8_t> frame(data, data + head);
  frame.insert(frame.end(), data + graphic.begin, data + graphic.end);
  frame.push_back(kTrailer);

  PutWord(frame.data() + 6, graphic.width);
  PutWord(frame.data() + 8, graphic.height);
  std::uint8_t* descriptor = frame.data() + head + (graphic.image - graphic.begin);
  PutWord(descriptor + 1, 0);
  PutWord(descriptor + 3, 0);
  return frame;
}

unsigned FrameWaitMilliseconds(int delay) {
  return delay > 4 ? static_cast<unsigned>(delay) * 10u : 100u;
}

}  // namespace kestrel
