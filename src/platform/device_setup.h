#pragma once
// Port: the device setup API, for present devices of the network adapter class.

#include <cstdint>
#include <memory>
#include <string>

namespace kestrel {

// A snapshot list of present network-class devices; freed when destroyed.
class NetworkDeviceList {
 public:
  virtual ~NetworkDeviceList() = default;
  // The device's instance ID; false once `index` is past the last device.
  virtual bool instanceId(std::uint32_t index, std::string& id) = 0;
  // The device's driver key (class GUID, backslash, instance number); false when unknown.
  virtual bool driverKey(std::uint32_t index, std::string& key) = 0;
};

class DeviceSetup {
 public:
  virtual ~DeviceSetup() = default;
  // nullptr when the list cannot be had.
  virtual std::unique_ptr<NetworkDeviceList> presentNetworkDevices() = 0;
};

}  // namespace kestrel
