#pragma once
// Port: what start-up asks of the process and the desktop: the instance mutex, the
// broadcast of registered messages, token privileges and plain message boxes.

#include <cstdint>
#include <string>

namespace kestrel {

enum class PrivilegeResult { Enabled, OpenTokenFailed, LookupFailed, AdjustFailed };

class ApplicationHost {
 public:
  virtual ~ApplicationHost() = default;
  // Creates the named mutex, initially owned. False when it cannot be created;
  // `alreadyExisted` tells that another process holds it.
  virtual bool createInstanceMutex(const std::string& name, bool& alreadyExisted) = 0;
  // Releases (when owned) and closes the mutex made above; forgetting it.
  virtual void releaseInstanceMutex() = 0;
  virtual void closeInstanceMutex() = 0;
  // Registers the message by name and sends it to all top-level windows, no parameters,
  // waiting a bounded time for each and not at all for a hung one.
  virtual void broadcastRegisteredMessage(const std::string& name) = 0;
  // Broadcasts like the above, then waits up to `timeoutMs` until the processes that
  // showed the utility's windows on this desktop before the message have ended.
  virtual void broadcastAndAwaitExit(const std::string& name, std::uint32_t timeoutMs) = 0;
  // Enables (or disables) one privilege of the process token.
  virtual PrivilegeResult enablePrivilege(const std::string& name, bool enable) = 0;
  // A plain message box with an OK button and no caption text of ours. `text` is in the
  // ANSI code page.
  virtual void showPlainMessage(const std::string& text) = 0;
};

}  // namespace kestrel
