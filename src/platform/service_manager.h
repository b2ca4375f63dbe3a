#pragma once
// Port: the service control manager, for one service at a time.

#include <cstdint>
#include <memory>
#include <string>

namespace kestrel {

// Service states, with the Windows numbers.
enum class ServiceState : std::uint32_t {
  Stopped = 1,
  StartPending = 2,
  StopPending = 3,
  Running = 4,
  ContinuePending = 5,
  PausePending = 6,
  Paused = 7,
};

enum class ServiceRights { Query, QueryStartStop };

// An opened service; its handles (service and manager) are closed when destroyed.
class ServiceSession {
 public:
  virtual ~ServiceSession() = default;
  // On failure `error` is the system's last error.
  virtual bool queryState(ServiceState& state, std::uint32_t& error) = 0;
  virtual bool sendStop(std::uint32_t& error) = 0;
  virtual bool start() = 0;  // no arguments
};

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;
  // nullptr when the manager cannot be reached or the service cannot be opened with
  // `rights` (for instance because it is not installed).
  virtual std::unique_ptr<ServiceSession> openService(const std::string& name,
                                                      ServiceRights rights) = 0;
};

}  // namespace kestrel
