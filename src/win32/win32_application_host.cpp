#include <algorithm>
#include <utility>
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
std::vector<UniqueHandle> OpenOtherProcessesWithTitle(const std::wstring& title) {
  TitleSearch search{title, {}};
  EnumWindows(CollectProcessOfTitledWindow, reinterpret_cast<LPARAM>(&search));
  std::vector<UniqueHandle> processes;
  for (DWORD processId : search.processIds) {
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (process)
      processes.push_back(std::move(process));
  }
  return processes;
}

}  // namespace

Win32ApplicationHost::~Win32ApplicationHost() {
  releaseInstanceMutex();
}

bool Win32ApplicationHost::createInstanceMutex(const std::string& name, bool& alreadyExisted) {
  mutex_.reset(CreateMutexA(nullptr, TRUE, name.c_str()));
  if (!mutex_)
    return false;
  alreadyExisted = GetLastError() == ERROR_ALREADY_EXISTS;
  owned_ = !alreadyExisted;
  return true;
}

void Win32ApplicationHost::releaseInstanceMutex() {
  if (!mutex_)
    return;
  if (owned_)
    ReleaseMutex(mutex_.get());
  closeInstanceMutex();
}

void Win32ApplicationHost::closeInstanceMutex() {
  mutex_.reset();
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
  const std::vector<UniqueHandle> processes =
      OpenOtherProcessesWithTitle(WideFromCore(kApplicationTitle));
  broadcastRegisteredMessage(name);
  // WaitForMultipleObjects takes at most MAXIMUM_WAIT_OBJECTS handles.
  std::vector<HANDLE> waited;
  for (const UniqueHandle& process : processes) {
    if (waited.size() < MAXIMUM_WAIT_OBJECTS)
      waited.push_back(process.get());
  }
  if (!waited.empty())
    WaitForMultipleObjects(static_cast<DWORD>(waited.size()), waited.data(), TRUE, timeoutMs);
}

PrivilegeResult Win32ApplicationHost::enablePrivilege(const std::string& name, bool enable) {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &opened)) {
    return PrivilegeResult::OpenTokenFailed;
  }
  const UniqueHandle token(opened);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  if (!LookupPrivilegeValueA(nullptr, name.c_str(), &privileges.Privileges[0].Luid)) {
    return PrivilegeResult::LookupFailed;
  }
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  const BOOL adjusted =
      AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof privileges, nullptr, nullptr);
  return adjusted ? PrivilegeResult::Enabled : PrivilegeResult::AdjustFailed;
}

void Win32ApplicationHost::showPlainMessage(const std::string& text) {
  MessageBoxW(nullptr, WideFromCore(text).c_str(), L"", MB_OK);
}

}  // namespace kestrel
