#include "win32/win32_device_setup.h"

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <vector>

namespace kestrel {

namespace {

// Texts are asked for their size first, then read into a buffer one byte longer.
class Win32NetworkDeviceList : public NetworkDeviceList {
 public:
  explicit Win32NetworkDeviceList(HDEVINFO set) : set_(set) {}
  ~Win32NetworkDeviceList() override { SetupDiDestroyDeviceInfoList(set_); }
  Win32NetworkDeviceList(const Win32NetworkDeviceList&) = delete;
  Win32NetworkDeviceList& operator=(const Win32NetworkDeviceList&) = delete;

  bool instanceId(std::uint32_t index, std::string& id) override {
    SP_DEVINFO_DATA device{};
    if (!deviceAt(index, device))
      return false;
    DWORD needed = 0;
    SetupDiGetDeviceInstanceIdA(set_, &device, nullptr, 0, &needed);
    std::vector<char> buffer(needed + 1, '\0');
    if (!SetupDiGetDeviceInstanceIdA(set_, &device, buffer.data(),
                                     static_cast<DWORD>(buffer.size()), nullptr)) {
      id.clear();  // an unreadable ID matches nothing, but enumeration goes on
      return true;
    }
    id.assign(buffer.data());
    return true;
  }

  bool driverKey(std::uint32_t index, std::string& key) override {
    SP_DEVINFO_DATA device{};
    if (!deviceAt(index, device))
      return false;
    DWORD needed = 0;
    SetupDiGetDeviceRegistryPropertyA(set_, &device, SPDRP_DRIVER, nullptr, nullptr, 0, &needed);
    if (needed == 0)
      return false;
    std::vector<BYTE> buffer(needed + 1, 0);
    if (!SetupDiGetDeviceRegistryPropertyA(set_, &device, SPDRP_DRIVER, nullptr, buffer.data(),
                                           static_cast<DWORD>(buffer.size()), nullptr)) {
      return false;
    }
    key.assign(reinterpret_cast<const char*>(buffer.data()));
    return true;
  }

 private:
  bool deviceAt(std::uint32_t index, SP_DEVINFO_DATA& device) {
    device.cbSize = sizeof device;
    return SetupDiEnumDeviceInfo(set_, index, &device) != FALSE;
  }

  HDEVINFO set_;
};

}  // namespace

std::unique_ptr<NetworkDeviceList> Win32DeviceSetup::presentNetworkDevices() {
  HDEVINFO set = SetupDiGetClassDevsA(&GUID_DEVCLASS_NET, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) {
    return nullptr;
  }
  return std::make_unique<Win32NetworkDeviceList>(set);
}

}  // namespace kestrel
