#pragma once
// Core texts are CP932 byte strings; windows show UTF-16.

#include <string>

namespace kestrel {

inline constexpr unsigned kCoreCodePage = 932;

std::wstring WideFromCore(const std::string& text);
std::string CoreFromWide(const std::wstring& text);

}  // namespace kestrel
