#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "adapter/driver_version.h"
#include "dot1x/dot1x_client.h"
#include "parameters/driver_parameters.h"
#include "profiles/card_config_id.h"
#include "profiles/driver_parameter_mirror.h"
#include "profiles/profile_store.h"
#include "shell/startup_checks.h"
#include "shell/zero_config_check.h"
#include "shell/zero_config_control.h"
#include "ui/app_services.h"
#include "win32/app/hidden_main_window.h"
#include "win32/win32_device_setup.h"
#include "win32/win32_dot1x_library.h"
#include "win32/win32_guid_source.h"
#include "win32/win32_ndis_library.h"
#include "win32/win32_registry.h"
#include "win32/win32_shell_ports.h"
#include "win32/win32_system_ports.h"
#include "win32/win32_user_prompt.h"

namespace kestrel {

// The application object: owns every long-lived object of the process and runs the two
// initialisation phases and the hidden main window.
class Application {
 public:
  explicit Application(HINSTANCE instance);
  // `arguments` is the command line after the program name, in the system code page.
  int run(const std::string& arguments);

 private:
  bool initialiseSecondPhase();

  HINSTANCE instance_;
  Win32ApplicationHost host_;
  Win32SystemVersion versionSource_;
  SystemKind system_;

  Win32NdisLibrary ndis_;
  Win32CompletionEvents events_;
  Win32DeviceSetup devices_;
  Win32Registry registry_;
  Win32FileInfo fileInfo_;
  Win32IpHelper ipHelper_;
  Win32GuidSource guids_;
  Win32UserPrompt prompt_;
  Win32ServiceManager services_;
  Win32Clock clock_;
  Win32LocalFiles files_;
  Win32ProcessStarter processes_;
  Win32Dot1xLibrary dot1xLibrary_;
  DiscardingDot1xDiagnostics diagnostics_;

  AdapterIdentity identity_;
  bool channelOpened_ = false;
  bool adapterPresent_ = false;
  std::string programPath_;
  Dot1xClient dot1x_{dot1xLibrary_, diagnostics_};
  AdapterDiscovery discovery_{ndis_, devices_, system_, identity_};
  DriverParameters parameters_{ndis_, registry_, system_, identity_};
  DriverVersion driverVersion_{parameters_, registry_, fileInfo_, system_};
  CardConfigId cardConfigId_{parameters_, guids_};
  ProfileRecords records_;
  ProfileStore store_{registry_, parameters_, cardConfigId_, prompt_, system_, records_.list};
  DriverParameterMirror mirror_{registry_, parameters_, cardConfigId_, system_, adapterPresent_};
  StartupResults startupResults_;
  ZeroConfigState zeroConfigState_;
  ZeroConfigControl zeroConfig_{services_, registry_, clock_, identity_.interfaceGuid};

  // Made in the second phase, once the process is known to run the utility.
  std::unique_ptr<Adapter> adapter_;
  std::unique_ptr<AppServices> appServices_;
  std::unique_ptr<StartupChecks> startupChecks_;
  std::unique_ptr<HiddenMainWindow> window_;
};

}  // namespace kestrel
