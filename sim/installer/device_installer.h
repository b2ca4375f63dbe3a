#pragma once

#include <string>

namespace kestrel::sim {

// Leaves what the adapter's driver installer would: a present network-class device with
// the adapter's hardware ID, and in its driver key (the network-card class key instance)
// "DriverDesc", "DriverVersion", "DriverDate" and "ccode" = `countryCode`. Creates the
// device only when it is not there yet; always writes the values. Returns false with
// `error` filled when a step fails.
bool InstallSimulatedDevice(const std::string& countryCode, std::string& error);

// The driver service "kwlsvc08": copies `driverFile` (a file carrying the driver's version
// resource) to system32\drivers\kwlsvc08.sys and writes the service key with its
// "ImagePath" relative to the Windows directory.
bool InstallDriverService(const std::wstring& driverFile, std::string& error);

}  // namespace kestrel::sim
