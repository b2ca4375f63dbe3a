#include "adapter/ip_address.h"

#include "adapter/adapter_discovery.h"

namespace kestrel {

std::string GetIpAddressText(IpHelper& ipHelper) {
  std::vector<IpAdapterEntry> adapters;
  if (!ipHelper.adapters(adapters)) {
    return {};
  }
  for (const IpAdapterEntry& entry : adapters) {
    if (entry.description.find(kModelDescription) != std::string::npos) {
      return entry.firstIpAddress;
    }
  }
  return {};
}

}  // namespace kestrel
