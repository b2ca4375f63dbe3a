#include "floor_requests.h"

#include "shell/zero_config_control.h"

namespace kestrel {

namespace {
constexpr char kInterfacesKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
}  // namespace

FloorRequests::FloorRequests() {
  core_.adapterPresent = core_.discovery.PickAdapter();
  flagsKey_ = kInterfacesKey + core_.identity.interfaceGuid;
  manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
}

FloorRequests::~FloorRequests() {
  if (manager_ != nullptr)
    CloseServiceHandle(manager_);
}

void FloorRequests::tick() {
  if (core_.adapterPresent && linkRequests())
    zeroConfigQuery();
}

// False when the adapter is not ready.
bool FloorRequests::linkRequests() {
  std::uint32_t hardware = 0;
  if (!core_.adapter.GetHardwareStatus(hardware) || hardware != 0)
    return false;
  if (!core_.adapter.IsMediaConnected())
    return true;
  std::int32_t rssi = 0;
  core_.adapter.GetRssi(rssi);
  std::uint32_t mode = 0;
  core_.adapter.GetInfrastructureMode(mode);
  SsidRecord ssid;
  core_.adapter.GetSsid(ssid);
  return true;
}

// The service's state, asked through a service-manager connection kept open, and the
// interface's flags.
void FloorRequests::zeroConfigQuery() {
  if (SC_HANDLE service = manager_ != nullptr
                              ? OpenServiceA(manager_, kZeroConfigService, SERVICE_QUERY_STATUS)
                              : nullptr) {
    SERVICE_STATUS status{};
    QueryServiceStatus(service, &status);
    CloseServiceHandle(service);
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, flagsKey_.c_str(), 0, KEY_QUERY_VALUE, &key) ==
      ERROR_SUCCESS) {
    BYTE flags[4];
    DWORD type = 0;
    DWORD size = sizeof flags;
    RegQueryValueExA(key, "ControlFlags", nullptr, &type, flags, &size);
    RegCloseKey(key);
  }
}

}  // namespace kestrel
