// Visual check of the main sheet against the simulated adapter (`kestrel-sim install`
// first): the sheet with stand-in pages and its live status panel, the help panes opened,
// the two-page set, or the applying-settings popup shown over and over.
//
//   sheet_preview.exe sheet|help|two|popup [seconds]
#include <objbase.h>
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "stand_in_pages.h"
#include "win32/help_pane.h"
#include "win32/real_machine.h"
#include "win32/ui/sheet/main_sheet.h"

namespace {

using namespace kestrel;

enum class Mode { Sheet, Help, Two, Popup };

struct Preview {
  Mode mode = Mode::Sheet;
  int secondsLeft = 8;
  int ticks = 0;
  MainSheet* sheet = nullptr;
};

Preview state;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  MainSheet* open = OpenSheet();
  if (open == nullptr)
    return;
  ++state.ticks;
  if (state.ticks * 250 >= state.secondsLeft * 1000) {
    open->endWithCancel();
    return;
  }
  if (state.mode == Mode::Help && state.ticks == 4)
    SendMessageW(open->window(), WM_COMMAND, IDHELP, 0);
  // One popup every 1.5 s, so that the page beneath has repainted before the next.
  if (state.mode == Mode::Popup && state.ticks >= 8 && state.ticks % 6 == 2)
    open->showApplyingPopup();  // returns when it has closed itself
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  LoadRichEditLibrary();
  const std::wstring line = commandLine;
  if (line.rfind(L"help", 0) == 0)
    state.mode = Mode::Help;
  else if (line.rfind(L"two", 0) == 0)
    state.mode = Mode::Two;
  else if (line.rfind(L"popup", 0) == 0)
    state.mode = Mode::Popup;
  const std::size_t blank = line.find(L' ');
  if (blank != std::wstring::npos)
    state.secondsLeft = static_cast<int>(std::wcstol(line.c_str() + blank, nullptr, 10));

  RealMachine real(false);
  MainSheet sheet(real.services, instance);
  preview::StandInSettingsPage settings(sheet);
  preview::StandInNetworksPage networks;
  preview::StandInPage statistics("statistics.rtf");
  preview::StandInPage information("about.rtf");
  SheetPages pages{&settings, &networks, &statistics, &information};

  SetTimer(nullptr, 0, 250, Tick);
  const bool fourPages = state.mode != Mode::Two;
  const INT_PTR result = sheet.run(nullptr, pages, fourPages, state.mode == Mode::Two);
  CoUninitialize();
  return result == IDCANCEL ? 0 : 1;
}
