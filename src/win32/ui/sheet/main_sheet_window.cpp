#include "win32/ui/sheet/main_sheet_window.h"

#include "dialogs/pages_ids.h"
#include "dialogs/settings_ids.h"
#include "resource.h"
#include "ui/sheet/close_procedure.h"
#include "ui/sheet/sheet_texts.h"
#include "win32/ansi_text.h"
#include "win32/ui/sheet/sheet_extra_buttons.h"
#include "win32/ui/sheet/small_dialogs.h"

namespace kestrel {

namespace {

static_assert(IDC_SETTINGS_HELP_FRAME == IDC_PAGE_HELP_FRAME,
              "the sheet finds every page's help frame by one id");

constexpr UINT_PTR kSheetSubclassId = 1140;
constexpr UINT_PTR kTabSubclassId = 1141;
constexpr UINT kInitialiseMessage = WM_APP + 0x140;
constexpr UINT kPageChangedMessage = WM_APP + 0x141;
constexpr int kWindowWidthExtra = 8;
constexpr int kWindowHeightExtra = 33;

int TemplateFor(SheetPage page) {
  switch (page) {
    case SheetPage::Settings:
      return 130;
    case SheetPage::Networks:
      return 131;
    case SheetPage::Statistics:
      return 132;
    case SheetPage::Information:
      break;
  }
  return 133;
}

void SetText(HWND window, const char* coreText) {
  SetWindowTextW(window, WideFromCore(coreText).c_str());
}

// The framework's messages, sent without the casting macros.
HWND TabControlOf(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
}
HWND CurrentPageOf(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
int SelectedTab(HWND tab) {
  return static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
}
void SetMinimumTabWidth(HWND tab, int width) {
  SendMessageW(tab, TCM_SETMINTABWIDTH, 0, static_cast<LPARAM>(width));
}

}  // namespace

void SelectSheetPage(HWND sheet, int index) {
  SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void PageChangeWatcher::watch(HWND tab, HWND sheet) {
  sheet_ = sheet;
  if (tab != nullptr)
    attach(tab, kTabSubclassId);
}

LRESULT PageChangeWatcher::onMessage(UINT message, WPARAM, LPARAM, bool& handled) {
  if (message == TCM_SETCURSEL)
    PostMessageW(sheet_, notice_, 0, 0);
  handled = false;
  return 0;
}

MainSheet::Window::Window(MainSheet& sheetObject, AppServices& appServices, HINSTANCE module)
    : owner(sheetObject),
      services(appServices),
      instance(module),
      tabWatcher(kPageChangedMessage) {}

DialogView* MainSheet::Window::viewFor(SheetPage page) const {
  switch (page) {
    case SheetPage::Settings:
      return pages.settings;
    case SheetPage::Networks:
      return pages.networks;
    case SheetPage::Statistics:
      return pages.statistics;
    case SheetPage::Information:
      break;
  }
  return pages.information;
}

std::vector<HPROPSHEETPAGE> MainSheet::Window::makePages(bool four,
                                                         std::vector<SheetPage>& made) const {
  std::vector<HPROPSHEETPAGE> handles;
  made.clear();
  for (SheetPage page : PageSet(four)) {
    DialogView* view = viewFor(page);
    if (view == nullptr)
      continue;
    PROPSHEETPAGEW record = view->propertyPage(instance, TemplateFor(page));
    record.dwFlags |= PSP_HASHELP;  // keeps the framework from disabling Help
    // The settings page's window must exist before a network is handed to it from the
    // networks page, or its first reload would overwrite the network handed over.
    if (page == SheetPage::Settings)
      record.dwFlags |= PSP_PREMATURE;
    HPROPSHEETPAGE handle = CreatePropertySheetPageW(&record);
    if (handle == nullptr)
      continue;
    handles.push_back(handle);
    made.push_back(page);
  }
  return handles;
}

void MainSheet::Window::adopt(HWND window) {
  sheet = window;
  tab = TabControlOf(window);
  attach(window, kSheetSubclassId);
  tabWatcher.watch(tab, window);
  // The pages exist only after the framework's own initialisation has returned.
  PostMessageW(window, kInitialiseMessage, 0, 0);
}

Rect MainSheet::Window::rectOf(HWND child) const {
  RECT r{};
  if (child != nullptr) {
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&r), 2);
  }
  return {r.left, r.top, r.right, r.bottom};
}

int MainSheet::Window::clientWidth() const {
  RECT client{};
  GetClientRect(sheet, &client);
  return client.right;
}

HWND MainSheet::Window::activePage() const {
  return CurrentPageOf(sheet);
}

void MainSheet::Window::initialise() {
  if (initialised || sheet == nullptr)
    return;
  initialised = true;
  timers.setWindow(sheet);

  icons = WindowIcons(instance, IDI_APPLICATION_ICON);
  icons.showOn(sheet);

  ShowWindow(item(IDOK), SW_HIDE);
  EnableWindow(item(IDOK), FALSE);
  SetText(item(IDCANCEL), sheet_texts::kClose);
  ShowWindow(item(IDHELP), SW_SHOW);
  EnableWindow(item(IDHELP), TRUE);

  const Rect ok = rectOf(item(IDOK));
  button = {ok.width(), ok.height()};
  helpWidth = FittedHelpWidth(sheet, button.width);
  CreateExtraButtons(sheet, instance, button);

  const Rect tabRect = rectOf(tab);
  SetMinimumTabWidth(tab, MinimumTabWidth(tabRect.width(), fourPages));

  const Rect strip = StatusStripBelow(tabRect.bottom, clientWidth());
  panel.create(sheet, instance, strip);
  updater.refresh();
  layOutRow(strip);

  RECT client{};
  GetClientRect(sheet, &client);
  SetWindowPos(sheet, nullptr, 0, 0, client.right + kWindowWidthExtra,
               client.bottom + button.height + kWindowHeightExtra,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  const int opening = OpeningPageIndex(kinds, openOnInformation);
  if (SelectedTab(tab) != opening)
    SelectSheetPage(sheet, opening);
  SetForegroundWindow(sheet);

  hideHelp();
  updater.startTicking();
  pageChanged();
}

BottomRow MainSheet::Window::layOutRow(const Rect& strip) {
  const BottomRow row = LayOutBottomRow(strip, button);
  PlaceButtonRow(sheet, row, helpWidth);
  return row;
}

// The page fills the tab control's display area, as the framework sizes it.
void MainSheet::Window::fitActivePage() const {
  HWND page = activePage();
  if (page == nullptr || tab == nullptr)
    return;
  RECT area{};
  GetClientRect(tab, &area);
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(tab, sheet, reinterpret_cast<POINT*>(&area), 2);
  SetWindowPos(page, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Grows (or with a negative height shortens) the tab control and the active page, and
// brings the strip, the row and the window's end along.
void MainSheet::Window::resizeTabsBy(int height) {
  const Rect tabRect = rectOf(tab);
  SetWindowPos(tab, nullptr, 0, 0, tabRect.width(), tabRect.height() + height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  fitActivePage();
  const Rect strip = StatusStripBelow(tabRect.bottom + height, clientWidth());
  panel.move(strip);
  const BottomRow row = layOutRow(strip);

  POINT end{0, row.windowBottom()};
  ClientToScreen(sheet, &end);
  RECT window{};
  GetWindowRect(sheet, &window);
  SetWindowPos(sheet, nullptr, 0, 0, window.right - window.left, end.y - window.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextW(item(IDHELP), WideFromCore(help.buttonText()).c_str());
  InvalidateRect(sheet, nullptr, TRUE);
}

void MainSheet::Window::hideHelp() {
  const Rect tabRect = rectOf(tab);
  HWND page = activePage();
  HWND frame = page != nullptr ? GetDlgItem(page, IDC_PAGE_HELP_FRAME) : nullptr;
  const int frameTop = frame != nullptr ? rectOf(frame).top : tabRect.bottom;
  resizeTabsBy(-help.hide(tabRect.bottom, frameTop));
}

void MainSheet::Window::toggleHelp() {
  if (help.shown())
    hideHelp();
  else
    resizeTabsBy(help.show());
}

void MainSheet::Window::pageChanged() {
  const int index = SelectedTab(tab);
  if (index < 0 || static_cast<std::size_t>(index) >= kinds.size())
    return;
  ShowButtonSet(owner, kinds[static_cast<std::size_t>(index)]);
  EnableWindow(item(IDHELP), TRUE);
  fitActivePage();
}

void MainSheet::Window::close() {
  HWND settings = pages.settings != nullptr ? pages.settings->hwnd() : nullptr;
  auto* actions = dynamic_cast<SettingsCloseActions*>(pages.settings);
  SettingsPageState state;
  state.exists = settings != nullptr && IsWindow(settings) != FALSE;
  state.visible = state.exists && IsWindowVisible(settings) != FALSE;
  state.saveProfileEnabled = state.exists && actions != nullptr && actions->saveEnabled();
  SaveChangesDialog prompt(instance, sheet);
  if (RunCloseProcedure(state, actions, prompt, owner))
    endSheet();
}

void MainSheet::Window::endSheet() {
  if (sheet == nullptr)
    return;
  ending = true;
  SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

void MainSheet::Window::forward(DialogView* view, const WindowCommand& command) const {
  if (view != nullptr && view->hwnd() != nullptr)
    SendMessageW(view->hwnd(), WM_COMMAND, command.w, command.l);
}

void MainSheet::Window::onShowWindow(bool shown) {
  if (shown)
    initialise();
}

bool MainSheet::Window::onClose() {
  if (ending)
    return false;
  close();
  return true;
}

bool MainSheet::Window::onCommand(const WindowCommand& command) {
  switch (command.id) {
    case IDCANCEL:
      if (ending)
        return false;
      close();
      return true;
    case IDHELP:
      toggleHelp();
      return true;
    case kSheetScanButtonId:
    case kSheetConnectButtonId:
      forward(pages.networks, command);
      return true;
    case kSheetCancelButtonId:
      forward(pages.settings, command);
      return true;
    default:
      return false;
  }
}

bool MainSheet::Window::onTimer(UINT_PTR id) {
  return updater.onTimer(static_cast<std::uint32_t>(id));
}

bool MainSheet::Window::onStaticColour(HWND control, HDC dc, LRESULT& brush) {
  return panel.colourFor(control, dc, brush);
}

bool MainSheet::Window::onDrawItem(const DRAWITEMSTRUCT& item) {
  return panel.drawBackground(item);
}

void MainSheet::Window::onDestroy() {
  timers.stop(kLinkPollTimer);
}

void MainSheet::Window::onFinalMessage() {
  panel.release();
  icons = WindowIcons();
  timers.setWindow(nullptr);
  sheet = nullptr;
  tab = nullptr;
}

LRESULT MainSheet::Window::onMessage(UINT message, WPARAM, LPARAM, bool& handled) {
  handled = message == kInitialiseMessage || message == kPageChangedMessage;
  if (message == kInitialiseMessage)
    initialise();
  else if (message == kPageChangedMessage)
    pageChanged();
  return 0;
}

void MainSheet::Window::switchPageSet(bool four) {
  fourPages = four;
  if (sheet == nullptr)
    return;
  std::vector<SheetPage> made;
  const std::vector<HPROPSHEETPAGE> added = makePages(four, made);
  for (HPROPSHEETPAGE page : added)
    SendMessageW(sheet, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(page));
  for (std::size_t index = kinds.size(); index-- > 0;)
    SendMessageW(sheet, PSM_REMOVEPAGE, index, 0);
  kinds = made;
  SetMinimumTabWidth(tab, MinimumTabWidth(rectOf(tab).width(), four));
  SelectSheetPage(sheet, 0);
  pageChanged();
}

}  // namespace kestrel
