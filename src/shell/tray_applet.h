#pragma once
// The hidden main window's rules: start, the once-a-second monitor, clicks on the
// notification-area icon, the popup menu and its dismissal, the start and stop messages,
// and the zero-configuration check and change handling. The window carries the
// decisions out through `ShellWindow`.

#include <cstdint>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "parameters/driver_parameters.h"
#include "platform/os_kind.h"
#include "platform/timers.h"
#include "shell/shell_window.h"
#include "shell/startup_checks.h"
#include "shell/zero_config_check.h"
#include "shell/zero_config_control.h"

namespace kestrel {

inline constexpr std::uint32_t kMonitorTimerId = 102;
inline constexpr std::uint32_t kMonitorPeriodMs = 1000;
inline constexpr std::uint32_t kMenuTimerId = 2;
inline constexpr std::uint32_t kMenuPeriodMs = 3000;

inline constexpr int kMenuAbout = 3025;
inline constexpr int kMenuOpen = 3026;
inline constexpr int kMenuExit = 3027;

enum class TrayMouse { LeftDown, LeftDoubleClick, LeftUp, RightUp, Move, Other };

struct TrayAppletParts {
  const SystemKind& system;
  AdapterDiscovery& discovery;
  Adapter& adapter;
  bool& channelOpened;   // the request channel's opened flag
  bool& adapterPresent;  // result of the last adapter pick
  StartupChecks& startupChecks;
  DriverParameters& parameters;
  ZeroConfigControl& zeroConfig;
  ZeroConfigPrompt& zeroConfigPrompt;
  ZeroConfigState& zeroConfigState;
  Timers& timers;
  ShellWindow& window;
};

class TrayApplet {
 public:
  explicit TrayApplet(TrayAppletParts parts);

  // The hidden window's initialisation: adapter pick, start-up checks, first icon, monitor.
  void start();
  void onMonitorTick();
  // The icon's callback; `cursor` is where the cursor is now.
  void onTrayMouse(TrayMouse event, ScreenPoint cursor);
  void onMenuDismissTick(ScreenPoint cursor);
  void onMenuCommand(int command);
  void onStartMessage();
  void onStopMessage();
  void onZeroConfigCheck();

  bool startupChecksDone() const { return checksDone_; }
  bool menuOpen() const { return menuOpen_; }
  bool informationPageRequested() const { return informationRequested_; }

 private:
  bool twoPagesOnly() const;
  void openSheet();
  void loseAdapter();
  void runStartupChecksOnce();
  void runZeroConfigChange();
  void exitApplication();

  TrayAppletParts p_;
  bool checksDone_ = false;
  bool menuOpen_ = false;
  bool informationRequested_ = false;
  bool inTick_ = false;
  ScreenPoint lastPoint_;
};

}  // namespace kestrel
