#include "win32/win32_user_prompt.h"

#include "win32/ansi_text.h"

namespace kestrel {

Win32UserPrompt::Win32UserPrompt(HWND owner, std::string caption)
    : owner_(owner), caption_(WideFromCore(caption)) {}

// Without an owner of its own the box belongs to the window the user is working in on this
// thread (a modal dialog or the sheet), so that window cannot be used behind it.
HWND Win32UserPrompt::owner() const {
  return owner_ != nullptr ? owner_ : GetActiveWindow();
}

bool Win32UserPrompt::askYesNo(const std::string& text) {
  return MessageBoxW(owner(), WideFromCore(text).c_str(), caption_.c_str(),
                     MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void Win32UserPrompt::inform(const std::string& text) {
  MessageBoxW(owner(), WideFromCore(text).c_str(), caption_.c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace kestrel
