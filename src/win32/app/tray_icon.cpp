#include "win32/app/tray_icon.h"

#include "win32/ansi_text.h"

namespace kestrel {

namespace {

// Copies as much of `text` as fits, always ending with a zero.
template <std::size_t N>
void CopyWide(const std::wstring& text, wchar_t (&field)[N]) {
  const std::size_t count = text.size() < N ? text.size() : N - 1;
  text.copy(field, count);
  field[count] = L'\0';
}

DWORD ShellAction(NotifyAction action) {
  switch (action) {
    case NotifyAction::Add:
      return NIM_ADD;
    case NotifyAction::Modify:
      return NIM_MODIFY;
    case NotifyAction::Delete:
      break;
  }
  return NIM_DELETE;
}

}  // namespace

CTrayIcon::CTrayIcon() : data_{} {
  // Sized for Windows 2000's shell (version 5), which knows the record up to the balloon
  // fields; XP's shell takes that size too. Nothing after them is used.
  data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
}

CTrayIcon::~CTrayIcon() {
  SetIcon(nullptr, nullptr);
}

void CTrayIcon::SetNotificationWnd(HWND window, UINT callbackMessage) {
  data_.hWnd = window;
  record_.setNotificationWnd(window != nullptr, callbackMessage);
}

bool CTrayIcon::SetIcon(HICON icon, const std::string* tip, const std::string* info) {
  const auto call = record_.prepare(icon, tip, info);
  if (!call)
    return true;
  data_.uID = kIconId;
  data_.uFlags = 0;
  if (call->iconFlag) {
    data_.hIcon = icon;
    data_.uFlags |= NIF_ICON;
  }
  CopyWide(WideFromCore(call->tip), data_.szTip);
  if (call->tipFlag)
    data_.uFlags |= NIF_TIP;
  CopyWide(WideFromCore(call->info), data_.szInfo);
  if (call->messageFlag) {
    data_.uCallbackMessage = record_.callbackMessage();
    data_.uFlags |= NIF_MESSAGE;
  }
  const bool ok = Shell_NotifyIconW(ShellAction(call->action), &data_) != FALSE;
  record_.finished(*call, ok);
  return ok;
}

void CTrayIcon::Readd() {
  HICON icon = static_cast<HICON>(const_cast<void*>(record_.currentIcon()));
  if (icon == nullptr)
    return;
  const std::string tip = record_.tip();
  record_.forget();
  SetIcon(icon, &tip);
}

}  // namespace kestrel
