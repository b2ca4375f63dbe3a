#pragma once
// The application's long-lived objects over the real ports, for the programs that host a
// page or the sheet on their own (previews, end-to-end tests) against whatever adapter the
// machine has.

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "adapter/driver_version.h"
#include "dot1x/dot1x_client.h"
#include "parameters/driver_parameters.h"
#include "profiles/card_config_id.h"
#include "profiles/driver_parameter_mirror.h"
#include "profiles/profile_store.h"
#include "ui/app_services.h"
#include "win32/win32_device_setup.h"
#include "win32/win32_dot1x_library.h"
#include "win32/win32_guid_source.h"
#include "win32/win32_ndis_library.h"
#include "win32/win32_registry.h"
#include "win32/win32_system_ports.h"
#include "win32/win32_user_prompt.h"

namespace kestrel {

struct RealMachine {
  Win32NdisLibrary library;
  Win32CompletionEvents events;
  Win32DeviceSetup devices;
  Win32Registry registry;
  Win32IpHelper ipHelper;
  Win32FileInfo files;
  Win32Dot1xLibrary dot1xLibrary;
  DiscardingDot1xDiagnostics diagnostics;
  Win32GuidSource guids;
  Win32UserPrompt prompt;
  SystemKind system;
  AdapterIdentity identity;
  bool channelOpened = false;
  bool adapterPresent = false;
  bool zeroConfigInControl = false;
  bool dot1xAvailable = false;
  ProfileRecords records;
  Adapter adapter{library, events, channelOpened, identity.current};
  DriverParameters parameters{library, registry, system, identity};
  DriverVersion driverVersion{parameters, registry, files, system};
  Dot1xClient dot1x{dot1xLibrary, diagnostics};
  CardConfigId cardConfigId{parameters, guids};
  ProfileStore store{registry, parameters, cardConfigId, prompt, system, records.list};
  DriverParameterMirror mirror{registry, parameters, cardConfigId, system, adapterPresent};
  AppServices services{system,         identity,
                       adapter,        parameters,
                       driverVersion,  ipHelper,
                       files,          dot1x,
                       records,        store,
                       mirror,         prompt,
                       adapterPresent, zeroConfigInControl,
                       dot1xAvailable};

  // Finds the adapter as start-up does; with `openDot1x` the 802.1X client too.
  explicit RealMachine(bool openDot1x) {
    AdapterDiscovery discovery(library, devices, system, identity);
    adapterPresent = discovery.PickAdapter();
    if (adapterPresent)
      discovery.FindAdapterDevice();
    MacAddress mac{};
    dot1xAvailable = openDot1x && adapter.GetMacAddress(mac) && dot1x.Open(mac);
  }
};

}  // namespace kestrel
