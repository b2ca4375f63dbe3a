#pragma once
// Hooks on the calling thread only: every message of the thread passes a hook, so each one
// is set for as short a time as it is needed and removed by its owner.

#include <windows.h>

#include "win32/scoped_handles.h"

namespace kestrel {

// A hook of `type` (WH_GETMESSAGE, WH_MSGFILTER, ...) on this thread; empty when it could
// not be set.
inline UniqueHook HookThisThread(int type, HOOKPROC procedure) {
  return UniqueHook(SetWindowsHookExW(type, procedure, nullptr, GetCurrentThreadId()));
}

}  // namespace kestrel
