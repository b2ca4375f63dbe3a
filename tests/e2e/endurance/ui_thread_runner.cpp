#include "ui_thread_runner.h"

namespace kestrel::endurance {

namespace {

constexpr UINT kRunMessage = WM_APP + 0x2525;

const std::function<void()>* pending = nullptr;
HANDLE pendingDone = nullptr;

LRESULT CALLBACK TakeMessage(int code, WPARAM removal, LPARAM message) {
  auto* taken = reinterpret_cast<MSG*>(message);
  if (code == HC_ACTION && removal == PM_REMOVE && taken->message == kRunMessage) {
    taken->message = WM_NULL;  // the program never sees it
    if (pending != nullptr)
      (*pending)();
    pending = nullptr;
    SetEvent(pendingDone);
  }
  return CallNextHookEx(nullptr, code, removal, message);
}

}  // namespace

UiThreadRunner::~UiThreadRunner() {
  if (hook_ != nullptr)
    UnhookWindowsHookEx(hook_);
  if (done_ != nullptr)
    CloseHandle(done_);
}

bool UiThreadRunner::install(DWORD thread) {
  done_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  hook_ = SetWindowsHookExW(WH_GETMESSAGE, TakeMessage, nullptr, thread);
  return done_ != nullptr && hook_ != nullptr;
}

bool UiThreadRunner::run(HWND window, const std::function<void()>& work, DWORD ms) {
  pending = &work;
  pendingDone = done_;
  if (!PostMessageW(window, kRunMessage, 0, 0))
    return false;
  return WaitForSingleObject(done_, ms) == WAIT_OBJECT_0;
}

}  // namespace kestrel::endurance
