#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/registry.h"
#include "platform/service_manager.h"

namespace kestrel {

inline constexpr char kZeroConfigService[] = "WZCSVC";
inline constexpr std::uint32_t kZeroConfigStopTimeoutMs = 30000;
inline constexpr std::uint32_t kErrorTimeout = 1460;
inline constexpr std::uint32_t kManagedByServiceBit = 0x8000;

// Stops the service and waits, polling every 500 ms, until it is stopped or `timeoutMs`
// has passed (then 1460). Returns 0 or the system's error.
std::uint32_t StopServiceAndWait(ServiceSession& service, Clock& clock, std::uint32_t timeoutMs);

// The operating system's wireless configuration service and its per-interface
// "ControlFlags": who is in control of the adapter.
class ZeroConfigControl {
 public:
  ZeroConfigControl(ServiceManager& services, Registry& registry, Clock& clock,
                    const std::string& interfaceGuid);

  // The service runs and manages the interface (an unreadable flag counts as managed).
  bool IsZeroConfigActive();
  // Sets or clears the interface's managed bit with the service stopped, then restarts
  // it. True only when the service was running and the written value leaves it usable.
  bool SetZeroConfigControl(bool enable);

 private:
  std::string controlFlagsKey() const;
  bool readControlFlags(std::uint32_t& flags);

  ServiceManager& services_;
  Registry& registry_;
  Clock& clock_;
  const std::string& interfaceGuid_;
};

}  // namespace kestrel
