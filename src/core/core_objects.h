#pragma once
// The long-lived objects of the core, built once from the ports: the application, kestrelctl,
// the previews, probes and test fixtures all wire the core through this one class.

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "adapter/driver_version.h"
#include "core/ports.h"
#include "dot1x/dot1x_client.h"
#include "parameters/driver_parameters.h"
#include "platform/os_kind.h"
#include "profiles/card_config_id.h"
#include "profiles/driver_parameter_mirror.h"
#include "profiles/profile_store.h"
#include "profiles/wireless_profile.h"
#include "shell/startup_checks.h"
#include "shell/zero_config_check.h"
#include "ui/app_services.h"

namespace kestrel {

class CoreObjects {
 public:
  explicit CoreObjects(const Ports& ports);
  CoreObjects(const CoreObjects&) = delete;
  CoreObjects& operator=(const CoreObjects&) = delete;

  bool dot1xAvailable() const;
  // Reads the card's MAC address and opens the 802.1X client for it, as the start-up checks
  // do; for programs that run no start-up checks.
  bool bindDot1xClient();

  // Filled by whoever learns them (the first start-up phase, the start-up checks, the tray
  // monitor, the wireless service check); every object below sees the change.
  SystemKind system;
  AdapterIdentity identity;
  bool channelOpened = false;
  bool adapterPresent = false;
  ZeroConfigState zeroConfig;
  StartupResults startup;

  ProfileRecords records;
  Adapter adapter;
  AdapterDiscovery discovery;
  DriverParameters parameters;
  DriverVersion driverVersion;
  Dot1xClient dot1x;
  CardConfigId cardConfigId;
  ProfileStore store;
  DriverParameterMirror mirror;
  // The pages' view of these objects.
  AppServices services;
};

}  // namespace kestrel
