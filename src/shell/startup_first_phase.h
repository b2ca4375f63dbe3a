#pragma once

#include <cstdint>
#include <string>

#include "platform/application_host.h"
#include "platform/os_kind.h"
#include "platform/system_version.h"

namespace kestrel {

inline constexpr char kInstanceMutexName[] = "LX740N Status Tray Applet";
inline constexpr char kStartMessageName[] = "corvusap.exe START";
inline constexpr char kStopMessageName[] = "corvusap.exe STOP";
// A second start with "STOP" returns once the running instance has gone (an uninstaller
// runs it before removing the files that instance has loaded), or after this long.
inline constexpr std::uint32_t kStopAwaitExitMs = 10000;

// The application's first initialisation phase, before any window exists: single
// instance with "START"/"STOP", operating-system classification, privileges.
// Returns true when this process goes on to run the utility. `system` is filled whatever
// the single-instance decision was.
bool RunFirstPhase(bool frameworkInitialised, const std::string& commandLine, ApplicationHost& host,
                   SystemVersion& versionSource, SystemKind& system);

}  // namespace kestrel
