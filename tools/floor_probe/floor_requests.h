#pragma once
// The requests of one tray monitor tick and nothing else: the link's hardware status,
// media state and, while connected, RSSI, infrastructure mode and SSID through the
// adapter's request library, then on XP the wireless service's state and the interface's
// control flags. Shared by the floor probes.

#include <windows.h>

#include <string>

#include "core/core_objects.h"
#include "win32/win32_ports.h"

namespace kestrel {

class FloorRequests {
 public:
  FloorRequests();
  ~FloorRequests();
  FloorRequests(const FloorRequests&) = delete;
  FloorRequests& operator=(const FloorRequests&) = delete;

  void tick();
  // The adapter the requests go to, for probes that also make the pages' requests.
  Adapter& adapter() { return core_.adapter; }
  // The real ports, for probes that make more of the pages' requests.
  Win32Ports& ports() { return ports_; }

 private:
  bool linkRequests();
  void zeroConfigQuery();

  Win32Ports ports_;
  CoreObjects core_{ports_.ports()};
  std::string flagsKey_;
  SC_HANDLE manager_ = nullptr;
};

}  // namespace kestrel
