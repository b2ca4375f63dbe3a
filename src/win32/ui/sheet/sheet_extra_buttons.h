#pragma once
// The bottom row of the main sheet: the framework's Apply, Close and Help, and the three
// buttons the sheet adds (Connect, Scan, and the settings page's Cancel), whose commands it
// passes to the page they belong to.

#include <windows.h>

#include "dialogs/settings_ids.h"
#include "ui/sheet/sheet_geometry.h"
#include "ui/sheet_services.h"

namespace kestrel {

inline constexpr int kSheetScanButtonId = 1075;
inline constexpr int kSheetConnectButtonId = 1076;
inline constexpr int kSheetCancelButtonId = IDC_SETTINGS_SHEET_CANCEL;

// The window id of a bottom-row button.
int SheetButtonId(SheetButton button);

// Makes Connect (hidden, disabled), Scan (hidden) and Cancel in the sheet's font.
void CreateExtraButtons(HWND sheet, HINSTANCE instance, Size button);

// Help's width: the button's, or wider when "ヘルプを閉じる" needs it in the button's font.
int FittedHelpWidth(HWND sheet, int buttonWidth);

// Moves every button of the row to its place; Help gets `helpWidth`.
void PlaceButtonRow(HWND sheet, const BottomRow& row, int helpWidth);

}  // namespace kestrel
