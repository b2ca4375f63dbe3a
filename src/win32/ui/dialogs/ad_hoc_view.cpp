#include "win32/ui/dialogs/ad_hoc_view.h"

#include "dialogs/dialogs_ids.h"
#include "win32/thread_hook.h"

namespace kestrel {

namespace {

// The open ad hoc dialog of this thread; the key filter has no other way to find it.
thread_local AdHocView* openView = nullptr;

}  // namespace

AdHocView::AdHocView(DialogServices services, WirelessProfile& working,
                     const WirelessProfile& current)
    : services_(services), working_(working), current_(current) {}

bool AdHocView::run(HINSTANCE instance, HWND owner) {
  return runModal(instance, IDD_ADHOC_SETTINGS, owner) == IDOK;
}

BOOL AdHocView::onInitDialog() {
  surface_.emplace(hwnd());
  prompt_.emplace(hwnd());
  dialog_.emplace(
      *surface_,
      DialogServices{services_.adapter, services_.parameters, services_.system, *prompt_}, working_,
      current_);
  dialog_->open();
  openView = this;
  keyFilter_ = HookThisThread(WH_MSGFILTER, KeyFilter);
  return TRUE;
}

void AdHocView::onDestroy() {
  keyFilter_.reset();
  openView = nullptr;
}

void AdHocView::onCommand(int id, std::optional<ControlEvent> event) {
  if (id == IDOK) {
    dialog_->confirm();
    EndDialog(hwnd(), IDOK);
  } else if (id == IDCANCEL) {
    EndDialog(hwnd(), IDCANCEL);
  } else if (event) {
    dialog_->onCommand(id, *event);
  }
}

LRESULT CALLBACK AdHocView::KeyFilter(int code, WPARAM w, LPARAM l) {
  const auto* message = reinterpret_cast<const MSG*>(l);
  AdHocView* view = openView;
  if (code == MSGF_DIALOGBOX && view != nullptr && message->message == WM_SYSKEYDOWN &&
      (message->hwnd == view->hwnd() || IsChild(view->hwnd(), message->hwnd)) &&
      message->wParam < 0x80 && view->dialog_->onAltKey(static_cast<char>(message->wParam))) {
    return TRUE;
  }
  return CallNextHookEx(nullptr, code, w, l);
}

}  // namespace kestrel
