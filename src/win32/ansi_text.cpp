#include "win32/ansi_text.h"

#include <windows.h>

namespace kestrel {

std::wstring WideFromCore(const std::string& text) {
  if (text.empty())
    return {};
  const int length =
      MultiByteToWideChar(kCoreCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0)
    return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kCoreCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                      length);
  return wide;
}

std::string CoreFromWide(const std::wstring& text) {
  if (text.empty())
    return {};
  const int length = WideCharToMultiByte(
      kCoreCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0)
    return {};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCoreCodePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                      length, nullptr, nullptr);
  return bytes;
}

}  // namespace kestrel
