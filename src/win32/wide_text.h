#pragma once

#include <string>

namespace kestrel {

// Core text (system code page) as UTF-16 for the wide API.
std::wstring WideFromAnsi(const std::string& text);

}  // namespace kestrel
