#pragma once
// An icon resource in the two sizes a window shows (title bar and task switcher), owned
// together and destroyed when their owner goes.

#include <windows.h>

#include "win32/scoped_handles.h"

namespace kestrel {

class WindowIcons {
 public:
  WindowIcons() = default;
  WindowIcons(HINSTANCE instance, int resourceId)
      : big_(Load(instance, resourceId, SM_CXICON, SM_CYICON)),
        small_(Load(instance, resourceId, SM_CXSMICON, SM_CYSMICON)) {}

  // The window shows them; it does not own them, so they must outlive its use of them.
  void showOn(HWND window) const {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_.get()));
  }

 private:
  static HICON Load(HINSTANCE instance, int resourceId, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), 0));
  }

  UniqueIcon big_;
  UniqueIcon small_;
};

}  // namespace kestrel
