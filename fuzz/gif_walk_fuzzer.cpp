// GIF data comes from resources and files: whatever it holds, the walk and the frame split
// stay inside it, and every graphic they report lies within the data.
#include <cstdint>
#include <cstdlib>

#include "controls/gif_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrel;
  const GifLayout layout = WalkGif(data, size);
  for (const GifGraphic& graphic : layout.graphics) {
    if (graphic.begin > graphic.image || graphic.image >= graphic.end || graphic.end > size)
      std::abort();
    const std::vector<std::uint8_t> frame = BuildFrameGif(data, size, layout, graphic);
    const GifLayout single = WalkGif(frame.data(), frame.size());
    if (single.graphics.size() != 1 || single.graphics[0].delay != graphic.delay)
      std::abort();
  }
  return 0;
}
