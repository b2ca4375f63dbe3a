#include <windows.h>

#include <vector>

#include "win32/win32_system_ports.h"

namespace kestrel {

bool Win32FileInfo::fileVersion(const std::string& path, FileVersion& version) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0)
    return false;
  std::vector<std::uint8_t> block(size, 0);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
    return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
      fixed == nullptr || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
    return false;
  }
  version.mostSignificant = fixed->dwFileVersionMS;
  version.leastSignificant = fixed->dwFileVersionLS;
  return true;
}

bool Win32FileInfo::lastModifiedLocalDate(const std::string& path, CalendarDate& date) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes))
    return false;
  FILETIME local;
  SYSTEMTIME time;
  if (!FileTimeToLocalFileTime(&attributes.ftLastWriteTime, &local) ||
      !FileTimeToSystemTime(&local, &time)) {
    return false;
  }
  date = CalendarDate{time.wYear, time.wMonth, time.wDay};
  return true;
}

std::string Win32FileInfo::windowsDirectory() {
  char buffer[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return {};
  return std::string(buffer, length);
}

}  // namespace kestrel
