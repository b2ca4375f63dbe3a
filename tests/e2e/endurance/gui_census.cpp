#include "gui_census.h"

#include <windows.h>
// clang-format off
#include <psapi.h>
// clang-format on

#include <cstdio>

namespace kestrel::endurance {

namespace {

// Wine numbers both kinds of handle by a 16-bit table index and takes a handle whose upper
// word is zero for whatever lives at that index, so every index can be asked about once.
constexpr ULONG_PTR kLastHandleIndex = 0xFFFF;
// USER handles take every second value from here.
constexpr ULONG_PTR kFirstUserHandle = 0x20;

template <typename Handle>
Handle AtIndex(ULONG_PTR index) {
  return reinterpret_cast<Handle>(index);
}

int CountGdiObjects() {
  int count = 0;
  for (ULONG_PTR index = 1; index <= kLastHandleIndex; ++index) {
    if (GetObjectType(AtIndex<HGDIOBJ>(index)) != 0)
      ++count;
  }
  return count;
}

bool IsIcon(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info))
    return false;
  if (info.hbmColor != nullptr)
    DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr)
    DeleteObject(info.hbmMask);
  return true;
}

int CountUserObjects() {
  const DWORD self = GetCurrentProcessId();
  int count = 0;
  for (ULONG_PTR index = kFirstUserHandle; index <= kLastHandleIndex; index += 2) {
    DWORD owner = 0;
    HWND window = AtIndex<HWND>(index);
    if (IsWindow(window)) {
      GetWindowThreadProcessId(window, &owner);
      if (owner == self)
        ++count;
    } else if (IsMenu(AtIndex<HMENU>(index)) || IsIcon(AtIndex<HICON>(index))) {
      ++count;
    }
  }
  return count;
}

}  // namespace

Census TakeCensus() {
  Census census;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    census.privateBytes = memory.PrivateUsage;
    if (census.privateBytes == 0) {
      census.privateBytes = memory.PagefileUsage;
      census.memoryFromCommitCharge = true;
    }
  }
  census.gdiObjects = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (census.gdiObjects == 0) {
    census.gdiObjects = CountGdiObjects();
    census.gdiCounted = true;
  }
  census.userObjects = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  if (census.userObjects == 0) {
    census.userObjects = CountUserObjects();
    census.userCounted = true;
  }
  return census;
}

std::string Describe(const Census& census) {
  char text[160];
  std::snprintf(text, sizeof text, "private %zu KiB%s, GDI %d%s, USER %d%s",
                census.privateBytes / 1024, census.memoryFromCommitCharge ? " (commit)" : "",
                census.gdiObjects, census.gdiCounted ? " (counted)" : "", census.userObjects,
                census.userCounted ? " (counted)" : "");
  return text;
}

}  // namespace kestrel::endurance
