#include "adapter/driver_version.h"

#include <cstdio>

#include "platform/registry_key.h"

namespace kestrel {

namespace {

constexpr char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services\\";
constexpr char kXpServiceName[] = "AR5211";
constexpr char kDriverServiceName[] = "kwlsvc08";

}  // namespace

std::string FormatDriverDate(const CalendarDate& date) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const char* month = date.month >= 1 && date.month <= 12 ? kMonths[date.month - 1] : "???";
  char text[40];
  std::snprintf(text, sizeof text, " %s. %02d, %d", month, date.day, date.year);
  return text;
}

DriverVersion::DriverVersion(DriverParameters& parameters, Registry& registry, FileInfo& files,
                             const SystemKind& system)
    : parameters_(parameters), registry_(registry), files_(files), system_(system) {}

bool DriverVersion::imagePathOf(const std::string& serviceKey, std::string& imagePath,
                                bool& keyOpened) {
  OpenKeyToEveryone(registry_, serviceKey);
  ScopedRegistryKey key(registry_);
  keyOpened = key.open(RegistryHive::LocalMachine, serviceKey, RegistryAccess::Query);
  RegistryValue value;
  if (!keyOpened ||
      !registry_.queryValue(key.get(), "ImagePath", kDriverParameterMaxBytes, value)) {
    return false;
  }
  imagePath = RegistryValueText(value);
  return true;
}

bool DriverVersion::findDriverFile(std::string& path) {
  if (IsWin9xFamily(system_.os)) {
    std::string vxd;
    if (!parameters_.ReadDriverParameter("DeviceVxDs", vxd)) {
      return false;
    }
    path = files_.windowsDirectory() + "\\system\\" + vxd;
    return true;
  }
  if (system_.os == OsKind::Nt4) {
    return false;
  }
  std::string imagePath;
  bool opened = false;
  bool found = false;
  if (system_.os == OsKind::Xp) {
    found = imagePathOf(kServicesKey + std::string(kXpServiceName), imagePath, opened);
  }
  if (!opened) {
    found = imagePathOf(kServicesKey + std::string(kDriverServiceName), imagePath, opened);
  }
  if (!found) {
    return false;
  }
  path = files_.windowsDirectory() + "\\" + imagePath;
  return true;
}

bool DriverVersion::GetDriverVersionAndDate(std::string& version, std::string& date) {
  std::string path;
  if (!findDriverFile(path)) {
    return false;
  }
  CalendarDate modified;
  if (files_.lastModifiedLocalDate(path, modified)) {
    date = FormatDriverDate(modified);
  }
  return GetFileVersionText(path, version);
}

bool DriverVersion::GetFileVersionText(const std::string& path, std::string& text) {
  FileVersion fixed;
  if (!files_.fileVersion(path, fixed)) {
    return false;
  }
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%u.%u.%u.%u", fixed.mostSignificant >> 16,
                fixed.mostSignificant & 0xFFFF, fixed.leastSignificant >> 16,
                fixed.leastSignificant & 0xFFFF);
  text = buffer;
  return true;
}

}  // namespace kestrel
