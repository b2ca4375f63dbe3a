#include "win32/win32_control_surface.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "win32/ansi_text.h"

namespace kestrel {

namespace {

LRESULT Send(HWND control, UINT message, WPARAM w = 0, LPARAM l = 0) {
  return control != nullptr ? SendMessageW(control, message, w, l) : 0;
}

// A static or a read-only edit: a control that only shows its text.
bool ShowsTextOnly(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  if (lstrcmpiW(name, L"Static") == 0)
    return true;
  return lstrcmpiW(name, L"Edit") == 0 && (GetWindowLongW(control, GWL_STYLE) & ES_READONLY) != 0;
}

bool HasText(HWND control, const std::wstring& text) {
  const int length = GetWindowTextLengthW(control);
  if (length != static_cast<int>(text.size()))
    return false;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(control, buffer.data(), length + 1);
  return text.compare(0, text.size(), buffer.data(), static_cast<std::size_t>(length)) == 0;
}

}  // namespace

bool Win32ControlSurface::isCombo(HWND control) const {
  wchar_t name[32] = {};
  GetClassNameW(control, name, 32);
  return lstrcmpiW(name, L"ComboBox") == 0;
}

std::string Win32ControlSurface::text(ControlId id) {
  HWND control = item(id);
  if (control == nullptr)
    return {};
  const int length = GetWindowTextLengthW(control);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(control, buffer.data(), length + 1);
  return CoreFromWide(buffer.data());
}

// The pages' timers set their fields every tick; setting a text a field already shows
// would only paint it again. Typing controls are always set (they notify, move the caret).
void Win32ControlSurface::setText(ControlId id, const std::string& text) {
  const std::wstring wide = WideFromCore(text);
  HWND control = item(id);
  if (control != nullptr && ShowsTextOnly(control) && HasText(control, wide))
    return;
  SetDlgItemTextW(dialog_, id, wide.c_str());
}

void Win32ControlSurface::limitText(ControlId id, int characters) {
  HWND control = item(id);
  Send(control, isCombo(control) ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(characters));
}

bool Win32ControlSurface::checked(ControlId id) {
  return IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
}

void Win32ControlSurface::setChecked(ControlId id, bool checked) {
  CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32ControlSurface::enabled(ControlId id) {
  HWND control = item(id);
  return control != nullptr && IsWindowEnabled(control);
}

void Win32ControlSurface::enable(ControlId id, bool enabled) {
  if (HWND control = item(id))
    EnableWindow(control, enabled ? TRUE : FALSE);
}

bool Win32ControlSurface::visible(ControlId id) {
  HWND control = item(id);
  return control != nullptr && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32ControlSurface::show(ControlId id, bool visible) {
  if (HWND control = item(id))
    ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

void Win32ControlSurface::focus(ControlId id) {
  if (HWND control = item(id))
    SetFocus(control);
}

void Win32ControlSurface::clearList(ControlId id) {
  HWND control = item(id);
  Send(control, isCombo(control) ? CB_RESETCONTENT : LB_RESETCONTENT);
}

int Win32ControlSurface::addListItem(ControlId id, const std::string& text) {
  HWND control = item(id);
  const std::wstring wide = WideFromCore(text);
  const LRESULT index = Send(control, isCombo(control) ? CB_ADDSTRING : LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(wide.c_str()));
  return static_cast<int>(index);
}

int Win32ControlSurface::listCount(ControlId id) {
  HWND control = item(id);
  if (control == nullptr)
    return 0;
  return static_cast<int>(Send(control, isCombo(control) ? CB_GETCOUNT : LB_GETCOUNT));
}

std::string Win32ControlSurface::listItemText(ControlId id, int index) {
  HWND control = item(id);
  if (control == nullptr || index < 0 || index >= listCount(id))
    return {};
  const bool combo = isCombo(control);
  const auto length =
      Send(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length < 0)
    return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  Send(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
       reinterpret_cast<LPARAM>(buffer.data()));
  return CoreFromWide(buffer.data());
}

int Win32ControlSurface::selectedListItem(ControlId id) {
  HWND control = item(id);
  if (control == nullptr)
    return -1;
  return static_cast<int>(Send(control, isCombo(control) ? CB_GETCURSEL : LB_GETCURSEL));
}

void Win32ControlSurface::selectListItem(ControlId id, int index) {
  HWND control = item(id);
  Send(control, isCombo(control) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index));
}

void Win32ControlSurface::setSliderRange(ControlId id, int minimum, int maximum) {
  Send(item(id), TBM_SETRANGEMIN, FALSE, minimum);
  Send(item(id), TBM_SETRANGEMAX, TRUE, maximum);
}

void Win32ControlSurface::setSliderTickFrequency(ControlId id, int frequency) {
  Send(item(id), TBM_SETTICFREQ, static_cast<WPARAM>(frequency));
}

int Win32ControlSurface::sliderPosition(ControlId id) {
  return static_cast<int>(Send(item(id), TBM_GETPOS));
}

void Win32ControlSurface::setSliderPosition(ControlId id, int position) {
  Send(item(id), TBM_SETPOS, TRUE, position);
}

}  // namespace kestrel
