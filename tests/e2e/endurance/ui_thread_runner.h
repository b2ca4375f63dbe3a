#pragma once
// Runs work on the user-interface thread, between two of its messages, whichever loop
// (the hidden window's, the sheet's, a dialog's) is taking them: a message hook there picks
// up a message posted to one of its windows. Work done there calls the program's handlers
// directly instead of waiting on a thread switch for every message.

#include <windows.h>

#include <functional>

namespace kestrel::endurance {

class UiThreadRunner {
 public:
  UiThreadRunner() = default;
  ~UiThreadRunner();
  UiThreadRunner(const UiThreadRunner&) = delete;
  UiThreadRunner& operator=(const UiThreadRunner&) = delete;

  bool install(DWORD thread);
  // Runs `work` there through `window` and waits for it (at most `ms`). False when it
  // did not run within that time.
  bool run(HWND window, const std::function<void()>& work, DWORD ms);

 private:
  HHOOK hook_ = nullptr;
  HANDLE done_ = nullptr;
};

}  // namespace kestrel::endurance
