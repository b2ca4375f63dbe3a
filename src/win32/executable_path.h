#pragma once
// The running executable's own path, read whole however long it is.

#include <string>

namespace kestrel {

// Empty when the path cannot be read.
std::string ExecutablePath();  // in the system code page
std::wstring ExecutablePathWide();

}  // namespace kestrel
