#pragma once
// GoogleTest's Notification for the win32 thread model, which has neither std::mutex nor
// std::condition_variable. GoogleTest uses it only to start threads of its own tests, never in
// ours, so a flag waited on by spinning is enough.

#include <atomic>

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
