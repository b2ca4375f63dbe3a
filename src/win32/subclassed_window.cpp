#include "win32/subclassed_window.h"

#include "win32/window_subclass.h"

namespace kestrel {

SubclassedWindow::~SubclassedWindow() {
  detach();
}

bool SubclassedWindow::attach(HWND window, UINT_PTR subclassId) {
  detach();
  if (window == nullptr ||
      !InstallSubclass(window, subclassProcedure, subclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  hwnd_ = window;
  subclassId_ = subclassId;
  return true;
}

void SubclassedWindow::detach() {
  if (hwnd_ != nullptr)
    RemoveSubclass(hwnd_, subclassProcedure, subclassId_);
  hwnd_ = nullptr;
}

LRESULT CALLBACK SubclassedWindow::subclassProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                                     UINT_PTR, DWORD_PTR self) {
  auto* subclassed = reinterpret_cast<SubclassedWindow*>(self);
  bool handled = false;
  const LRESULT result = subclassed->dispatch(message, w, l, handled);
  if (message == WM_NCDESTROY) {
    subclassed->onFinalMessage();
    subclassed->detach();
  }
  return handled ? result : CallNextSubclass(window, message, w, l);
}

LRESULT SubclassedWindow::dispatch(UINT message, WPARAM w, LPARAM l, bool& handled) {
  switch (message) {
    case WM_SHOWWINDOW:
      onShowWindow(w != FALSE);
      return 0;
    case WM_CLOSE:
      handled = onClose();
      return 0;
    case WM_COMMAND:
      handled = onCommand({LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l), w, l});
      return 0;
    case WM_TIMER:
      handled = onTimer(w);
      return 0;
    case WM_CTLCOLORSTATIC: {
      LRESULT brush = 0;
      handled = onStaticColour(reinterpret_cast<HWND>(l), reinterpret_cast<HDC>(w), brush);
      return brush;
    }
    case WM_DRAWITEM:
      handled = onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_DESTROY:
      onDestroy();
      return 0;
    case WM_NCDESTROY:
      return 0;
    default:
      return onMessage(message, w, l, handled);
  }
}

}  // namespace kestrel
