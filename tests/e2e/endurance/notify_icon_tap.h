#pragma once
// Sees every notification-area call this process makes: its own import of
// Shell_NotifyIconW is pointed at a recorder that passes the call on and keeps what the
// shell was given and answered.

#include <windows.h>

#include <string>

namespace kestrel::endurance {

struct NotifyCall {
  DWORD action = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
  HICON icon = nullptr;
  bool hasIcon = false;
  std::wstring tip;
  bool hasTip = false;
  bool accepted = false;
};

// False when the program imports no Shell_NotifyIconW to redirect.
bool InstallNotifyIconTap();
// Calls so far, and the last one. Read from any thread.
long NotifyCallCount();
NotifyCall LastNotifyCall();

}  // namespace kestrel::endurance
