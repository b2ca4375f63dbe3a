#pragma once
// Subclassing a window on every supported Windows. comctl32 exports SetWindowSubclass by name
// only from version 6, which Windows 2000 does not have; this chain replaces the window's
// procedure itself and keeps its semantics: several procedures per window, each with its own
// id and data, removable in any order, also from inside a call.

#include <windows.h>

namespace kestrel {

using SubclassProcedure = LRESULT(CALLBACK*)(HWND window, UINT message, WPARAM w, LPARAM l,
                                             UINT_PTR id, DWORD_PTR data);

// Puts `procedure` in front of the window's procedures; again with the same procedure and id
// it only replaces the data. False when the window is not ours to subclass.
bool InstallSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data);
// Takes `procedure` out; the window gets its own procedure back when none is left.
void RemoveSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id);
// From inside a subclass procedure: hands the message on to the next procedure of the chain.
LRESULT CallNextSubclass(HWND window, UINT message, WPARAM w, LPARAM l);

}  // namespace kestrel
