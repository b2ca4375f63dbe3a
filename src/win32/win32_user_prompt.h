#pragma once

#include <windows.h>

#include <string>

#include "platform/user_prompt.h"

namespace kestrel {

// Message boxes with the application title as caption, owned by `owner`; without one, by
// the calling thread's active window.
class Win32UserPrompt : public UserPrompt {
 public:
  explicit Win32UserPrompt(HWND owner = nullptr, std::string caption = kApplicationTitle);
  bool askYesNo(const std::string& text) override;
  void inform(const std::string& text) override;

 private:
  HWND owner() const;

  HWND owner_;
  std::wstring caption_;
};

}  // namespace kestrel
