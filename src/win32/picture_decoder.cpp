#include "win32/picture_decoder.h"

#include <cstring>

namespace kestrel {

bool DecodedPicture::decode(const std::uint8_t* data, std::size_t size) {
  picture_.reset();
  if (data == nullptr || size == 0 || size > 0x7FFFFFFF)
    return false;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr)
    return false;
  void* bytes = GlobalLock(block);
  if (bytes == nullptr) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(bytes, data, size);
  GlobalUnlock(block);
  // The stream frees the block when it is released.
  ComRef<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.put()))) {
    GlobalFree(block);
    return false;
  }
  if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(picture_.put())))) {
    picture_.reset();
    return false;
  }
  if (FAILED(picture_->get_Width(&himetricWidth_)) ||
      FAILED(picture_->get_Height(&himetricHeight_))) {
    picture_.reset();
    return false;
  }
  return true;
}

SIZE DecodedPicture::pixelSize() const {
  HDC screen = GetDC(nullptr);
  const int perInchX = GetDeviceCaps(screen, LOGPIXELSX);
  const int perInchY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return SIZE{MulDiv(himetricWidth_, perInchX, 2540), MulDiv(himetricHeight_, perInchY, 2540)};
}

bool DecodedPicture::render(HDC dc, int left, int top, int width, int height) const {
  if (!picture_)
    return false;
  // Source coordinates run upwards in HIMETRIC: start at the bottom with a negative height.
  return SUCCEEDED(picture_->Render(dc, left, top, width, height, 0, himetricHeight_,
                                    himetricWidth_, -himetricHeight_, nullptr));
}

}  // namespace kestrel
