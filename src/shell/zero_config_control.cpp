#include "shell/zero_config_control.h"

#include "adapter/byte_order.h"
#include "platform/registry_key.h"

namespace kestrel {

namespace {

constexpr std::uint32_t kPollMs = 500;
constexpr char kInterfacesKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";

}  // namespace

std::uint32_t StopServiceAndWait(ServiceSession& service, Clock& clock, std::uint32_t timeoutMs) {
  const std::uint32_t start = clock.tickCountMs();
  const auto timedOut = [&] { return clock.tickCountMs() - start > timeoutMs; };
  ServiceState state = ServiceState::Stopped;
  std::uint32_t error = 0;
  if (!service.queryState(state, error))
    return error;
  if (state == ServiceState::Stopped)
    return 0;
  while (state == ServiceState::StopPending) {
    clock.sleepMs(kPollMs);
    if (!service.queryState(state, error))
      return error;
    if (state == ServiceState::Stopped)
      return 0;
    if (timedOut())
      return kErrorTimeout;
  }
  if (!service.sendStop(error))
    return error;
  while (state != ServiceState::Stopped) {
    clock.sleepMs(kPollMs);
    if (!service.queryState(state, error))
      return error;
    if (timedOut())
      return kErrorTimeout;
  }
  return 0;
}

ZeroConfigControl::ZeroConfigControl(ServiceManager& services, Registry& registry, Clock& clock,
                                     const std::string& interfaceGuid)
    : services_(services), registry_(registry), clock_(clock), interfaceGuid_(interfaceGuid) {}

std::string ZeroConfigControl::controlFlagsKey() const {
  return kInterfacesKey + interfaceGuid_;
}

bool ZeroConfigControl::readControlFlags(std::uint32_t& flags) {
  ScopedRegistryKey key(registry_);
  RegistryValue value;
  if (!key.open(RegistryHive::LocalMachine, controlFlagsKey(), RegistryAccess::Query) ||
      !registry_.queryValue(key.get(), "ControlFlags", 4, value) || value.data.size() != 4) {
    return false;
  }
  flags = ReadLe32(value.data.data());
  return true;
}

bool ZeroConfigControl::IsZeroConfigActive() {
  bool running = false;
  if (auto service = services_.openService(kZeroConfigService, ServiceRights::Query)) {
    ServiceState state = ServiceState::Stopped;
    std::uint32_t error = 0;
    running = service->queryState(state, error) && state == ServiceState::Running;
  }
  std::uint32_t flags = 0;
  const bool managed = !readControlFlags(flags) || (flags & kManagedByServiceBit) != 0;
  return running && managed;
}

bool ZeroConfigControl::SetZeroConfigControl(bool enable) {
  auto service = services_.openService(kZeroConfigService, ServiceRights::QueryStartStop);
  if (!service)
    return false;
  ServiceState state = ServiceState::Stopped;
  std::uint32_t error = 0;
  if (!service->queryState(state, error))
    return false;
  const bool wasRunning = state == ServiceState::Running;

  StopServiceAndWait(*service, clock_, kZeroConfigStopTimeoutMs);

  std::uint32_t flags = 0;
  if (!readControlFlags(flags)) {
    return wasRunning;  // nothing to change: the service stays stopped
  }
  flags = enable ? (flags | kManagedByServiceBit) : (flags & ~kManagedByServiceBit);
  {
    ScopedRegistryKey key(registry_);
    if (key.open(RegistryHive::LocalMachine, controlFlagsKey(), RegistryAccess::Full)) {
      RegistryValue value{RegistryType::Dword, std::vector<std::uint8_t>(4)};
      WriteLe32(value.data.data(), flags);
      registry_.setValue(key.get(), "ControlFlags", value);
    }
  }
  service->start();
  const bool ok = !((flags & kManagedByServiceBit) == 0 && (flags & 0x0002) != 0);
  return ok && wasRunning;
}

}  // namespace kestrel
