#include "win32/library_search.h"

#include "win32/executable_path.h"

namespace kestrel {

namespace {

// From the SDK of the systems that have SetDefaultDllDirectories.
constexpr DWORD kSearchDefaultDirs = 0x00001000;  // LOAD_LIBRARY_SEARCH_DEFAULT_DIRS

using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

template <typename Fn>
Fn Kernel32Function(const char* name) {
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr)
    return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

}  // namespace

std::wstring BesideProgram(const wchar_t* fileName) {
  const std::wstring path = ExecutablePathWide();
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos)
    return {};
  return path.substr(0, separator + 1) + fileName;
}

HMODULE LoadLibraryBesideProgram(const wchar_t* fileName) {
  const std::wstring path = BesideProgram(fileName);
  return path.empty() ? nullptr : LoadLibraryW(path.c_str());
}

void RestrictDllSearch() {
  // Both are looked up: neither exists on every system the program runs on.
  if (const auto setDllDirectory = Kernel32Function<SetDllDirectoryFn>("SetDllDirectoryW"))
    setDllDirectory(L"");
  if (const auto setDefault =
          Kernel32Function<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories")) {
    setDefault(kSearchDefaultDirs);
  }
}

}  // namespace kestrel
