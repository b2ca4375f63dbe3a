#include "win32/dialog_view.h"

namespace kestrel {

std::optional<ControlEvent> DecodeCommand(HWND control, WORD notification) {
  if (control == nullptr)
    return std::nullopt;
  wchar_t name[32] = {};
  GetClassNameW(control, name, 32);
  if (lstrcmpiW(name, L"Button") == 0) {
    if (notification == BN_CLICKED)
      return ControlEvent::Clicked;
  } else if (lstrcmpiW(name, L"ComboBox") == 0) {
    if (notification == CBN_SELCHANGE)
      return ControlEvent::SelectionChanged;
    if (notification == CBN_EDITCHANGE)
      return ControlEvent::TextChanged;
    if (notification == CBN_KILLFOCUS)
      return ControlEvent::FocusLost;
    if (notification == CBN_DROPDOWN)
      return ControlEvent::ListOpened;
  } else if (lstrcmpiW(name, L"ListBox") == 0) {
    if (notification == LBN_SELCHANGE)
      return ControlEvent::SelectionChanged;
  } else if (lstrcmpiW(name, L"Edit") == 0) {
    if (notification == EN_CHANGE)
      return ControlEvent::TextChanged;
    if (notification == EN_KILLFOCUS)
      return ControlEvent::FocusLost;
  }
  return std::nullopt;
}

INT_PTR DialogView::runModal(HINSTANCE instance, int templateId, HWND owner) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, Procedure,
                         reinterpret_cast<LPARAM>(this));
}

HWND DialogView::createModeless(HINSTANCE instance, int templateId, HWND owner) {
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), owner, Procedure,
                            reinterpret_cast<LPARAM>(this));
}

PROPSHEETPAGEW DialogView::propertyPage(HINSTANCE instance, int templateId) {
  PROPSHEETPAGEW page{};
  page.dwSize = PROPSHEETPAGEW_V1_SIZE;  // only the first fields are used; every comctl32 takes it
  page.hInstance = instance;
  page.pszTemplate = MAKEINTRESOURCEW(templateId);
  page.pfnDlgProc = PageProcedure;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

INT_PTR CALLBACK DialogView::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_INITDIALOG)
    attach(window, reinterpret_cast<DialogView*>(l));
  return route(window, message, w, l);
}

// A property page gets its page record with WM_INITDIALOG; the view rides in its lParam.
INT_PTR CALLBACK DialogView::PageProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_INITDIALOG) {
    attach(window, reinterpret_cast<DialogView*>(reinterpret_cast<PROPSHEETPAGEW*>(l)->lParam));
  }
  return route(window, message, w, l);
}

void DialogView::attach(HWND window, DialogView* view) {
  SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(view));
  if (view != nullptr)
    view->hwnd_ = window;
}

INT_PTR DialogView::route(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* view = reinterpret_cast<DialogView*>(GetWindowLongPtrW(window, DWLP_USER));
  if (view == nullptr)
    return FALSE;
  const INT_PTR result = view->dispatch(message, w, l);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    view->hwnd_ = nullptr;
  }
  return result;
}

INT_PTR DialogView::dispatch(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog();
    case WM_COMMAND:
      onCommand(LOWORD(w), DecodeCommand(reinterpret_cast<HWND>(l), HIWORD(w)));
      return TRUE;
    case WM_TIMER:
      onTimer(w);
      return TRUE;
    case WM_DESTROY:
      onDestroy();
      return FALSE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      switch (header->code) {
        case PSN_SETACTIVE:
          onSetActive();
          SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
          return TRUE;
        case PSN_KILLACTIVE:
          SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, onKillActive() ? FALSE : TRUE);
          return TRUE;
        case PSN_APPLY:
          SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT,
                            onApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
          return TRUE;
        default:
          break;
      }
      break;
    }
    default:
      break;
  }
  bool handled = false;
  const INT_PTR result = onMessage(message, w, l, handled);
  return handled ? result : FALSE;
}

}  // namespace kestrel
