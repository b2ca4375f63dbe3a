#include "win32/ui/sheet/main_sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "resource.h"
#include "ui/sheet/close_procedure.h"
#include "ui/sheet/help_toggle.h"
#include "ui/sheet/sheet_buttons.h"
#include "ui/sheet/sheet_geometry.h"
#include "ui/sheet/sheet_texts.h"
#include "ui/sheet/status_panel_updater.h"
#include "win32/ansi_text.h"
#include "win32/ui/sheet/small_dialogs.h"
#include "win32/ui/sheet/status_panel_window.h"
#include "win32/win32_timers.h"
#include "win32/window_subclass.h"

namespace kestrel {

namespace {

constexpr int kApplyButtonId = 0x3021;  // the framework's Apply
constexpr int kScanButtonId = 1075;
constexpr int kConnectButtonId = 1076;
constexpr int kCancelButtonId = 1077;
constexpr int kHelpFrameId = 1125;
constexpr int kSaveProfileButtonId = 1028;
constexpr UINT_PTR kSheetSubclassId = 1140;
constexpr UINT_PTR kTabSubclassId = 1141;
constexpr UINT kInitialiseMessage = WM_APP + 0x140;
constexpr UINT kPageChangedMessage = WM_APP + 0x141;
constexpr int kWindowWidthExtra = 8;
constexpr int kWindowHeightExtra = 33;
constexpr int kHelpTextPadding = 16;

MainSheet* openSheet = nullptr;

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

int ButtonId(SheetButton button) {
  switch (button) {
    case SheetButton::Close:
      return IDCANCEL;
    case SheetButton::Apply:
      return kApplyButtonId;
    case SheetButton::Cancel:
      return kCancelButtonId;
    case SheetButton::Help:
      return IDHELP;
    case SheetButton::Scan:
      return kScanButtonId;
    case SheetButton::Connect:
      break;
  }
  return kConnectButtonId;
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
void SelectPage(HWND sheet, int index) {
  SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
}
void SetMinimumTabWidth(HWND tab, int width) {
  SendMessageW(tab, TCM_SETMINTABWIDTH, 0, static_cast<LPARAM>(width));
}

}  // namespace

struct MainSheet::Window {
  Window(MainSheet& sheetObject, AppServices& appServices, HINSTANCE module)
      : owner(sheetObject), services(appServices), instance(module) {}

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
  RECT pageRect{};
  Size button;
  int helpWidth = 0;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  StatusPanelWindow panel;
  Win32Timers timers{nullptr};
  StatusPanelUpdater updater{services.adapter, timers, panel};

  // The sheet being created: the framework's callback carries no pointer of ours.
  static inline Window* creating = nullptr;

  static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && creating != nullptr)
      creating->attach(window);
    return 0;
  }

