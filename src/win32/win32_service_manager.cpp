#include "win32/win32_shell_ports.h"

namespace kestrel {

namespace {

class Win32ServiceSession : public ServiceSession {
 public:
  Win32ServiceSession(SC_HANDLE manager, SC_HANDLE service)
      : manager_(manager), service_(service) {}
  ~Win32ServiceSession() override {
    CloseServiceHandle(service_);
    CloseServiceHandle(manager_);
  }
  Win32ServiceSession(const Win32ServiceSession&) = delete;
  Win32ServiceSession& operator=(const Win32ServiceSession&) = delete;

  bool queryState(ServiceState& state, std::uint32_t& error) override {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service_, &status)) {
      error = GetLastError();
      return false;
    }
    state = static_cast<ServiceState>(status.dwCurrentState);
    return true;
  }

  bool sendStop(std::uint32_t& error) override {
    SERVICE_STATUS status{};
    if (!ControlService(service_, SERVICE_CONTROL_STOP, &status)) {
      error = GetLastError();
      return false;
    }
    return true;
  }

  bool start() override { return StartServiceA(service_, 0, nullptr) != FALSE; }

 private:
  SC_HANDLE manager_;
  SC_HANDLE service_;
};

}  // namespace

std::unique_ptr<ServiceSession> Win32ServiceManager::openService(const std::string& name,
                                                                 ServiceRights rights) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (manager == nullptr)
    return nullptr;
  const DWORD access = rights == ServiceRights::Query
                           ? SERVICE_QUERY_STATUS
                           : SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP;
  SC_HANDLE service = OpenServiceA(manager, name.c_str(), access);
  if (service == nullptr) {
    CloseServiceHandle(manager);
    return nullptr;
  }
  return std::make_unique<Win32ServiceSession>(manager, service);
}

}  // namespace kestrel
