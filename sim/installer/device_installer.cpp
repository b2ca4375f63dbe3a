#include "installer/device_installer.h"

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <cstdio>

namespace kestrel::sim {

namespace {

constexpr wchar_t kInstanceId[] = L"PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D\\4&1A2B3C4D&0&00F0";
constexpr wchar_t kHardwareIds[] = L"PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D\0";
constexpr wchar_t kDescription[] = L"KESTREL LX740N QX-7+ Wireless PC Card";

bool Failed(std::string& error, const char* step) {
  char text[96];
  std::snprintf(text, sizeof text, "%s failed (error %lu)", step, GetLastError());
  error = text;
  return false;
}

bool DeviceExists() {
  HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_NET, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE)
    return false;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  bool found = false;
  wchar_t id[256];
  for (DWORD i = 0; !found && SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    found = SetupDiGetDeviceInstanceIdW(set, &device, id, 256, nullptr) &&
            lstrcmpiW(id, kInstanceId) == 0;
  }
  SetupDiDestroyDeviceInfoList(set);
  return found;
}

}  // namespace

bool InstallSimulatedDevice(std::string& error) {
  if (DeviceExists())
    return true;
  HDEVINFO set = SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_NET, nullptr);
  if (set == INVALID_HANDLE_VALUE)
    return Failed(error, "SetupDiCreateDeviceInfoList");
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  bool ok = false;
  if (!SetupDiCreateDeviceInfoW(set, kInstanceId, &GUID_DEVCLASS_NET, kDescription, nullptr, 0,
                                &device)) {
    Failed(error, "SetupDiCreateDeviceInfo");
  } else if (!SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID,
                                                reinterpret_cast<const BYTE*>(kHardwareIds),
                                                sizeof kHardwareIds) ||
             !SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_DEVICEDESC,
                                                reinterpret_cast<const BYTE*>(kDescription),
                                                sizeof kDescription)) {
    Failed(error, "SetupDiSetDeviceRegistryProperty");
  } else if (!SetupDiRegisterDeviceInfo(set, &device, 0, nullptr, nullptr, nullptr)) {
    Failed(error, "SetupDiRegisterDeviceInfo");
  } else {
    HKEY driverKey =
        SetupDiCreateDevRegKeyW(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, nullptr, nullptr);
    if (driverKey == INVALID_HANDLE_VALUE) {
      Failed(error, "SetupDiCreateDevRegKey");
    } else {
      ok = RegSetValueExW(driverKey, L"DriverDesc", 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(kDescription),
                          sizeof kDescription) == ERROR_SUCCESS;
      if (!ok)
        error = "writing DriverDesc failed";
      RegCloseKey(driverKey);
    }
  }
  SetupDiDestroyDeviceInfoList(set);
  return ok;
}

}  // namespace kestrel::sim
