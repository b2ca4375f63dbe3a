#pragma once
// The application's long-lived objects, as the pages, dialogs and the sheet reach them.
// The core objects (core/core_objects.h) own every one of them and make this bundle.

#include <functional>

#include "activation/activation.h"
#include "adapter/adapter.h"
#include "adapter/driver_version.h"
#include "dot1x/dot1x_client.h"
#include "parameters/driver_parameters.h"
#include "platform/file_info.h"
#include "platform/ip_helper.h"
#include "platform/os_kind.h"
#include "platform/user_prompt.h"
#include "profiles/driver_parameter_mirror.h"
#include "profiles/profile_store.h"
#include "profiles/wireless_profile.h"

namespace kestrel {

struct AppServices {
  const SystemKind& system;
  AdapterIdentity& identity;
  Adapter& adapter;
  DriverParameters& parameters;
  DriverVersion& driverVersion;
  IpHelper& ipHelper;
  FileInfo& files;
  Dot1xClient& dot1x;
  ProfileRecords& records;
  ProfileStore& store;
  DriverParameterMirror& mirror;
  UserPrompt& prompt;
  // Result of the last adapter pick (start-up, then the tray monitor).
  const bool& adapterPresent;
  // Set while the system's wireless service is in control: the sheet shows two pages.
  const bool& zeroConfigInControl;
  // Whether WPA can be offered now; the core decides it (core/dot1x_availability.h).
  std::function<bool()> dot1xAvailable;

  ActivationTargets activationTargets() {
    return {records, mirror, {adapter, dot1x, parameters, system}, store};
  }
};

}  // namespace kestrel
