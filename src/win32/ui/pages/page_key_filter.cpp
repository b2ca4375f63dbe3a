#include "win32/ui/pages/page_key_filter.h"

#include <algorithm>
#include <vector>

#include "win32/active_window_hook.h"

namespace kestrel {

namespace {

struct AttachedPage {
  HWND page;
  PageKeyRule rule;
};

std::vector<AttachedPage>& Attached() {
  static std::vector<AttachedPage> pages;
  return pages;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM message);

ActiveWindowHook& Hook() {
  static ActiveWindowHook hook(WH_GETMESSAGE, GetMessageHook);
  return hook;
}

bool BoundForSheetOf(HWND page, HWND target) {
  const HWND sheet = GetParent(page);
  return target == page || target == sheet || IsChild(sheet != nullptr ? sheet : page, target);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM message) {
  auto* msg = reinterpret_cast<MSG*>(message);
  if (code == HC_ACTION && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
    const bool altDown = GetKeyState(VK_MENU) < 0 || (msg->lParam & (1 << 29)) != 0;
    const PageKey key{altDown, static_cast<unsigned>(msg->wParam)};
    for (const AttachedPage& attached : Attached()) {
      if (IsWindowVisible(attached.page) && BoundForSheetOf(attached.page, msg->hwnd) &&
          attached.rule(key)) {
        msg->message = WM_NULL;
        break;
      }
    }
  }
  return CallNextHookEx(nullptr, code, removal, message);
}

}  // namespace

void AttachPageKeyFilter(HWND page, PageKeyRule rule) {
  auto& pages = Attached();
  if (std::none_of(pages.begin(), pages.end(),
                   [page](const AttachedPage& attached) { return attached.page == page; }))
    pages.push_back({page, rule});
  Hook().start(GetParent(page));
}

void DetachPageKeyFilter(HWND page) {
  auto& pages = Attached();
  pages.erase(
      std::remove_if(pages.begin(), pages.end(),
                     [page](const AttachedPage& attached) { return attached.page == page; }),
      pages.end());
  if (pages.empty())
    Hook().stop();
}

}  // namespace kestrel
