#include <algorithm>
#include <vector>

#include "platform/user_prompt.h"
#include "win32/ansi_text.h"
#include "win32/win32_shell_ports.h"

namespace kestrel {

namespace {

// Per window; the running instance answers at once, before it acts.
constexpr UINT kBroadcastWaitMs = 5000;

struct TitleSearch {
  std::wstring title;
  std::vector<DWORD> processIds;
};

BOOL CALLBACK CollectProcessOfTitledWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<TitleSearch*>(parameter);
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (search.title == text && processId != GetCurrentProcessId() &&
      std::find(search.processIds.begin(), search.processIds.end(), processId) ==
          search.processIds.end()) {
    search.processIds.push_back(processId);
  }
  return TRUE;
}

// Every other process with a top-level window of this title on this desktop, opened for
// waiting.
std::vector<HANDLE> OpenOtherProcessesWithTitle(const std::wstring& title) {
  TitleSearch search{title, {}};
  EnumWindows(CollectProcessOfTitledWindow, reinterpret_cast<LPARAM>(&search));
  std::vector<HANDLE> processes;
  for (DWORD processId : search.processIds) {
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId))
      processes.push_back(process);
  }
  return processes;
}

}  // namespace

Win32ApplicationHost::~Win32ApplicationHost() {
  releaseInstanceMutex();
}

bool Win32ApplicationHost::createInstanceMutex(const std::string& name, bool& alreadyExisted) {
  mutex_ = CreateMutexA(nullptr, TRUE, name.c_str());
  if (mutex_ == nullptr)
    return false;
  alreadyExisted = GetLastError() == ERROR_ALREADY_EXISTS;
  owned_ = !alreadyExisted;
  return true;
}

void Win32ApplicationHost::releaseInstanceMutex() {
  if (mutex_ == nullptr)
    return;
  if (owned_)
    ReleaseMutex(mutex_);
  closeInstanceMutex();
}

void Win32ApplicationHost::closeInstanceMutex() {
  if (mutex_ != nullptr)
    CloseHandle(mutex_);
  mutex_ = nullptr;
  owned_ = false;
}

void Win32ApplicationHost::broadcastRegisteredMessage(const std::string& name) {
  const UINT message = RegisterWindowMessageA(name.c_str());
  // Every top-level window of the machine gets it: one that hangs must not hang this start.
  if (message != 0) {
    SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, kBroadcastWaitMs, nullptr);
  }
}

void Win32ApplicationHost::broadcastAndAwaitExit(const std::string& name, std::uint32_t timeoutMs) {
  // The windows go with the message: their processes are taken first.
  std::vector<HANDLE> processes = OpenOtherProcessesWithTitle(WideFromCore(kApplicationTitle));
  broadcastRegisteredMessage(name);
  // WaitForMultipleObjects takes at most MAXIMUM_WAIT_OBJECTS handles.
  const DWORD count =
      static_cast<DWORD>(std::min<std::size_t>(processes.size(), MAXIMUM_WAIT_OBJECTS));
  if (count > 0)
    WaitForMultipleObjects(count, processes.data(), TRUE, timeoutMs);
  for (HANDLE process : processes)
    CloseHandle(process);
}

PrivilegeResult Win32ApplicationHost::enablePrivilege(const std::string& name, bool enable) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &token)) {
    return PrivilegeResult::OpenTokenFailed;
  }
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  if (!LookupPrivilegeValueA(nullptr, name.c_str(), &privileges.Privileges[0].Luid)) {
    CloseHandle(token);
    return PrivilegeResult::LookupFailed;
  }
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  const BOOL adjusted =
      AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr);
  CloseHandle(token);
  return adjusted ? PrivilegeResult::Enabled : PrivilegeResult::AdjustFailed;
}

void Win32ApplicationHost::showPlainMessage(const std::string& text) {
  MessageBoxW(nullptr, WideFromCore(text).c_str(), L"", MB_OK);
}

}  // namespace kestrel
