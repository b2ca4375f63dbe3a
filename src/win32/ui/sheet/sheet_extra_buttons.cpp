#include "win32/ui/sheet/sheet_extra_buttons.h"

#include <algorithm>
#include <string>

#include "ui/sheet/sheet_texts.h"
#include "win32/ansi_text.h"
#include "win32/scoped_handles.h"

namespace kestrel {

namespace {

constexpr int kApplyButtonId = 0x3021;  // the framework's Apply
constexpr int kHelpTextPadding = 16;

void CreateButton(HWND sheet, HINSTANCE instance, Size button, int id, const char* text,
                  bool visible, bool enabled) {
  const DWORD style = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | (visible ? WS_VISIBLE : 0u) |
                      (enabled ? 0u : WS_DISABLED);
  HWND created = CreateWindowExW(
      0, L"BUTTON", WideFromCore(text).c_str(), style, 0, 0, button.width, button.height, sheet,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  SendMessageW(created, WM_SETFONT, static_cast<WPARAM>(SendMessageW(sheet, WM_GETFONT, 0, 0)),
               FALSE);
}

void Place(HWND sheet, int id, const Rect& r) {
  SetWindowPos(GetDlgItem(sheet, id), nullptr, r.left, r.top, r.width(), r.height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int SheetButtonId(SheetButton button) {
  switch (button) {
    case SheetButton::Close:
      return IDCANCEL;
    case SheetButton::Apply:
      return kApplyButtonId;
    case SheetButton::Cancel:
      return kSheetCancelButtonId;
    case SheetButton::Help:
      return IDHELP;
    case SheetButton::Scan:
      return kSheetScanButtonId;
    case SheetButton::Connect:
      break;
  }
  return kSheetConnectButtonId;
}

void CreateExtraButtons(HWND sheet, HINSTANCE instance, Size button) {
  CreateButton(sheet, instance, button, kSheetConnectButtonId, sheet_texts::kConnect, false, false);
  CreateButton(sheet, instance, button, kSheetScanButtonId, sheet_texts::kScan, false, true);
  CreateButton(sheet, instance, button, kSheetCancelButtonId, sheet_texts::kCancel, true, true);
}

int FittedHelpWidth(HWND sheet, int buttonWidth) {
  HWND helpButton = GetDlgItem(sheet, IDHELP);
  const WindowDc dc(helpButton);
  if (!dc)
    return buttonWidth;
  const ScopedSelection font(dc.get(),
                             reinterpret_cast<HGDIOBJ>(SendMessageW(helpButton, WM_GETFONT, 0, 0)));
  const std::wstring longest = WideFromCore(sheet_texts::kCloseHelp);
  SIZE extent{};
  GetTextExtentPoint32W(dc.get(), longest.c_str(), static_cast<int>(longest.size()), &extent);
  return std::max(buttonWidth, static_cast<int>(extent.cx) + kHelpTextPadding);
}

void PlaceButtonRow(HWND sheet, const BottomRow& row, int helpWidth) {
  Place(sheet, kApplyButtonId, row.apply);
  Place(sheet, kSheetConnectButtonId, row.connect);
  Place(sheet, kSheetCancelButtonId, row.cancel);
  Place(sheet, kSheetScanButtonId, row.scan);
  Place(sheet, IDCANCEL, row.close);
  Rect helpButton = row.help;
  helpButton.right = helpButton.left + helpWidth;
  Place(sheet, IDHELP, helpButton);
}

}  // namespace kestrel
