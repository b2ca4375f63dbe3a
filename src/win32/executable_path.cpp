#include "win32/executable_path.h"

#include <windows.h>

namespace kestrel {

namespace {

// A path filling the buffer may have been cut (XP does not even end it), so grow it until
// the whole path fits, up to the longest path the system has.
template <typename Text, typename Read>
Text GrowingModulePath(Read read) {
  constexpr DWORD kLongestPath = 32768;
  for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
    Text path(size, typename Text::value_type{});
    const DWORD length = read(nullptr, path.data(), size);
    if (length == 0)
      return {};
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  return {};
}

}  // namespace

std::string ExecutablePath() {
  return GrowingModulePath<std::string>(GetModuleFileNameA);
}

std::wstring ExecutablePathWide() {
  return GrowingModulePath<std::wstring>(GetModuleFileNameW);
}

}  // namespace kestrel
