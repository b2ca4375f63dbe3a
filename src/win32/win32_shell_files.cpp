#include "win32/win32_shell_ports.h"

namespace kestrel {

FileReadResult Win32LocalFiles::readWhole(const std::string& path, std::size_t maxBytes,
                                          std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return FileReadResult::CannotOpen;
  LARGE_INTEGER size{};
  FileReadResult result = FileReadResult::ReadError;
  if (GetFileSizeEx(file, &size) && size.QuadPart >= 0) {
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
      result = FileReadResult::TooLarge;
    } else {
      std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
      DWORD read = 0;
      if (content.empty() ||
          (ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr) &&
           read == content.size())) {
        bytes = std::move(content);
        result = FileReadResult::Read;
      }
    }
  }
  CloseHandle(file);
  return result;
}

bool Win32LocalFiles::remove(const std::string& path) {
  return DeleteFileA(path.c_str()) != FALSE;
}

bool Win32ProcessStarter::start(const std::string& path) {
  // Quoted, so that a path with blanks names the program and not a prefix of it.
  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace kestrel
