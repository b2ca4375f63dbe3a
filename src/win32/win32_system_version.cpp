#include <windows.h>

#include <algorithm>

#include "win32/win32_system_ports.h"

namespace kestrel {

bool Win32SystemVersion::read(SystemVersionInfo& info) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version))
    return false;
  switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
      info.family = PlatformFamily::Win32s;
      break;
    case VER_PLATFORM_WIN32_WINDOWS:
      info.family = PlatformFamily::Windows9x;
      break;
    case VER_PLATFORM_WIN32_NT:
      info.family = PlatformFamily::WindowsNt;
      break;
    default:
      info.family = PlatformFamily::Other;
  }
  info.major = version.dwMajorVersion;
  info.minor = version.dwMinorVersion;
  info.build = version.dwBuildNumber;
  const char* csd = version.szCSDVersion;
  info.servicePack.assign(csd, std::find(csd, csd + sizeof version.szCSDVersion, '\0'));
  return true;
}

}  // namespace kestrel
