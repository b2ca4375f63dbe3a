#include "installer/device_installer.h"

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <cstdio>
#include <cstring>

#include "driver/kwlsvc08_version.h"

namespace kestrel::sim {

namespace {

constexpr wchar_t kInstanceId[] = L"PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D\\4&1A2B3C4D&0&00F0";
constexpr wchar_t kHardwareIds[] = L"PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D\0";
constexpr wchar_t kDescription[] = L"KESTREL LX740N QX-7+ Wireless PC Card";
constexpr char kDescriptionA[] = "KESTREL LX740N QX-7+ Wireless PC Card";
constexpr char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\kwlsvc08";
constexpr char kImagePath[] = "system32\\DRIVERS\\kwlsvc08.sys";

bool Failed(std::string& error, const char* step) {
  char text[128];
  std::snprintf(text, sizeof text, "%s failed (error %lu)", step, GetLastError());
  error = text;
  return false;
}

bool WriteText(HKEY key, const char* name, const char* value) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                        static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
}

bool WriteNumber(HKEY key, const char* name, DWORD value) {
  return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value) == ERROR_SUCCESS;
}

// The present device with our instance ID, when there is one.
bool FindDevice(HDEVINFO set, SP_DEVINFO_DATA& device) {
  device = SP_DEVINFO_DATA{};
  device.cbSize = sizeof device;
  wchar_t id[256];
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    if (SetupDiGetDeviceInstanceIdW(set, &device, id, 256, nullptr) &&
        lstrcmpiW(id, kInstanceId) == 0) {
      return true;
    }
  }
  return false;
}

bool CreateDevice(HDEVINFO set, SP_DEVINFO_DATA& device, std::string& error) {
  device = SP_DEVINFO_DATA{};
  device.cbSize = sizeof device;
  if (!SetupDiCreateDeviceInfoW(set, kInstanceId, &GUID_DEVCLASS_NET, kDescription, nullptr, 0,
                                &device)) {
    return Failed(error, "SetupDiCreateDeviceInfo");
  }
  if (!SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID,
                                         reinterpret_cast<const BYTE*>(kHardwareIds),
                                         sizeof kHardwareIds) ||
      !SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_DEVICEDESC,
                                         reinterpret_cast<const BYTE*>(kDescription),
                                         sizeof kDescription)) {
    return Failed(error, "SetupDiSetDeviceRegistryProperty");
  }
  if (!SetupDiRegisterDeviceInfo(set, &device, 0, nullptr, nullptr, nullptr))
    return Failed(error, "SetupDiRegisterDeviceInfo");
  return true;
}

bool WriteDriverValues(HKEY key, const std::string& countryCode, std::string& error) {
  if (!WriteText(key, "DriverDesc", kDescriptionA) ||
      !WriteText(key, "DriverVersion", KWLSVC08_VERSION_TEXT) ||
      !WriteText(key, "DriverDate", KWLSVC08_DATE_TEXT) ||
      !WriteText(key, "ccode", countryCode.c_str())) {
    return Failed(error, "writing the driver key values");
  }
  return true;
}

// The installed file carries the driver's own date, as a file from the driver's disk would,
// not the day it was built: the information page shows it. Noon local time, so the local
// date is that day wherever the machine is.
bool DateDriverFile(const wchar_t* path) {
  SYSTEMTIME noon{};
  noon.wYear = KWLSVC08_DATE_YEAR;
  noon.wMonth = KWLSVC08_DATE_MONTH;
  noon.wDay = KWLSVC08_DATE_DAY;
  noon.wHour = 12;
  FILETIME local;
  FILETIME utc;
  if (!SystemTimeToFileTime(&noon, &local) || !LocalFileTimeToFileTime(&local, &utc))
    return false;
  HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  const BOOL set = SetFileTime(file, &utc, nullptr, &utc);
  CloseHandle(file);
  return set != FALSE;
}

}  // namespace

bool InstallSimulatedDevice(const std::string& countryCode, std::string& error) {
  HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_NET, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE)
    return Failed(error, "SetupDiGetClassDevs");
  SP_DEVINFO_DATA device{};
  bool ok = false;
  HKEY driverKey = static_cast<HKEY>(INVALID_HANDLE_VALUE);
  if (FindDevice(set, device)) {
    driverKey = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS);
    if (driverKey == INVALID_HANDLE_VALUE)
      Failed(error, "SetupDiOpenDevRegKey");
  } else if (CreateDevice(set, device, error)) {
    driverKey =
        SetupDiCreateDevRegKeyW(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, nullptr, nullptr);
    if (driverKey == INVALID_HANDLE_VALUE)
      Failed(error, "SetupDiCreateDevRegKey");
  }
  if (driverKey != INVALID_HANDLE_VALUE) {
    ok = WriteDriverValues(driverKey, countryCode, error);
    RegCloseKey(driverKey);
  }
  SetupDiDestroyDeviceInfoList(set);
  return ok;
}

bool InstallDriverService(const std::wstring& driverFile, std::string& error) {
  wchar_t target[MAX_PATH];
  const UINT length = GetSystemDirectoryW(target, MAX_PATH);
  if (length == 0 || length + 30 > MAX_PATH)
    return Failed(error, "GetSystemDirectory");
  lstrcatW(target, L"\\drivers");
  CreateDirectoryW(target, nullptr);  // present on any installed system
  lstrcatW(target, L"\\kwlsvc08.sys");
  if (!CopyFileW(driverFile.c_str(), target, FALSE))
    return Failed(error, "copying the driver file");
  if (!DateDriverFile(target))
    return Failed(error, "dating the driver file");

  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return Failed(error, "creating the service key");
  }
  // A kernel driver started on demand: nothing tries to load the file.
  const bool ok = WriteText(key, "ImagePath", kImagePath) &&
                  WriteText(key, "DisplayName", kDescriptionA) && WriteNumber(key, "Type", 1) &&
                  WriteNumber(key, "Start", 3) && WriteNumber(key, "ErrorControl", 1);
  RegCloseKey(key);
  return ok || Failed(error, "writing the service key values");
}

}  // namespace kestrel::sim
