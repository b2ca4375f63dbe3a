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
  const bool firstInstance = RunFirstPhase(true, arguments, host_, versionSource_, system_);
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

  adapter_ = std::make_unique<Adapter>(ndis_, events_, channelOpened_, identity_.current);
  identity_.win98SkipCount = 0;
  appServices_ = std::make_unique<AppServices>(
      AppServices{system_, identity_, *adapter_, parameters_, driverVersion_, ipHelper_, fileInfo_,
                  dot1x_, records_, store_, mirror_, prompt_, adapterPresent_,
                  zeroConfigState_.inControl, startupResults_.dot1xAvailable});
  startupChecks_ = std::make_unique<StartupChecks>(
      StartupTargets{system_, discovery_, *adapter_, dot1x_, parameters_, driverVersion_, registry_,
                     store_, records_, files_, processes_, clock_, programPath_},
      startupResults_);
  window_ = std::make_unique<HiddenMainWindow>(
      instance_, *appServices_,
      HiddenWindowParts{discovery_, channelOpened_, adapterPresent_, *startupChecks_, zeroConfig_,
                        zeroConfigState_});
  window_->run();

  host_.releaseInstanceMutex();
  OleUninitialize();
  return false;  // the process ends when the hidden window has
}

}  // namespace kestrel
