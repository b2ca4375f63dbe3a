#pragma once
// The platform picture decoder: OLE's picture object over a memory stream (GIF, BMP, JPEG).
// COM must be initialised on the thread that decodes.

#include <olectl.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "win32/scoped_handles.h"

namespace kestrel {

class DecodedPicture {
 public:
  // False when the decoder refuses the data.
  bool decode(const std::uint8_t* data, std::size_t size);
  explicit operator bool() const { return static_cast<bool>(picture_); }
  // The picture's own size converted to pixels at the screen's logical resolution.
  SIZE pixelSize() const;
  // Draws the whole picture stretched to the rectangle; false when the object refuses.
  bool render(HDC dc, int left, int top, int width, int height) const;

 private:
  ComRef<IPicture> picture_;
  OLE_XSIZE_HIMETRIC himetricWidth_ = 0;
  OLE_YSIZE_HIMETRIC himetricHeight_ = 0;
};

}  // namespace kestrel
