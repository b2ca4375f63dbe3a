#include "win32/app/application.h"

// clang-format off
#include <commctrl.h>
#include <ole2.h>
// clang-format on

#include "shell/startup_first_phase.h"
#include "win32/executable_path.h"
#include "win32/help_pane.h"

namespace kestrel {

Application::Application(HINSTANCE instance)
    : instance_(instance), programPath_(ExecutablePath()) {}

int Application::run(const std::string& arguments) {
  const bool firstInstance =
      RunFirstPhase(true, arguments, host_, ports_.systemVersion, core_.system);
  if (!firstInstance)
    return 0;
  initialiseSecondPhase();
  return 0;
}

bool Application::initialiseSecondPhase() {
  // Pictures are decoded through OLE; the pages use the common controls and rich edit.
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  LoadRichEditLibrary();

  core_.identity.win98SkipCount = 0;
  startupChecks_ = std::make_unique<StartupChecks>(
      StartupTargets{core_.system, core_.discovery, core_.adapter, core_.dot1x, core_.parameters,
                     core_.driverVersion, ports_.registry, core_.store, core_.records,
                     ports_.localFiles, ports_.processes, ports_.clock, programPath_},
      core_.startup);
  window_ = std::make_unique<HiddenMainWindow>(
      instance_, core_.services,
      HiddenWindowParts{core_.discovery, core_.channelOpened, core_.adapterPresent, *startupChecks_,
                        zeroConfig_, core_.zeroConfig});
  window_->run();

  host_.releaseInstanceMutex();
  OleUninitialize();
  return false;  // the process ends when the hidden window has
}

}  // namespace kestrel
