// Checks the adapter access spine against the real Windows loader and registry: picks the
// adapter from DNIN50.dll, opens the request channel, reads identity and radio facts, and
// writes and reads back a driver parameter.
#include <cstdio>
#include <string>

#include "adapter/oid_conversions.h"
#include "core/core_objects.h"
#include "installer/device_installer.h"
#include "win32/win32_ports.h"

namespace {

const char* YesNo(bool value) {
  return value ? "yes" : "no";
}

}  // namespace

int main() {
  using namespace kestrel;
  Win32Ports ports;
  CoreObjects core(ports.ports());  // the system stays XP, as the prefix reports
  const AdapterIdentity& identity = core.identity;
  AdapterDiscovery& discovery = core.discovery;

  std::printf("DNIN50.dll loaded: %s\n", YesNo(ports.ndis.loaded()));
  if (!discovery.PickAdapter()) {
    std::printf("PickAdapter: no KESTREL LX740N adapter listed\n");
    return 3;
  }
  std::printf("adapter: %s\ndevice name: %s\ninterface GUID: %s\n",
              identity.current.description.c_str(), identity.current.deviceName.c_str(),
              identity.interfaceGuid.c_str());

  std::string installError;
  if (!sim::InstallSimulatedDevice("JP", installError)) {
    std::printf("device install: %s\n", installError.c_str());
  }
  const bool deviceFound = discovery.FindAdapterDevice();
  std::printf("FindAdapterDevice: %s, driver key: %s\n", YesNo(deviceFound),
              identity.driverKey.c_str());

  Adapter& adapter = core.adapter;
  MacAddress mac{};
  SsidRecord ssid;
  std::string channel = "N/A";
  std::string country = "N/A";
  const bool macOk = adapter.GetMacAddress(mac);
  std::printf("MAC address: %s\n", macOk ? MacAddressText(mac).c_str() : "N/A");
  std::printf("SSID: %s\n", adapter.GetSsid(ssid) ? ssid.text().c_str() : "N/A");
  adapter.GetChannelText(channel);
  adapter.GetCountryCode(country);
  std::printf("channel: %s\nregion: %s\n", channel.c_str(), country.c_str());

  DriverParameters& parameters = core.parameters;
  std::printf("parameters path: HKLM\\%s\n", parameters.GetDriverParametersPath().c_str());
  const bool written = parameters.WriteDriverParameter("SmokeCheck", "written by adapter_smoke");
  std::string back = "(not read)";
  const bool read = parameters.ReadDriverParameter("SmokeCheck", back);
  std::string description = "(not read)";
  parameters.ReadDriverParameter("DriverDesc", description);
  std::printf("driver parameter written: %s, read back: %s \"%s\"\nDriverDesc: %s\n",
              YesNo(written), YesNo(read), back.c_str(), description.c_str());

  const bool ok = macOk && core.channelOpened && deviceFound && written && read &&
                  back == "written by adapter_smoke";
  std::printf("smoke: %s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
