#pragma once
// The windows of the user-interface thread as the endurance check sees them from its own
// thread: the hidden main window, the sheet, a dialog over the sheet.

#include <windows.h>

namespace kestrel::endurance {

// Runs the handler of `message` in the window's thread and waits for it (at most 10 s).
bool Deliver(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0);

HWND FindHiddenWindow(DWORD thread);
// The sheet once it shows a page; null otherwise.
HWND FindSheet(DWORD thread);
// A dialog of `thread` other than the sheet and the hidden window (a modal one in front).
HWND FindDialog(DWORD thread, HWND sheet, HWND hidden);
HWND CurrentPage(HWND sheet);
HWND ChildOfClass(HWND parent, const wchar_t* className);

template <typename Condition>
bool WaitUntil(Condition condition, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > ms)
      return false;
    Sleep(2);
  }
  return true;
}

}  // namespace kestrel::endurance
