#pragma once
// The GIF container as the animated picture control reads it: screen, graphics, frames.
// Every read is bounded by the data; a block that would reach past the end ends the walk.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrel {

// One graphic: any extensions, then one image block with its data.
struct GifGraphic {
  std::size_t begin = 0;  // first byte of its first block
  std::size_t image = 0;  // its image descriptor
  std::size_t end = 0;    // one past the image's terminating sub-block
  int delay = -1;         // hundredths of a second; -1 without a graphic control extension
  int disposal = 0;       // 0 without a graphic control extension
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct GifLayout {
  bool isGif = false;  // "GIF" followed by "87a" or "89a"
  int width = 0;       // logical screen
  int height = 0;
  std::size_t globalTableSize = 0;  // bytes
  std::vector<GifGraphic> graphics;
};

bool IsGifSignature(const std::uint8_t* data, std::size_t size);
GifLayout WalkGif(const std::uint8_t* data, std::size_t size);

// A GIF holding only `graphic`: the source's signature, screen descriptor and global colour
// table, the graphic's blocks and a trailer. The screen is shrunk to the graphic and the
// image moved to (0, 0), so that any decoder yields exactly the frame's pixels.
std::vector<std::uint8_t> BuildFrameGif(const std::uint8_t* data, std::size_t size,
                                        const GifLayout& layout, const GifGraphic& graphic);

// How long a frame stays: its delay, but at least 100 ms for delays of 4 or less.
unsigned FrameWaitMilliseconds(int delay);

}  // namespace kestrel
