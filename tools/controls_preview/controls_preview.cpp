// Visual check of the UI controls: a window with the status panel's pictures on its
// background, the playing page header and settings picture, the strip chart fed with
// changing values, and a help pane showing a help file. Runs until closed, or for the
// number of seconds given on the command line.
#include <objbase.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "resource.h"
#include "win32/animated_picture.h"
#include "win32/help_pane.h"
#include "win32/line_chart.h"

namespace {

using kestrel::AnimatedPicture;

constexpr UINT_PTR kFeedTimer = 1;
constexpr UINT_PTR kQuitTimer = 2;
constexpr int kPanelTop = 44;

struct Preview {
  AnimatedPicture header;
  AnimatedPicture settingsPicture;
  std::vector<AnimatedPicture> panel = std::vector<AnimatedPicture>(10);
  kestrel::LineChart chart;
  HWND help = nullptr;
  HBITMAP panelBackground = nullptr;
  int tick = 0;
};

Preview* preview = nullptr;

void LoadPicture(AnimatedPicture& picture, HWND parent, int id, int left, int top, int resource) {
  picture.Create(parent, id, left, top);
  picture.LoadResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource));
  picture.Draw();
}

void Build(HWND window) {
  LoadPicture(preview->header, window, 100, 8, 4, IDG_HEADER_NETWORK);
  LoadPicture(preview->settingsPicture, window, 101, 372, 8, IDG_SETTINGS_ACCESS_POINT);

  // The status panel: network type, lock and eight bars (five lit) on the panel bitmap.
  preview->panelBackground =
      LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PANEL_BACKGROUND));
  const int pictures[10] = {IDG_NETWORK_INFRASTRUCTURE,
                            IDG_LOCK_CLOSED,
                            IDG_BAR_LIT,
                            IDG_BAR_LIT,
                            IDG_BAR_LIT,
                            IDG_BAR_LIT,
                            IDG_BAR_LIT,
                            IDG_BAR_UNLIT,
                            IDG_BAR_UNLIT,
                            IDG_BAR_UNLIT};
  const int lefts[10] = {12, 200, 300, 310, 320, 330, 340, 350, 360, 370};
  const int tops[10] = {6, 9, 7, 7, 7, 7, 7, 7, 7, 7};
  for (int i = 0; i < 10; ++i) {
    LoadPicture(preview->panel[static_cast<std::size_t>(i)], window, 110 + i, 8 + lefts[i],
                kPanelTop + tops[i], pictures[i]);
  }

  preview->chart.Create(WS_VISIBLE, RECT{8, 86, 368, 246}, window, 1000);
  preview->chart.SetRange(0, 300);
  for (int i = 0; i < 150; ++i)
    preview->chart.AdvanceEmpty();
  preview->chart.SetScrollInterval(200);

  kestrel::LoadRichEditLibrary();
  preview->help =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"RichEdit20W", L"",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 376, 86, 256,
                      300, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  kestrel::ShowPageHelp(preview->help, "statistics.rtf");
  SetTimer(window, kFeedTimer, 100, nullptr);
}

void Feed() {
  ++preview->tick;
  const double phase = preview->tick * 0.05;
  const int value = static_cast<int>(150 + 110 * std::sin(phase) + 30 * std::sin(phase * 3.7));
  preview->chart.AppendValue(value);
}

void PaintPanel(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (preview->panelBackground != nullptr) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, preview->panelBackground);
    BitBlt(dc, 8, kPanelTop, 624, 30, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  SetBkColor(dc, RGB(49, 0, 99));
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutW(dc, 44, kPanelTop + 8, L" kestrel-lab", 12);
  SetTextColor(dc, RGB(214, 255, 41));
  TextOutW(dc, 230, kPanelTop + 8, L"36 (A)", 6);
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Build(window);
      return 0;
    case WM_PAINT:
      PaintPanel(window);
      return 0;
    case WM_TIMER:
      if (wParam == kFeedTimer)
        Feed();
      else if (wParam == kQuitTimer)
        DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Preview state;
  preview = &state;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  windowClass.lpszClassName = L"KestrelControlsPreview";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"KESTREL controls preview",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 656, 440, nullptr, nullptr,
                                instance, nullptr);
  if (window == nullptr)
    return 1;
  const long seconds = std::wcstol(commandLine, nullptr, 10);
  if (seconds > 0)
    SetTimer(window, kQuitTimer, static_cast<UINT>(seconds * 1000), nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (state.panelBackground != nullptr)
    DeleteObject(state.panelBackground);
  CoUninitialize();
  return 0;
}
