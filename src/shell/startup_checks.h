#pragma once

#include <string>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "adapter/driver_version.h"
#include "dot1x/dot1x_client.h"
#include "parameters/driver_parameters.h"
#include "platform/clock.h"
#include "platform/local_files.h"
#include "platform/os_kind.h"
#include "platform/process_starter.h"
#include "platform/registry.h"
#include "profiles/profile_store.h"
#include "profiles/wireless_profile.h"

namespace kestrel {

// The installer's region file holds two letters and perhaps a line end; anything larger
// is not a region file and is left alone.
inline constexpr std::size_t kOemFileMaxBytes = 256;
// The pause on XP before the applied profile is loaded and pushed again.
inline constexpr std::uint32_t kXpSettlePauseMs = 5000;

// Everything the start-up checks touch. The application owns each of them.
struct StartupTargets {
  const SystemKind& system;
  AdapterDiscovery& discovery;
  Adapter& adapter;
  Dot1xClient& dot1x;
  DriverParameters& parameters;
  DriverVersion& driverVersion;
  Registry& registry;
  ProfileStore& store;
  ProfileRecords& records;
  LocalFiles& files;
  ProcessStarter& processes;
  Clock& clock;
  const std::string& programPath;  // full path of the running executable; empty if unknown
};

// What the checks fill for the rest of the process.
struct StartupResults {
  MacAddress mac{};             // the 802.1X binding finds its adapter by it
  bool dot1xAvailable = false;  // the settings pages consult it
};

// Brings system and driver into step each time the adapter is found.
class StartupChecks {
 public:
  StartupChecks(StartupTargets targets, StartupResults& results);

  // False only when the MAC address cannot be read (then nothing else is done).
  bool RunStartupChecks();
  // The first bytes of "oem.tmp" beside the program, up to the first NUL.
  bool ReadOemFile(std::string& text);
  // Sets the adapter's country from "oem.tmp" when the driver already has a "ccode";
  // records it and deletes the file.
  bool ApplyOemCountry();
  // Loads "VirtualProfile" into the current profile (after the pause on XP when asked)
  // and pushes it; the push's result is not used.
  void LoadAndPushVirtualProfile(bool pauseOnXp);

 private:
  void runFirstRunWork();
  // False when the program's directory is unknown.
  bool besideProgram(const char* fileName, std::string& path) const;
  bool isNt5() const;

  StartupTargets t_;
  StartupResults& results_;
};

}  // namespace kestrel
