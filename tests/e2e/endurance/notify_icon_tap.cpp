#include "notify_icon_tap.h"

// clang-format off
#include <shellapi.h>
// clang-format on

#include <cstring>

#include "win32/critical_section.h"

namespace kestrel::endurance {

namespace {

using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);

NotifyFunction original = nullptr;
kestrel::CriticalSection guard;
long callCount = 0;
NotifyCall lastCall;

BOOL WINAPI RecordingNotify(DWORD action, PNOTIFYICONDATAW data) {
  const BOOL accepted = original(action, data);
  kestrel::CriticalSectionGuard lock(guard);
  ++callCount;
  lastCall.action = action;
  lastCall.hasIcon = (data->uFlags & NIF_ICON) != 0;
  lastCall.icon = lastCall.hasIcon ? data->hIcon : nullptr;
  lastCall.hasTip = (data->uFlags & NIF_TIP) != 0;
  lastCall.tip = lastCall.hasTip ? data->szTip : L"";
  lastCall.accepted = accepted != FALSE;
  return accepted;
}

// The import address slot of `function` from `library` in the program's own image.
void** ImportSlot(const char* library, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0)
    return nullptr;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), library) != 0)
      continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
        continue;
      const auto* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(name->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

}  // namespace

bool InstallNotifyIconTap() {
  void** slot = ImportSlot("shell32.dll", "Shell_NotifyIconW");
  if (slot == nullptr)
    return false;
  DWORD previous = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous))
    return false;
  original = reinterpret_cast<NotifyFunction>(*slot);
  *slot = reinterpret_cast<void*>(&RecordingNotify);
  VirtualProtect(slot, sizeof *slot, previous, &previous);
  return true;
}

long NotifyCallCount() {
  kestrel::CriticalSectionGuard lock(guard);
  return callCount;
}

NotifyCall LastNotifyCall() {
  kestrel::CriticalSectionGuard lock(guard);
  return lastCall;
}

}  // namespace kestrel::endurance
