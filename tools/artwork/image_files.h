#pragma once
// File formats the resources use: GIF (one or many frames), 24-bit BMP, 32-bit ICO.

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace kestrel::artwork {

using Bytes = std::vector<std::uint8_t>;

struct GifFrame {
  Canvas image;
  int left = 0;
  int top = 0;
  int delay = 0;  // hundredths of a second
  int disposal = 1;
};

// One global colour table for all frames (at most 256 colours, kClear becomes the
// transparent index); frames carry a graphic control extension when `animated`.
Bytes EncodeGif(int width, int height, const std::vector<GifFrame>& frames, bool animated);
Bytes EncodeGif(const Canvas& still);

Bytes EncodeBmp(const Canvas& image);
// Each image a square; 32-bit colour with alpha from kClear, plus the AND mask.
Bytes EncodeIco(const std::vector<Canvas>& sizes);

}  // namespace kestrel::artwork
