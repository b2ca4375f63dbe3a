#pragma once
// The main window: a modal property sheet with the pages, the status panel under the
// tabs, the bottom row of buttons and the help toggle.

#include <windows.h>

#include <memory>

#include "ui/app_services.h"
#include "ui/sheet_services.h"
#include "win32/dialog_view.h"

namespace kestrel {

// The page views the hidden main window owns; a null view is left out.
struct SheetPages {
  DialogView* settings = nullptr;     // template 130
  DialogView* networks = nullptr;     // template 131
  DialogView* statistics = nullptr;   // template 132
  DialogView* information = nullptr;  // template 133
};

class MainSheet : public SheetControl {
 public:
  MainSheet(AppServices& services, HINSTANCE instance);
  ~MainSheet() override;
  MainSheet(const MainSheet&) = delete;
  MainSheet& operator=(const MainSheet&) = delete;

  // Runs the sheet modally: the four pages, or only statistics and information while the
  // system's wireless service is in control. Returns when the sheet has closed.
  INT_PTR run(HWND owner, const SheetPages& pages, bool fourPages, bool openOnInformation);
  bool isOpen() const;
  HWND window() const;
  void bringToFront();
  void endWithCancel();
  void activatePage(int index);
  // The zero-configuration change handling's page rebuild (two <-> four pages).
  void switchPageSet(bool fourPages);

  // SheetControl
  void showButton(SheetButton button, bool visible) override;
  void enableButton(SheetButton button, bool enabled) override;
  void setActivePage(int index) override;
  void showApplyingPopup() override;

  // The framework's sheet window while it runs (main_sheet_window.h).
  struct Window;

 private:
  std::unique_ptr<Window> window_;
};

using CMainSheet = MainSheet;

// The process-wide pointer to the open sheet; null when none is open.
MainSheet* OpenSheet();

}  // namespace kestrel
