#pragma once
// Win32 ports of the application shell: process host, service manager, clock.

#include <windows.h>

#include "platform/application_host.h"
#include "platform/clock.h"
#include "platform/service_manager.h"

namespace kestrel {

class Win32ApplicationHost : public ApplicationHost {
 public:
  ~Win32ApplicationHost() override;
  bool createInstanceMutex(const std::string& name, bool& alreadyExisted) override;
  void releaseInstanceMutex() override;
  void closeInstanceMutex() override;
  void broadcastRegisteredMessage(const std::string& name) override;
  PrivilegeResult enablePrivilege(const std::string& name, bool enable) override;
  void showPlainMessage(const std::string& text) override;

 private:
  HANDLE mutex_ = nullptr;
  bool owned_ = false;
};

class Win32ServiceManager : public ServiceManager {
 public:
  std::unique_ptr<ServiceSession> openService(const std::string& name,
                                              ServiceRights rights) override;
};

class Win32Clock : public Clock {
 public:
  std::uint32_t tickCountMs() override { return GetTickCount(); }
  void sleepMs(std::uint32_t ms) override { Sleep(ms); }
};

}  // namespace kestrel
