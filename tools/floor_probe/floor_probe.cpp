// The idle floor of the tray monitor: a window with the hidden window's one 1000 ms timer
// that, each tick, makes only the requests the monitor's tick must make: the link's
// hardware status, media state and, while connected, RSSI, infrastructure mode and SSID
// through the adapter's request library, and on XP the wireless service's state and the
// interface's control flags. No icon, no window work. Runs until closed or killed.
#include <windows.h>

#include <string>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "platform/os_kind.h"
#include "shell/zero_config_control.h"
#include "win32/win32_device_setup.h"
#include "win32/win32_ndis_library.h"

namespace kestrel {
namespace {

constexpr UINT_PTR kTimerId = 102;
constexpr UINT kPeriodMs = 1000;
constexpr char kInterfacesKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";

class FloorRequests {
 public:
  FloorRequests() {
    present_ = discovery_.PickAdapter();
    flagsKey_ = kInterfacesKey + identity_.interfaceGuid;
    manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  }
  ~FloorRequests() {
    if (manager_ != nullptr)
      CloseServiceHandle(manager_);
  }
  FloorRequests(const FloorRequests&) = delete;
  FloorRequests& operator=(const FloorRequests&) = delete;

  void tick() {
    if (present_ && linkRequests())
      zeroConfigQuery();
  }

 private:
  // False when the adapter is not ready.
  bool linkRequests() {
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
  void zeroConfigQuery() {
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

  Win32NdisLibrary library_;
  Win32CompletionEvents events_;
  Win32DeviceSetup devices_;
  SystemKind system_;
  AdapterIdentity identity_;
  bool opened_ = false;
  bool present_ = false;
  AdapterDiscovery discovery_{library_, devices_, system_, identity_};
  Adapter adapter_{library_, events_, opened_, identity_.current};
  std::string flagsKey_;
  SC_HANDLE manager_ = nullptr;
};

FloorRequests* requests = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_TIMER && w == kTimerId) {
    requests->tick();
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace
}  // namespace kestrel

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  kestrel::FloorRequests requests;
  kestrel::requests = &requests;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = kestrel::Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FloorProbe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"FloorProbe", L"floor probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, instance, nullptr);
  SetTimer(window, kestrel::kTimerId, kestrel::kPeriodMs, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  return 0;
}
