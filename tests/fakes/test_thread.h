#pragma once
// A second thread for the Windows tests, made with CreateThread: the builds' thread model has
// no std::thread.

#include <windows.h>

#include <functional>
#include <utility>

namespace kestrel::fakes {

class TestThread {
 public:
  explicit TestThread(std::function<void()> work) : work_(std::move(work)) {
    handle_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  }
  ~TestThread() { join(); }
  TestThread(const TestThread&) = delete;
  TestThread& operator=(const TestThread&) = delete;

  void join() {
    if (handle_ == nullptr)
      return;
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  static DWORD WINAPI Run(void* self) {
    static_cast<TestThread*>(self)->work_();
    return 0;
  }

  std::function<void()> work_;
  HANDLE handle_ = nullptr;
};

}  // namespace kestrel::fakes
