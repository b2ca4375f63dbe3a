#include "core/core_objects.h"

#include "core/dot1x_availability.h"

namespace kestrel {

CoreObjects::CoreObjects(const Ports& ports)
    : adapter(ports.ndis, ports.events, channelOpened, identity.current),
      discovery(ports.ndis, ports.devices, system, identity),
      parameters(ports.ndis, ports.registry, system, identity),
      driverVersion(parameters, ports.registry, ports.files, system),
      dot1x(ports.dot1xLibrary, ports.dot1xDiagnostics),
      cardConfigId(parameters, ports.guids),
      store(ports.registry, parameters, cardConfigId, ports.prompt, system, records.list),
      mirror(ports.registry, parameters, cardConfigId, system, adapterPresent),
      services(AppServices{system, identity, adapter, parameters, driverVersion, ports.ipHelper,
                           ports.files, dot1x, records, store, mirror, ports.prompt, adapterPresent,
                           zeroConfig.inControl, [this] { return dot1xAvailable(); }}) {}

bool CoreObjects::dot1xAvailable() const {
  return Dot1xAvailable(startup, dot1x);
}

bool CoreObjects::bindDot1xClient() {
  MacAddress mac{};
  return adapter.GetMacAddress(mac) && dot1x.Open(mac);
}

}  // namespace kestrel
