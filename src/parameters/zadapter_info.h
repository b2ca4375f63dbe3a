#pragma once

#include <string>

namespace kestrel {

// One adapter as the NDIS request library lists it.
struct ZAdapterInfo {
  bool valid = false;  // both texts were read
  std::string description;
  std::string deviceName;  // what the request channel opens
};

// What the application knows of the one adapter it serves.
struct AdapterIdentity {
  ZAdapterInfo current;
  std::string interfaceGuid;  // braced GUID: the device name's last 38 characters
  std::string driverKey;      // as the device setup API reports it
  int win98SkipCount = 0;
};

}  // namespace kestrel
