#include "win32/win32_shell_ports.h"

namespace kestrel {

namespace {

class Win32ServiceSession : public ServiceSession {
 public:
  explicit Win32ServiceSession(SC_HANDLE service) : service_(service) {}
  ~Win32ServiceSession() override { CloseServiceHandle(service_); }
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
  SC_HANDLE service_;
};

}  // namespace

Win32ServiceManager::~Win32ServiceManager() {
  if (manager_ != nullptr)
    CloseServiceHandle(manager_);
}

std::unique_ptr<ServiceSession> Win32ServiceManager::openService(const std::string& name,
                                                                 ServiceRights rights) {
  // The connection to the manager is kept: the monitor asks for the service's state every
  // second, and each new connection is a round of calls to the manager's process.
  if (manager_ == nullptr)
    manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (manager_ == nullptr)
    return nullptr;
  const DWORD access = rights == ServiceRights::Query
                           ? SERVICE_QUERY_STATUS
                           : SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP;
  SC_HANDLE service = OpenServiceA(manager_, name.c_str(), access);
  if (service == nullptr) {
    const DWORD error = GetLastError();
    if (error != ERROR_SERVICE_DOES_NOT_EXIST && error != ERROR_ACCESS_DENIED &&
        error != ERROR_INVALID_NAME) {
      CloseServiceHandle(manager_);  // the connection may be gone: the next call makes anew
      manager_ = nullptr;
    }
    return nullptr;
  }
  return std::make_unique<Win32ServiceSession>(service);
}

}  // namespace kestrel
