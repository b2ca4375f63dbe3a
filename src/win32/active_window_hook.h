#pragma once
// A hook on this thread that is set only while one top-level window of the thread is the
// active one. Keys reach a window only while it is active, so a key hook for a window's
// controls need not run otherwise; and each hook costs every message of the thread several
// server calls under Wine, which a window left open behind others would pay for nothing.

#include <windows.h>

#include "win32/scoped_handles.h"

namespace kestrel {

class ActiveWindowHook {
 public:
  ActiveWindowHook(int type, HOOKPROC procedure) : type_(type), procedure_(procedure) {}
  ~ActiveWindowHook() { stop(); }
  ActiveWindowHook(const ActiveWindowHook&) = delete;
  ActiveWindowHook& operator=(const ActiveWindowHook&) = delete;

  // Follows `window`'s activation from now on; hooked at once when it is active. Again while
  // following a window it changes nothing.
  void start(HWND window);
  void stop();
  bool hooked() const { return static_cast<bool>(hook_); }

 private:
  static LRESULT CALLBACK WatchActivation(HWND window, UINT message, WPARAM w, LPARAM l,
                                          UINT_PTR id, DWORD_PTR self);
  void setHooked(bool hooked);

  int type_;
  HOOKPROC procedure_;
  HWND window_ = nullptr;
  UniqueHook hook_;
};

}  // namespace kestrel
