#include "win32/active_window_hook.h"

#include "win32/thread_hook.h"
#include "win32/window_subclass.h"

namespace kestrel {

void ActiveWindowHook::start(HWND window) {
  if (window_ != nullptr || window == nullptr)
    return;
  if (!InstallSubclass(window, WatchActivation, reinterpret_cast<UINT_PTR>(this),
                       reinterpret_cast<DWORD_PTR>(this))) {
    setHooked(true);  // no activation to follow: hooked for as long as it is started
    return;
  }
  window_ = window;
  setHooked(GetActiveWindow() == window);
}

void ActiveWindowHook::stop() {
  if (window_ != nullptr)
    RemoveSubclass(window_, WatchActivation, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
  setHooked(false);
}

void ActiveWindowHook::setHooked(bool hooked) {
  if (!hooked)
    hook_.reset();
  else if (!hook_)
    hook_ = HookThisThread(type_, procedure_);
}

LRESULT CALLBACK ActiveWindowHook::WatchActivation(HWND window, UINT message, WPARAM w, LPARAM l,
                                                   UINT_PTR, DWORD_PTR self) {
  auto* hook = reinterpret_cast<ActiveWindowHook*>(self);
  if (message == WM_ACTIVATE)
    hook->setHooked(LOWORD(w) != WA_INACTIVE);
  else if (message == WM_NCDESTROY)
    hook->stop();
  return CallNextSubclass(window, message, w, l);
}

}  // namespace kestrel
