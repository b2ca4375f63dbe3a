#pragma once

#include <windows.h>
// clang-format off
#include <shellapi.h>
// clang-format on

#include <string>

#include "shell/tray_icon_record.h"

namespace kestrel {

// The one notification-area icon, over Shell_NotifyIconW. Removes its icon when destroyed.
class CTrayIcon {
 public:
  CTrayIcon();
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  void SetNotificationWnd(HWND window, UINT callbackMessage);
  // `icon` null removes the icon; `tip` (CP932) null keeps the tip shown.
  bool SetIcon(HICON icon, const std::string* tip, const std::string* info = nullptr);
  // The taskbar was created anew: show the current icon and tip again.
  void Readd();

 private:
  static constexpr UINT kIconId = 1;

  NOTIFYICONDATAW data_;
  TrayIconRecord record_;
};

}  // namespace kestrel
