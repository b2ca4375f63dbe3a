#pragma once
// The requests of one tray monitor tick and nothing else: the link's hardware status,
// media state and, while connected, RSSI, infrastructure mode and SSID through the
// adapter's request library, then on XP the wireless service's state and the interface's
// control flags. Shared by the floor probes.

#include <windows.h>

#include <string>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "platform/os_kind.h"
#include "win32/win32_device_setup.h"
#include "win32/win32_ndis_library.h"

namespace kestrel {

class FloorRequests {
 public:
  FloorRequests();
  ~FloorRequests();
  FloorRequests(const FloorRequests&) = delete;
  FloorRequests& operator=(const FloorRequests&) = delete;

  void tick();
  // The adapter the requests go to, for probes that also make the pages' requests.
  Adapter& adapter() { return adapter_; }

 private:
  bool linkRequests();
  void zeroConfigQuery();

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

}  // namespace kestrel
