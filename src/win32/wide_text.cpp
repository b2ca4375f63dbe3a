#include "win32/wide_text.h"

#include <windows.h>

namespace kestrel {

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(text.size());
  const int wideSize = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (wideSize <= 0)
    return {};
  std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), wideSize);
  return wide;
}

}  // namespace kestrel
