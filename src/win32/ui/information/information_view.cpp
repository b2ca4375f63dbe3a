#include "win32/ui/information/information_view.h"

#include "dialogs/pages_ids.h"
#include "resource.h"
#include "ui/app_services.h"
#include "utility_version.h"
#include "win32/help_pane.h"
#include "win32/ui/pages/page_key_filter.h"

namespace kestrel {

static_assert(kRegionId == IDC_REGION && kIpAddressId == IDC_IP_ADDRESS &&
              kAutoCellDateId == IDC_AUTOCELL_DATE && kUtilityDateId == IDC_UTILITY_DATE);

InformationView::InformationView(AppServices& services, SheetControl& sheet)
    : services_(services), page_(services, sheet, timers_, kUtilityReleaseDate) {}

PROPSHEETPAGEW InformationView::page(HINSTANCE instance) {
  return propertyPage(instance, IDD_INFORMATION_PAGE);
}

BOOL InformationView::onInitDialog() {
  timers_.setWindow(hwnd());
  controls_ = std::make_unique<Win32ControlSurface>(hwnd());
  header_.attach(hwnd(), IDC_INFORMATION_HEADER, IDG_HEADER_INFORMATION, services_.system);
  page_.OnInitDialog(*controls_);
  return TRUE;
}

void InformationView::onTimer(UINT_PTR id) {
  page_.OnTimer(static_cast<std::uint32_t>(id));
}

void InformationView::onDestroy() {
  page_.OnDestroy();
  DetachPageKeyFilter(hwnd());
  header_.release();
  timers_.setWindow(nullptr);
  controls_.reset();
}

void InformationView::onSetActive() {
  AttachPageKeyFilter(hwnd(), &InformationPage::SwallowsKey);
  ShowPageHelp(GetDlgItem(hwnd(), IDC_INFORMATION_HELP), "about.rtf");
  page_.OnSetActive();
}

// Hidden, the page neither filters keys (the hook costs every message of the thread) nor
// plays its header.
bool InformationView::onKillActive() {
  DetachPageKeyFilter(hwnd());
  header_.pause();
  return true;
}

INT_PTR InformationView::onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) {
  (void)w;
  (void)l;
  handled = false;
  if (message == WM_PAINT)
    header_.draw();
  return 0;
}

}  // namespace kestrel
