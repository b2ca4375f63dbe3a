#include "win32/win32_user_prompt.h"

#include "win32/ansi_text.h"

namespace kestrel {

Win32UserPrompt::Win32UserPrompt(HWND owner, std::string caption)
    : owner_(owner), caption_(WideFromCore(caption)) {}

bool Win32UserPrompt::askYesNo(const std::string& text) {
  return MessageBoxW(owner_, WideFromCore(text).c_str(), caption_.c_str(),
                     MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void Win32UserPrompt::inform(const std::string& text) {
  MessageBoxW(owner_, WideFromCore(text).c_str(), caption_.c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace kestrel
