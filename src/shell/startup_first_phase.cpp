#include "shell/startup_first_phase.h"

#include "shell/os_classification.h"

namespace kestrel {

namespace {

// "このオペレーティング・システムはサポートされていません" (CP932)
constexpr char kUnsupportedMessage[] =
    "\x82\xB1\x82\xCC\x83\x49\x83\x79\x83\x8C\x81\x5B\x83\x65\x83\x42\x83\x93\x83\x4F\x81\x45"
    "\x83\x56\x83\x58\x83\x65\x83\x80\x82\xCD\x83\x54\x83\x7C\x81\x5B\x83\x67\x82\xB3\x82\xEA"
    "\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1";

bool Contains(const std::string& text, const char* word) {
  return text.find(word) != std::string::npos;
}

bool TakeInstance(const std::string& commandLine, ApplicationHost& host) {
  bool alreadyExisted = false;
  const bool created = host.createInstanceMutex(kInstanceMutexName, alreadyExisted);
  if (!created || alreadyExisted) {
    if (Contains(commandLine, "STOP")) {
      host.broadcastAndAwaitExit(kStopMessageName, kStopAwaitExitMs);
    } else if (!Contains(commandLine, "START")) {
      host.broadcastRegisteredMessage(kStartMessageName);
    }
    if (created)
      host.closeInstanceMutex();
    return false;
  }
  if (Contains(commandLine, "STOP")) {
    host.releaseInstanceMutex();
    return false;
  }
  return true;
}

bool EnablePrivilegeOrSay(ApplicationHost& host, const char* name) {
  switch (host.enablePrivilege(name, true)) {
    case PrivilegeResult::Enabled:
      return true;
    case PrivilegeResult::OpenTokenFailed:
      host.showPlainMessage("Failed OpenProcessToken");
      return false;
    case PrivilegeResult::LookupFailed:
      host.showPlainMessage("Failed  LookupPrivilegeValue");
      return false;
    case PrivilegeResult::AdjustFailed:
      host.showPlainMessage("Failed AdjustTokenPrivileges");
      return false;
  }
  return false;
}

}  // namespace

bool RunFirstPhase(bool frameworkInitialised, const std::string& commandLine, ApplicationHost& host,
                   SystemVersion& versionSource, SystemKind& system) {
  const bool proceed = frameworkInitialised && TakeInstance(commandLine, host);

  SystemVersionInfo version;
  if (!versionSource.read(version) || ClassifyOs(version, system) == OsSupport::Unsupported) {
    host.showPlainMessage(kUnsupportedMessage);
  }
  if (system.os == OsKind::Xp || system.os == OsKind::Win2000) {
    if (!EnablePrivilegeOrSay(host, "SeRestorePrivilege") ||
        !EnablePrivilegeOrSay(host, "SeBackupPrivilege")) {
      return false;
    }
  }
  return proceed;
}

}  // namespace kestrel
