#include "parameters/driver_parameters.h"

#include "platform/registry_key.h"

namespace kestrel {

void OpenKeyToEveryone(Registry& registry, const std::string& keyPath) {
  ScopedRegistryKey key(registry);
  if (key.open(RegistryHive::LocalMachine, keyPath, RegistryAccess::Full)) {
    registry.setNullDacl(key.get());
  }
}

DriverParameters::DriverParameters(NdisRequestLibrary& library, Registry& registry,
                                   const SystemKind& system, const AdapterIdentity& identity)
    : library_(library), registry_(registry), system_(system), identity_(identity) {}

std::string DriverParameters::GetDriverParametersPath() {
  if (system_.os == OsKind::Nt4) {
    return "System\\CurrentControlSet\\Services\\" + identity_.current.deviceName +
           "\\Parameters\\";
  }
  if (IsWin9xFamily(system_.os)) {
    return library_.netCardRegistryPath() + "\\" + identity_.current.deviceName;
  }
  const std::string& key = identity_.driverKey;
  const std::string instance = key.size() > 4 ? key.substr(key.size() - 4) : key;
  return library_.netCardRegistryPath() + "\\" + instance;
}

bool DriverParameters::ReadDriverParameter(const std::string& name, std::string& value) {
  ScopedRegistryKey key(registry_);
  if (!key.open(RegistryHive::LocalMachine, GetDriverParametersPath(), RegistryAccess::Query)) {
    return false;
  }
  RegistryValue stored;
  if (!registry_.queryValue(key.get(), name, kDriverParameterMaxBytes, stored)) {
    return false;
  }
  value = RegistryValueText(stored);
  return true;
}

bool DriverParameters::WriteDriverParameter(const std::string& name, const std::string& value) {
  ScopedRegistryKey key(registry_);
  if (!key.open(RegistryHive::LocalMachine, GetDriverParametersPath(), RegistryAccess::Full)) {
    return false;
  }
  return registry_.setValue(key.get(), name, RegistryStringValue(value, false));
}

}  // namespace kestrel
