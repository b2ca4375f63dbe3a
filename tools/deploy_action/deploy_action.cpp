// The package's deferred actions that run the installed kestrelctl. A DLL action rather
// than an EXE one: Windows Installer records nothing an EXE action prints, and a refused
// profile file must say why in the installation's log (`msiexec /l*v`).
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>
#include <vector>

#include "output_lines.h"
#include "win32/scoped_handles.h"

namespace {

using kestrel::UniqueHandle;

void Log(MSIHANDLE install, const std::wstring& text) {
  PMSIHANDLE record = MsiCreateRecord(1);
  // The text goes in as a field, not as the template, so that brackets in it (a path,
  // a profile's name) are not read as properties.
  MsiRecordSetStringW(record, 0, L"[1]");
  MsiRecordSetStringW(record, 1, text.c_str());
  MsiProcessMessage(install, INSTALLMESSAGE_INFO, record);
}

std::wstring WideFromUtf8(const std::string& utf8) {
  if (utf8.empty())
    return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  if (length <= 0)
    return L"(a line that is not UTF-8)";
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::wstring CustomActionData(MSIHANDLE install) {
  wchar_t probe[1] = {};
  DWORD length = 0;
  if (MsiGetPropertyW(install, L"CustomActionData", probe, &length) != ERROR_MORE_DATA)
    return {};
  std::vector<wchar_t> value(length + 1);
  length = static_cast<DWORD>(value.size());
  if (MsiGetPropertyW(install, L"CustomActionData", value.data(), &length) != ERROR_SUCCESS)
    return {};
  return std::wstring(value.data(), length);
}

// Digits by hand: std::to_wstring would import wide printf functions for this alone.
std::wstring Decimal(DWORD value) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

std::wstring SystemError(DWORD code) {
  return L"Windows error " + Decimal(code);
}

// Runs `commandLine` with its standard output and error in one pipe, each line of them
// into the log, and gives its exit code (or false, logged, when it did not start).
bool RunLogged(MSIHANDLE install, std::wstring commandLine, DWORD& exitCode) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE pipeRead = nullptr;
  HANDLE pipeWrite = nullptr;
  if (CreatePipe(&pipeRead, &pipeWrite, &inheritable, 0) == FALSE) {
    Log(install, L"The output pipe could not be made: " + SystemError(GetLastError()));
    return false;
  }
  UniqueHandle readEnd(pipeRead);
  UniqueHandle writeEnd(pipeWrite);
  SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
  // Nothing to read: a question the program asks is answered by end of input.
  UniqueHandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inheritable, OPEN_EXISTING, 0, nullptr));

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = writeEnd.get();
  startup.hStdError = writeEnd.get();
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &startup, &process) == FALSE) {
    Log(install, L"It could not be started: " + SystemError(GetLastError()));
    return false;
  }
  UniqueHandle child(process.hProcess);
  UniqueHandle childThread(process.hThread);
  // Only the child holds the write end now, so the pipe ends when the child does.
  writeEnd.reset();
  input.reset();

  kestrel::deploy::OutputLines lines(
      [install](const std::string& line) { Log(install, WideFromUtf8(line)); });
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(readEnd.get(), buffer, sizeof(buffer), &read, nullptr) != FALSE && read > 0)
    lines.feed(buffer, read);
  lines.finish();

  WaitForSingleObject(child.get(), INFINITE);
  if (GetExitCodeProcess(child.get(), &exitCode) == FALSE) {
    Log(install, L"Its exit code could not be read: " + SystemError(GetLastError()));
    return false;
  }
  return true;
}

}  // namespace

// CustomActionData: the whole command line, formatted by the immediate action that set it.
extern "C" UINT WINAPI RunLoggedCommand(MSIHANDLE install) {
  const std::wstring commandLine = CustomActionData(install);
  if (commandLine.empty()) {
    Log(install, L"RunLoggedCommand: no command line given");
    return ERROR_INSTALL_FAILURE;
  }
  Log(install, L"Running " + commandLine);
  DWORD exitCode = 0;
  if (!RunLogged(install, commandLine, exitCode))
    return ERROR_INSTALL_FAILURE;
  Log(install, L"Exit code " + Decimal(exitCode));
  return exitCode == 0 ? ERROR_SUCCESS : ERROR_INSTALL_FAILURE;
}
