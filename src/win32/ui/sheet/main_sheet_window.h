#pragma once
// The main sheet's window once the framework has made it: subclassed for the status panel,
// the bottom row, the help toggle, page changes and closing.

#include <windows.h>

#include <vector>

#include "ui/sheet/help_toggle.h"
#include "ui/sheet/sheet_buttons.h"
#include "ui/sheet/sheet_geometry.h"
#include "ui/sheet/status_panel_updater.h"
#include "win32/subclassed_window.h"
#include "win32/ui/sheet/main_sheet.h"
#include "win32/ui/sheet/status_panel_window.h"
#include "win32/ui/sheet/window_icons.h"
#include "win32/win32_timers.h"

namespace kestrel {

// Asks the framework to show page `index`.
void SelectSheetPage(HWND sheet, int index);

// Every change of page passes through the tab control's selection: the sheet is told by a
// posted message, once the change is done.
class PageChangeWatcher : public SubclassedWindow {
 public:
  explicit PageChangeWatcher(UINT notice) : notice_(notice) {}
  void watch(HWND tab, HWND sheet);

 private:
  LRESULT onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

  UINT notice_;
  HWND sheet_ = nullptr;
};

struct MainSheet::Window : SubclassedWindow {
  Window(MainSheet& sheetObject, AppServices& appServices, HINSTANCE module);

  // The page records of one page set; `made` gets the pages that exist, in order.
  std::vector<HPROPSHEETPAGE> makePages(bool four, std::vector<SheetPage>& made) const;
  // The framework's sheet exists: subclass it and its tab control.
  void adopt(HWND window);
  void endSheet();
  // Old pages go from the last to the first, after the new ones are added, so that a
  // page's view never has two windows at once and the sheet is never left without pages.
  void switchPageSet(bool four);
  void pageChanged();
  HWND item(int id) const { return GetDlgItem(sheet, id); }

  MainSheet& owner;
  AppServices& services;
  HINSTANCE instance;

  HWND sheet = nullptr;
  HWND tab = nullptr;
  SheetPages pages;
  std::vector<SheetPage> kinds;
  bool fourPages = true;
  bool openOnInformation = false;
  bool initialised = false;
  bool ending = false;
  HelpToggle help;

 private:
  DialogView* viewFor(SheetPage page) const;
  Rect rectOf(HWND child) const;
  int clientWidth() const;
  HWND activePage() const;
  void initialise();
  BottomRow layOutRow(const Rect& strip);
  void fitActivePage() const;
  void resizeTabsBy(int height);
  void hideHelp();
  void toggleHelp();
  void close();
  // The extra buttons belong to a page: Scan and Connect to the networks page, Cancel to
  // the settings page.
  void forward(DialogView* view, const WindowCommand& command) const;

  void onShowWindow(bool shown) override;
  bool onClose() override;
  bool onCommand(const WindowCommand& command) override;
  bool onTimer(UINT_PTR id) override;
  bool onStaticColour(HWND control, HDC dc, LRESULT& brush) override;
  bool onDrawItem(const DRAWITEMSTRUCT& item) override;
  void onDestroy() override;
  void onFinalMessage() override;
  LRESULT onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

  Size button;
  int helpWidth = 0;
  WindowIcons icons;
  PageChangeWatcher tabWatcher;
  StatusPanelWindow panel;
  Win32Timers timers{nullptr};
  StatusPanelUpdater updater{services.adapter, timers, panel};
};

}  // namespace kestrel
