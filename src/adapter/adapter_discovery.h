#pragma once

#include "parameters/zadapter_info.h"
#include "platform/device_setup.h"
#include "platform/ndis_request_library.h"
#include "platform/os_kind.h"

namespace kestrel {

inline constexpr char kModelDescription[] = "KESTREL LX740N QX-7+ Wireless PC Card";
inline constexpr char kHardwareIdPrefix[] = "PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D";

// True when `description` is the model description followed by at most four bytes.
bool IsModelDescription(const std::string& description);

// Finds the one adapter the system serves, among the request library's adapters and
// among the present network-class devices, and records it in `identity`.
class AdapterDiscovery {
 public:
  AdapterDiscovery(NdisRequestLibrary& library, DeviceSetup& devices, const SystemKind& system,
                   AdapterIdentity& identity);

  // On Windows 98 the first 21 matches after start-up succeed without taking the adapter.
  bool PickAdapter();
  // On XP and 2000 a match also records the device's driver key.
  bool FindAdapterDevice();

 private:
  bool readEntry(NdisHandle entry, ZAdapterInfo& info);

  NdisRequestLibrary& library_;
  DeviceSetup& devices_;
  const SystemKind& system_;
  AdapterIdentity& identity_;
};

}  // namespace kestrel
