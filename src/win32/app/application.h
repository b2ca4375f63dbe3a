#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/core_objects.h"
#include "shell/startup_checks.h"
#include "shell/zero_config_control.h"
#include "win32/app/hidden_main_window.h"
#include "win32/win32_ports.h"
#include "win32/win32_shell_ports.h"

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
  Win32Ports ports_;
  CoreObjects core_{ports_.ports()};
  std::string programPath_;
  ZeroConfigControl zeroConfig_{ports_.services, ports_.registry, ports_.clock,
                                core_.identity.interfaceGuid};

  // Made in the second phase, once the process is known to run the utility.
  std::unique_ptr<StartupChecks> startupChecks_;
  std::unique_ptr<HiddenMainWindow> window_;
};

}  // namespace kestrel
