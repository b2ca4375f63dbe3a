#include "win32/ui/dialogs/advanced_settings_view.h"

#include "dialogs/dialogs_ids.h"

namespace kestrel {

AdvancedSettingsView::AdvancedSettingsView(DialogServices services, WirelessProfile& working,
                                           SettingsPageChoices page)
    : services_(services), working_(working), page_(page) {}

std::optional<NetworkTypeEffect> AdvancedSettingsView::run(HINSTANCE instance, HWND owner) {
  if (runModal(instance, IDD_ADVANCED_SETTINGS, owner) != IDOK || !dialog_)
    return std::nullopt;
  return dialog_->networkTypeEffect();
}

BOOL AdvancedSettingsView::onInitDialog() {
  surface_.emplace(hwnd());
  prompt_.emplace(hwnd());
  dialog_.emplace(
      *surface_,
      DialogServices{services_.adapter, services_.parameters, services_.system, *prompt_}, working_,
      page_);
  dialog_->open();
  return TRUE;
}

void AdvancedSettingsView::onCommand(int id, std::optional<ControlEvent> event) {
  if (id == IDOK) {
    if (dialog_->confirm())
      EndDialog(hwnd(), IDOK);
  } else if (id == IDCANCEL) {
    EndDialog(hwnd(), IDCANCEL);
  } else if (event) {
    dialog_->onCommand(id, *event);
  }
}

INT_PTR AdvancedSettingsView::onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) {
  if (message == WM_HSCROLL && l != 0) {
    // Every movement, dragging included, carries the slider's own window.
    dialog_->onCommand(GetDlgCtrlID(reinterpret_cast<HWND>(l)), ControlEvent::Scrolled);
    handled = true;
    return 0;
  }
  if (message == WM_CTLCOLORSTATIC) {
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(l));
    if (id == IDC_ADV_FRAG_VALUE || id == IDC_ADV_RTS_VALUE) {
      // Blue text on the dialog's own face: the label looks transparent, and a shorter
      // number leaves nothing of a longer one behind.
      HDC dc = reinterpret_cast<HDC>(w);
      SetTextColor(dc, RGB(0, 0, 255));
      SetBkMode(dc, TRANSPARENT);
      handled = true;
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
  }
  handled = false;
  return 0;
}

}  // namespace kestrel
