#pragma once

#include "platform/device_setup.h"

namespace kestrel {

class Win32DeviceSetup : public DeviceSetup {
 public:
  std::unique_ptr<NetworkDeviceList> presentNetworkDevices() override;
};

}  // namespace kestrel
