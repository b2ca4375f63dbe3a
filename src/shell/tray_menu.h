#pragma once
// The notification-area icon's popup menu, item by item in its order.

#include "shell/tray_applet.h"

namespace kestrel {

struct TrayMenuItem {
  int command;
  const char* text;  // ASCII
};

inline constexpr TrayMenuItem kTrayMenuItems[] = {
    {kMenuOpen, "Open"},
    {kMenuAbout, "About..."},
    {kMenuExit, "Exit"},
};

}  // namespace kestrel
