#include "floor_requests.h"

#include "shell/zero_config_control.h"

namespace kestrel {

namespace {
constexpr char kInterfacesKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
}  // namespace

FloorRequests::FloorRequests() {
  present_ = discovery_.PickAdapter();
  flagsKey_ = kInterfacesKey + identity_.interfaceGuid;
  manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
}

FloorRequests::~FloorRequests() {
  if (manager_ != nullptr)
    CloseServiceHandle(manager_);
}

void FloorRequests::tick() {
  if (present_ && linkRequests())
    zeroConfigQuery();
}

// False when the adapter is not ready.
bool FloorRequests::linkRequests() {
  std::uint32_t hardware = 0;
  if (!adapter_.GetHardwareStatus(hardware) || hardware != 0)
    return false;
  if (!adapter_.IsMediaConnected())
    return true;
  std::int32_t rssi = 0;
  adapter_.GetRssi(rssi);
  std::uint32_t mode = 0;
  adapter_.GetInfrastructureMode(mode);
  SsidRecord ssid;
  adapter_.GetSsid(ssid);
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
