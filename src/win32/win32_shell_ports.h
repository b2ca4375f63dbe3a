#pragma once
// Win32 ports of the application shell: process host, service manager, clock, files
// beside the program, process start.

#include <windows.h>

#include "platform/application_host.h"
#include "platform/clock.h"
#include "platform/local_files.h"
#include "platform/process_starter.h"
#include "platform/service_manager.h"
#include "win32/scoped_handles.h"

namespace kestrel {

class Win32ApplicationHost : public ApplicationHost {
 public:
  ~Win32ApplicationHost() override;
  bool createInstanceMutex(const std::string& name, bool& alreadyExisted) override;
  void releaseInstanceMutex() override;
  void closeInstanceMutex() override;
  void broadcastRegisteredMessage(const std::string& name) override;
  void broadcastAndAwaitExit(const std::string& name, std::uint32_t timeoutMs) override;
  PrivilegeResult enablePrivilege(const std::string& name, bool enable) override;
  void showPlainMessage(const std::string& text) override;

 private:
  UniqueHandle mutex_;
  bool owned_ = false;
};

class Win32ServiceManager : public ServiceManager {
 public:
  Win32ServiceManager() = default;
  ~Win32ServiceManager() override;
  Win32ServiceManager(const Win32ServiceManager&) = delete;
  Win32ServiceManager& operator=(const Win32ServiceManager&) = delete;

  std::unique_ptr<ServiceSession> openService(const std::string& name,
                                              ServiceRights rights) override;

 private:
  SC_HANDLE manager_ = nullptr;
};

class Win32Clock : public Clock {
 public:
  std::uint32_t tickCountMs() override { return GetTickCount(); }
  void sleepMs(std::uint32_t ms) override { Sleep(ms); }
};

// ANSI file functions: paths stay in the system code page.
class Win32LocalFiles : public LocalFiles {
 public:
  FileReadResult readWhole(const std::string& path, std::size_t maxBytes,
                           std::string& bytes) override;
  bool remove(const std::string& path) override;
};

class Win32ProcessStarter : public ProcessStarter {
 public:
  bool start(const std::string& path) override;
};

}  // namespace kestrel