  static LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                    DWORD_PTR self) {
    return reinterpret_cast<Window*>(self)->handle(window, message, w, l);
  }

  // Every change of page passes through the tab control's selection.
  static LRESULT CALLBACK TabProc(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                  DWORD_PTR self) {
    if (message == TCM_SETCURSEL)
      PostMessageW(reinterpret_cast<Window*>(self)->sheet, kPageChangedMessage, 0, 0);
    if (message == WM_NCDESTROY)
      RemoveSubclass(window, TabProc, kTabSubclassId);
    return CallNextSubclass(window, message, w, l);
  }

  DialogView* viewFor(SheetPage page) const {
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

  // The page records of one page set; `made` gets the pages that exist, in order.
  std::vector<HPROPSHEETPAGE> makePages(bool four, std::vector<SheetPage>& made) const {
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

  void attach(HWND window) {
    sheet = window;
    tab = TabControlOf(window);
    InstallSubclass(window, SheetProc, kSheetSubclassId, reinterpret_cast<DWORD_PTR>(this));
    if (tab != nullptr)
      InstallSubclass(tab, TabProc, kTabSubclassId, reinterpret_cast<DWORD_PTR>(this));
    // The pages exist only after the framework's own initialisation has returned.
    PostMessageW(window, kInitialiseMessage, 0, 0);
  }

  Rect rectOf(HWND child) const {
    RECT r{};
    if (child != nullptr) {
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&r), 2);
    }
    return {r.left, r.top, r.right, r.bottom};
  }

  int clientWidth() const {
    RECT client{};
    GetClientRect(sheet, &client);
    return client.right;
  }

  HWND item(int id) const { return GetDlgItem(sheet, id); }

  HWND activePage() const { return CurrentPageOf(sheet); }

  void initialise() {
    if (initialised || sheet == nullptr)
      return;
    initialised = true;
    timers.setWindow(sheet);

    bigIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0));
    SendMessageW(sheet, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(sheet, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));

    ShowWindow(item(IDOK), SW_HIDE);
    EnableWindow(item(IDOK), FALSE);
    SetText(item(IDCANCEL), sheet_texts::kClose);
    ShowWindow(item(IDHELP), SW_SHOW);
    EnableWindow(item(IDHELP), TRUE);

    const Rect ok = rectOf(item(IDOK));
    button = {ok.width(), ok.height()};
    helpWidth = fittedHelpWidth();
    createButton(kConnectButtonId, sheet_texts::kConnect, false, false);
    createButton(kScanButtonId, sheet_texts::kScan, false, true);
    createButton(kCancelButtonId, sheet_texts::kCancel, true, true);

    GetWindowRect(activePage(), &pageRect);

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
      SelectPage(sheet, opening);
    SetForegroundWindow(sheet);

    hideHelp();
    updater.startTicking();
    pageChanged();
  }

  void createButton(int id, const char* text, bool visible, bool enabled) {
    const DWORD style = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | (visible ? WS_VISIBLE : 0u) |
                        (enabled ? 0u : WS_DISABLED);
    HWND created = CreateWindowExW(
        0, L"BUTTON", WideFromCore(text).c_str(), style, 0, 0, button.width, button.height, sheet,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(created, WM_SETFONT, static_cast<WPARAM>(SendMessageW(sheet, WM_GETFONT, 0, 0)),
                 FALSE);
  }

  void place(int id, const Rect& r) const {
    SetWindowPos(item(id), nullptr, r.left, r.top, r.width(), r.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  BottomRow layOutRow(const Rect& strip) {
    const BottomRow row = LayOutBottomRow(strip, button);
    place(kApplyButtonId, row.apply);
    place(kConnectButtonId, row.connect);
    place(kCancelButtonId, row.cancel);
    place(kScanButtonId, row.scan);
    place(IDCANCEL, row.close);
    Rect helpButton = row.help;
    helpButton.right = helpButton.left + helpWidth;
    place(IDHELP, helpButton);
    return row;
  }

  // "ヘルプを閉じる" is wider than the OK button in a Japanese font: Help grows to fit it.
  int fittedHelpWidth() const {
    HWND helpButton = item(IDHELP);
    HDC dc = GetDC(helpButton);
    if (dc == nullptr)
      return button.width;
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(helpButton, WM_GETFONT, 0, 0)));
    const std::wstring longest = WideFromCore(sheet_texts::kCloseHelp);
    SIZE extent{};
    GetTextExtentPoint32W(dc, longest.c_str(), static_cast<int>(longest.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(helpButton, dc);
    return std::max(button.width, static_cast<int>(extent.cx) + kHelpTextPadding);
  }

  // The page fills the tab control's display area, as the framework sizes it.
  void fitActivePage() const {
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
  void resizeTabsBy(int height) {
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

  void hideHelp() {
    const Rect tabRect = rectOf(tab);
    HWND page = activePage();
    HWND frame = page != nullptr ? GetDlgItem(page, kHelpFrameId) : nullptr;
    const int frameTop = frame != nullptr ? rectOf(frame).top : tabRect.bottom;
    resizeTabsBy(-help.hide(tabRect.bottom, frameTop));
  }

  void toggleHelp() {
    if (help.shown())
      hideHelp();
    else
      resizeTabsBy(help.show());
  }

  void pageChanged() {
    const int index = SelectedTab(tab);
    if (index < 0 || static_cast<std::size_t>(index) >= kinds.size())
      return;
    ShowButtonSet(owner, kinds[static_cast<std::size_t>(index)]);
    EnableWindow(item(IDHELP), TRUE);
    fitActivePage();
  }

  void close() {
    HWND settings = pages.settings != nullptr ? pages.settings->hwnd() : nullptr;
    SettingsPageState state;
    state.exists = settings != nullptr && IsWindow(settings) != FALSE;
    state.visible = state.exists && IsWindowVisible(settings) != FALSE;
    state.saveProfileEnabled =
        state.exists && IsWindowEnabled(GetDlgItem(settings, kSaveProfileButtonId)) != FALSE;
    SaveChangesDialog prompt(instance, sheet);
    auto* actions = dynamic_cast<SettingsCloseActions*>(pages.settings);
    if (RunCloseProcedure(state, actions, prompt, owner))
      endSheet();
  }

  void endSheet() {
    if (sheet == nullptr)
      return;
    ending = true;
    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  }

  // The extra buttons belong to a page: Scan and Connect to the networks page, Cancel to
  // the settings page.
  void forward(DialogView* view, WPARAM w, LPARAM l) const {
    if (view != nullptr && view->hwnd() != nullptr)
      SendMessageW(view->hwnd(), WM_COMMAND, w, l);
  }

  LRESULT handle(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
      case WM_SHOWWINDOW:
        if (w != FALSE)
          initialise();
        break;
      case kInitialiseMessage:
        initialise();
        return 0;
      case kPageChangedMessage:
        pageChanged();
        return 0;
      case WM_CLOSE:
        if (!ending) {
          close();
          return 0;
        }
        break;
      case WM_COMMAND:
        switch (LOWORD(w)) {
          case IDCANCEL:
            if (ending)
              break;
            close();
            return 0;
          case IDHELP:
            toggleHelp();
            return 0;
          case kScanButtonId:
          case kConnectButtonId:
            forward(pages.networks, w, l);
            return 0;
          case kCancelButtonId:
            forward(pages.settings, w, l);
            return 0;
          default:
            break;
        }
        break;
      case WM_TIMER:
        if (updater.onTimer(static_cast<std::uint32_t>(w)))
          return 0;
        break;
      case WM_CTLCOLORSTATIC: {
        LRESULT brush = 0;
        if (panel.colourFor(reinterpret_cast<HWND>(l), reinterpret_cast<HDC>(w), brush))
          return brush;
        break;
      }
      case WM_DRAWITEM:
        if (panel.drawBackground(*reinterpret_cast<const DRAWITEMSTRUCT*>(l)))
          return TRUE;
        break;
      case WM_DESTROY:
        timers.stop(kLinkPollTimer);
        break;
      case WM_NCDESTROY:
        detach(window);
        break;
      default:
        break;
    }
    return CallNextSubclass(window, message, w, l);
  }

  void detach(HWND window) {
    RemoveSubclass(window, SheetProc, kSheetSubclassId);
    panel.release();
    if (bigIcon != nullptr)
      DestroyIcon(bigIcon);
    if (smallIcon != nullptr)
      DestroyIcon(smallIcon);
    bigIcon = nullptr;
    smallIcon = nullptr;
    timers.setWindow(nullptr);
    sheet = nullptr;
    tab = nullptr;
  }

  // Old pages go from the last to the first, after the new ones are added, so that a
  // page's view never has two windows at once and the sheet is never left without pages.
  void switchPageSet(bool four) {
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
    SelectPage(sheet, 0);
    pageChanged();
  }
};

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
  header.pfnCallback = Window::SheetCallback;

  Window::creating = &w;
  openSheet = this;
  const INT_PTR result = PropertySheetW(&header);
  Window::creating = nullptr;
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
    ShowWindow(window_->item(ButtonId(button)), visible ? SW_SHOW : SW_HIDE);
}

void MainSheet::enableButton(SheetButton button, bool enabled) {
  if (window_->sheet != nullptr)
    EnableWindow(window_->item(ButtonId(button)), enabled ? TRUE : FALSE);
}

void MainSheet::setActivePage(int index) {
  if (window_->sheet == nullptr)
    return;
  SelectPage(window_->sheet, index);
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
