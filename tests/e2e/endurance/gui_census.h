#pragma once
// What this process holds at one moment: private memory and its GDI and USER objects.
// Wine answers GetGuiResources with 0 and GetProcessMemoryInfo's PrivateUsage with 0, so
// the census also counts the objects itself and falls back on the commit charge.

#include <cstddef>
#include <string>

namespace kestrel::endurance {

struct Census {
  std::size_t privateBytes = 0;
  int gdiObjects = 0;   // GetGuiResources where it answers, else counted
  int userObjects = 0;  // likewise: windows, menus, icons and cursors
  bool gdiCounted = false;
  bool userCounted = false;
  bool memoryFromCommitCharge = false;
};

Census TakeCensus();
std::string Describe(const Census& census);

}  // namespace kestrel::endurance
