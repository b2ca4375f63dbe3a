#include "win32/ui/sheet/small_dialogs.h"

#include "dialogs/sheet_ids.h"
#include "win32/ansi_text.h"

namespace kestrel {

namespace {

constexpr COLORREF ColourRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

Rect WindowRect(HWND window) {
  RECT r{};
  if (window != nullptr)
    GetWindowRect(window, &r);
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

SaveChangesAnswer SaveChangesDialog::ask() {
  const INT_PTR result = runModal(instance_, IDD_SAVE_CHANGES, owner_);
  return result == IDOK ? SaveChangesAnswer::Save : SaveChangesAnswer::Discard;
}

void SaveChangesDialog::onCommand(int id, std::optional<ControlEvent>) {
  if (id == IDOK || id == IDCANCEL)
    EndDialog(hwnd(), id);
}

ApplyingPopupDialog::ApplyingPopupDialog(HINSTANCE instance, HWND centredOn)
    : instance_(instance), centredOn_(centredOn) {}

ApplyingPopupDialog::~ApplyingPopupDialog() {
  onDestroy();
}

void ApplyingPopupDialog::run() {
  runModal(instance_, IDD_APPLYING_SETTINGS, centredOn_);
}

BOOL ApplyingPopupDialog::onInitDialog() {
  timers_.setWindow(hwnd());
  brush_.reset(CreateSolidBrush(ColourRef(kPopupBackground)));
  font_.reset(CreateFontW(kPopupFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH, WideFromCore(kPopupFontFace).c_str()));
  SendDlgItemMessageW(hwnd(), IDC_APPLYING_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                      FALSE);
  const Rect own = WindowRect(hwnd());
  zoom_.open(WindowRect(centredOn_), {own.width(), own.height()});
  return FALSE;
}

void ApplyingPopupDialog::onTimer(UINT_PTR id) {
  zoom_.onTimer(static_cast<std::uint32_t>(id));
}

void ApplyingPopupDialog::onDestroy() {
  font_.reset();
  brush_.reset();
}

// The text's colours, set again on every repaint.
INT_PTR ApplyingPopupDialog::onMessage(UINT message, WPARAM w, LPARAM, bool& handled) {
  handled = false;
  if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORDLG)
    return 0;
  HDC dc = reinterpret_cast<HDC>(w);
  SetTextColor(dc, ColourRef(kPopupTextColour));
  SetBkColor(dc, ColourRef(kPopupBackground));
  handled = true;
  return reinterpret_cast<INT_PTR>(brush_.get());
}

void ApplyingPopupDialog::place(const Placement& placement) {
  SetWindowPos(hwnd(), nullptr, placement.left, placement.top, placement.width, placement.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(hwnd(), &client);
  MoveWindow(GetDlgItem(hwnd(), IDC_APPLYING_TEXT), 0, 0, client.right, client.bottom, FALSE);
  // The centred text moves with every step: paint it whole, at once.
  RedrawWindow(hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ApplyingPopupDialog::end() {
  EndDialog(hwnd(), IDOK);
}

}  // namespace kestrel
