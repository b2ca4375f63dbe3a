#include "shell/startup_checks.h"

#include "activation/configuration_push.h"
#include "activation/first_run_defaults.h"
#include "profiles/registry_helpers.h"
#include "shell/program_directory.h"
#include "shell/shell_texts.h"

namespace kestrel {

using namespace shell_texts;

StartupChecks::StartupChecks(StartupTargets targets, StartupResults& results)
    : t_(targets), results_(results) {}

bool StartupChecks::isNt5() const {
  return t_.system.os == OsKind::Xp || t_.system.os == OsKind::Win2000;
}

// Without a directory a bare name would resolve against the current directory, where
// anyone may have put a file of that name.
bool StartupChecks::besideProgram(const char* fileName, std::string& path) const {
  const std::string directory = ProgramDirectory(t_.programPath, true);
  if (directory.empty() || (directory.back() != '\\' && directory.back() != '/'))
    return false;
  path = directory + fileName;
  return true;
}

bool StartupChecks::RunStartupChecks() {
  if (isNt5())
    t_.discovery.FindAdapterDevice();

  results_.mac = {};
  if (!t_.adapter.GetMacAddress(results_.mac))
    return false;
  results_.dot1xAvailable = t_.dot1x.Open(results_.mac);

  std::string oem;
  if (ReadOemFile(oem))
    ApplyOemCountry();

  std::string firstRunDone;
  if (!t_.parameters.ReadDriverParameter(kFirstRunFlag, firstRunDone))
    runFirstRunWork();

  LoadAndPushVirtualProfile(true);

  if (isNt5()) {
    const std::string path = t_.parameters.GetDriverParametersPath();
    if (!path.empty()) {
      OpenKeyToEveryone(t_.registry, path);
      OpenKeyToEveryone(t_.registry, path + kConfigurationsSubKey);
    }
    std::string version;
    std::string date;
    t_.driverVersion.GetDriverVersionAndDate(version, date);
  }
  return true;
}

void StartupChecks::runFirstRunWork() {
  SaveFirstRunDefaults(t_.store);
  std::string companion;
  if (isNt5() && besideProgram(kCompanionProgram, companion))
    t_.processes.start(companion);  // a missing one is ignored
  t_.parameters.WriteDriverParameter(kFirstRunFlag, "1");
}

void StartupChecks::LoadAndPushVirtualProfile(bool pauseOnXp) {
  if (pauseOnXp && t_.system.os == OsKind::Xp)
    t_.clock.sleepMs(kXpSettlePauseMs);
  t_.store.LoadProfile(t_.records.current, kVirtualProfileName);
  ApplyConfiguration({t_.adapter, t_.dot1x, t_.parameters, t_.system}, t_.records.current);
}

bool StartupChecks::ReadOemFile(std::string& text) {
  std::string path;
  std::string bytes;
  if (!besideProgram(kOemFileName, path) ||
      t_.files.readWhole(path, kOemFileMaxBytes, bytes) != FileReadResult::Read) {
    return false;
  }
  text = bytes.substr(0, bytes.find('\0'));
  return true;
}

bool StartupChecks::ApplyOemCountry() {
  std::string current;
  if (!t_.parameters.ReadDriverParameter(kCountryCodeValue, current))
    return false;
  std::string text;
  if (!ReadOemFile(text) || text.size() < 2)
    return false;
  if (!t_.adapter.SetCountryCode(std::string_view(text).substr(0, 2)))
    return false;
  const std::string path = t_.parameters.GetDriverParametersPath();
  std::string oemPath;
  if (!path.empty() &&
      RegWriteString(t_.registry, RegistryHive::LocalMachine, path, kCountryCodeValue, text) &&
      besideProgram(kOemFileName, oemPath)) {
    t_.files.remove(oemPath);
  }
  return true;
}

}  // namespace kestrel
