#include "icon_fingerprint.h"

#include <vector>

namespace kestrel::endurance {

namespace {

constexpr std::uint64_t kFnvOffset = 1469598103934665603ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

void HashBitmap(HDC dc, HBITMAP bitmap, std::uint64_t& hash) {
  BITMAP shape{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof shape, &shape) == 0)
    return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shape.bmWidth;
  info.bmiHeader.biHeight = -shape.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(shape.bmWidth) *
                                   static_cast<std::size_t>(shape.bmHeight) * 4);
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.data(), &info,
                DIB_RGB_COLORS) == 0)
    return;
  for (std::uint8_t byte : pixels)
    hash = (hash ^ byte) * kFnvPrime;
}

}  // namespace

std::uint64_t IconFingerprint(HICON icon) {
  ICONINFO parts{};
  if (icon == nullptr || !GetIconInfo(icon, &parts))
    return 0;
  std::uint64_t hash = kFnvOffset;
  HDC dc = GetDC(nullptr);
  HashBitmap(dc, parts.hbmColor, hash);
  HashBitmap(dc, parts.hbmMask, hash);
  ReleaseDC(nullptr, dc);
  if (parts.hbmColor != nullptr)
    DeleteObject(parts.hbmColor);
  if (parts.hbmMask != nullptr)
    DeleteObject(parts.hbmMask);
  return hash;
}

}  // namespace kestrel::endurance
