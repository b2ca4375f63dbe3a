#include "ui_windows.h"

// clang-format off
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <cwchar>

namespace kestrel::endurance {

namespace {

constexpr wchar_t kTitle[] = L"KESTREL Quick Beacon Wireless Utility";
constexpr UINT kDeliverTimeoutMs = 10000;

bool IsDialogClass(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return std::wcscmp(name, L"#32770") == 0;
}

struct Search {
  HWND sheet = nullptr;
  HWND hidden = nullptr;
  HWND found = nullptr;
  bool wantSheet = false;
  bool wantHidden = false;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  if (!IsDialogClass(window))
    return TRUE;
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  const bool titled = std::wcscmp(title, kTitle) == 0;
  if (search.wantHidden) {
    if (titled && CurrentPage(window) == nullptr) {
      search.found = window;
      return FALSE;
    }
  } else if (search.wantSheet) {
    if (titled && IsWindowVisible(window) && CurrentPage(window) != nullptr) {
      search.found = window;
      return FALSE;
    }
  } else if (window != search.sheet && window != search.hidden && IsWindowVisible(window)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND Find(DWORD thread, Search search) {
  EnumThreadWindows(thread, Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ClassSearch {
  const wchar_t* name;
  HWND found;
};

BOOL CALLBACK VisitChild(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<ClassSearch*>(context);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wcscmp(name, search.name) != 0)
    return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

bool Deliver(HWND window, UINT message, WPARAM w, LPARAM l) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, kDeliverTimeoutMs, &result) != 0;
}

HWND FindHiddenWindow(DWORD thread) {
  Search search;
  search.wantHidden = true;
  return Find(thread, search);
}

HWND FindSheet(DWORD thread) {
  Search search;
  search.wantSheet = true;
  return Find(thread, search);
}

HWND FindDialog(DWORD thread, HWND sheet, HWND hidden) {
  Search search;
  search.sheet = sheet;
  search.hidden = hidden;
  return Find(thread, search);
}

HWND CurrentPage(HWND sheet) {
  DWORD_PTR page = 0;
  SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, kDeliverTimeoutMs, &page);
  return reinterpret_cast<HWND>(page);
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
  ClassSearch search{className, nullptr};
  EnumChildWindows(parent, VisitChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace kestrel::endurance
