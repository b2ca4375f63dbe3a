#pragma once

#include <windows.h>

#include "platform/timers.h"

namespace kestrel {

// Window timers of one window; ticks arrive as WM_TIMER with the id.
class Win32Timers : public Timers {
 public:
  explicit Win32Timers(HWND window) : window_(window) {}
  void setWindow(HWND window) { window_ = window; }
  bool start(std::uint32_t id, std::uint32_t periodMs) override {
    return window_ != nullptr && SetTimer(window_, id, periodMs, nullptr) != 0;
  }
  void stop(std::uint32_t id) override {
    if (window_ != nullptr)
      KillTimer(window_, id);
  }

 private:
  HWND window_;
};

}  // namespace kestrel
