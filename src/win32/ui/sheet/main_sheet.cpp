#include "win32/ui/sheet/main_sheet.h"

#include <string>
#include <vector>

#include "ui/sheet/sheet_texts.h"
#include "win32/ansi_text.h"
#include "win32/ui/sheet/main_sheet_window.h"
#include "win32/ui/sheet/sheet_extra_buttons.h"
#include "win32/ui/sheet/small_dialogs.h"

namespace kestrel {

namespace {

MainSheet* openSheet = nullptr;

// The sheet being created: the framework's callback carries no pointer of ours.
MainSheet::Window* creating = nullptr;

int CALLBACK SheetCallback(HWND window, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && creating != nullptr)
    creating->adopt(window);
  return 0;
}

}  // namespace

MainSheet::MainSheet(AppServices& services, HINSTANCE instance)
    : window_(std::make_unique<Window>(*this, services, instance)) {}

MainSheet::~MainSheet() {
  if (openSheet == this)
    openSheet = nullptr;
}

INT_PTR MainSheet::run(HWND owner, const SheetPages& pages, bool fourPages,
                       bool openOnInformation) {
  if (openSheet != nullptr || window_->sheet != nullptr)
    return -1;
  Window& w = *window_;
  w.pages = pages;
  w.fourPages = fourPages;
  w.openOnInformation = openOnInformation;
  w.initialised = false;
  w.ending = false;
  w.help = HelpToggle();
  std::vector<HPROPSHEETPAGE> handles = w.makePages(fourPages, w.kinds);
  if (handles.empty())
    return -1;

  const std::wstring caption = WideFromCore(kApplicationTitle);
  PROPSHEETHEADERW header{};
  header.dwSize = PROPSHEETHEADERW_V1_SIZE;  // no later fields used; every comctl32 takes it
  header.dwFlags = PSH_USECALLBACK | PSH_HASHELP | PSH_NOCONTEXTHELP;
  header.hwndParent = owner;
  header.hInstance = w.instance;
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(handles.size());
  header.nStartPage = static_cast<UINT>(OpeningPageIndex(w.kinds, openOnInformation));
  header.phpage = handles.data();
  header.pfnCallback = SheetCallback;

  creating = &w;
  openSheet = this;
  const INT_PTR result = PropertySheetW(&header);
  creating = nullptr;
  openSheet = nullptr;
  return result < 0 ? -1 : IDCANCEL;
}

bool MainSheet::isOpen() const {
  return window_->sheet != nullptr && IsWindow(window_->sheet) != FALSE;
}

HWND MainSheet::window() const {
  return window_->sheet;
}

void MainSheet::bringToFront() {
  HWND sheet = window_->sheet;
  if (sheet == nullptr)
    return;
  if (IsIconic(sheet))
    ShowWindow(sheet, SW_RESTORE);
  SetForegroundWindow(sheet);
  BringWindowToTop(sheet);
}

void MainSheet::endWithCancel() {
  window_->endSheet();
}

void MainSheet::activatePage(int index) {
  setActivePage(index);
}

void MainSheet::switchPageSet(bool fourPages) {
  window_->switchPageSet(fourPages);
}

void MainSheet::showButton(SheetButton button, bool visible) {
  if (window_->sheet != nullptr)
    ShowWindow(window_->item(SheetButtonId(button)), visible ? SW_SHOW : SW_HIDE);
}

void MainSheet::enableButton(SheetButton button, bool enabled) {
  if (window_->sheet != nullptr)
    EnableWindow(window_->item(SheetButtonId(button)), enabled ? TRUE : FALSE);
}

void MainSheet::setActivePage(int index) {
  if (window_->sheet == nullptr)
    return;
  SelectSheetPage(window_->sheet, index);
  window_->pageChanged();
}

void MainSheet::showApplyingPopup() {
  ApplyingPopupDialog popup(window_->instance, window_->sheet);
  popup.run();
}

MainSheet* OpenSheet() {
  return openSheet;
}

}  // namespace kestrel
