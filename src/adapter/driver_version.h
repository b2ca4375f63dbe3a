#pragma once

#include <string>

#include "parameters/driver_parameters.h"
#include "platform/file_info.h"

namespace kestrel {

// " %b. %d, %Y" with English month abbreviations, whatever the locale.
std::string FormatDriverDate(const CalendarDate& date);

// The driver file's version and date, as the information page shows them.
class DriverVersion {
 public:
  DriverVersion(DriverParameters& parameters, Registry& registry, FileInfo& files,
                const SystemKind& system);

  // The date is filled whenever the file is known and its status readable; the result is
  // that of reading the version.
  bool GetDriverVersionAndDate(std::string& version, std::string& date);
  // "%d.%d.%d.%d" from the file's fixed version information.
  bool GetFileVersionText(const std::string& path, std::string& text);

 private:
  bool findDriverFile(std::string& path);
  bool imagePathOf(const std::string& serviceKey, std::string& imagePath, bool& keyOpened);

  DriverParameters& parameters_;
  Registry& registry_;
  FileInfo& files_;
  const SystemKind& system_;
};

}  // namespace kestrel
