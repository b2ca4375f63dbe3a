#pragma once

#include <string>

namespace kestrel::sim {

// Leaves what the adapter's driver installer would: a present network-class device with
// the adapter's hardware ID and its driver key with "DriverDesc". Does nothing when the
// device is already there. Returns false with `error` filled when a step fails.
bool InstallSimulatedDevice(std::string& error);

}  // namespace kestrel::sim
