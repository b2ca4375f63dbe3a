#pragma once
// The networks page window (template 131): the report-view table, the progress bar, the
// header picture and the help pane, forwarding to NetworksPage.

#include <windows.h>

#include <memory>

#include "ui/networks/networks_page.h"
#include "win32/dialog_view.h"
#include "win32/ui/networks/sort_header.h"
#include "win32/ui/pages/page_header.h"
#include "win32/ui/pages/win32_text_collation.h"
#include "win32/ui/sheet/sheet_extra_buttons.h"
#include "win32/win32_control_surface.h"
#include "win32/win32_timers.h"

namespace kestrel {

class NetworksView : public DialogView, private NetworksWindow {
 public:
  NetworksView(AppServices& services, SheetControl& sheet, SettingsPageLink& settings);
  PROPSHEETPAGEW page(HINSTANCE instance);
  NetworksPage& logic() { return page_; }

 private:
  BOOL onInitDialog() override;
  void onCommand(int id, std::optional<ControlEvent> event) override;
  void onTimer(UINT_PTR id) override;
  void onDestroy() override;
  void onSetActive() override;
  bool onKillActive() override;
  INT_PTR onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

  void setProgressRange(int minimum, int maximum) override;
  void setProgressPosition(int position) override;
  void clearRows() override;
  void appendRow(const SurveyRow& row) override;
  int firstSelectedRow() override;
  void selectRow(int index) override;
  void showSortArrow(int column, SortDirection direction) override;

  void buildTable();
  HWND table() const;

  AppServices& services_;
  Win32Timers timers_{nullptr};
  Win32TextCollation collation_;
  NetworksPage page_;
  std::unique_ptr<Win32ControlSurface> controls_;
  HIMAGELIST images_ = nullptr;
  PageHeader header_;
  SortHeader sortHeader_;
};

}  // namespace kestrel
