#pragma once
// The small Win32 ports: IP Helper, file information, system version.

#include "platform/file_info.h"
#include "platform/ip_helper.h"
#include "platform/system_version.h"

namespace kestrel {

class Win32IpHelper : public IpHelper {
 public:
  bool adapters(std::vector<IpAdapterEntry>& list) override;
};

class Win32FileInfo : public FileInfo {
 public:
  bool fileVersion(const std::string& path, FileVersion& version) override;
  bool lastModifiedLocalDate(const std::string& path, CalendarDate& date) override;
  std::string windowsDirectory() override;
};

class Win32SystemVersion : public SystemVersion {
 public:
  bool read(SystemVersionInfo& info) override;
};

}  // namespace kestrel
