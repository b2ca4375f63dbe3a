#pragma once
// Port: the operating system's version information.

#include <cstdint>
#include <string>

namespace kestrel {

enum class PlatformFamily { Win32s, Windows9x, WindowsNt, Other };

struct SystemVersionInfo {
  PlatformFamily family = PlatformFamily::Other;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::string servicePack;  // e.g. "Service Pack 2"; empty without one
};

class SystemVersion {
 public:
  virtual ~SystemVersion() = default;
  virtual bool read(SystemVersionInfo& info) = 0;
};

}  // namespace kestrel
