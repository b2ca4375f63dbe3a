// Drives the running utility's main sheet from outside, one step per run, the way a user
// would: find the sheet by its title, switch pages, type into controls, press buttons, wait
// for dialogs and close them. Prints what it saw; exit code 0 when the step succeeded.
//   ui_tour open [ms]            wait for the sheet and its first page
//   ui_tour page N               switch to page N (0 settings .. 3 information)
//   ui_tour click ID             press a button of the current page or of the sheet
//   ui_tour text ID TEXT         type TEXT into an edit or combo box of the current page
//   ui_tour read ID              print the text of a control of the current page
//   ui_tour rows ID MIN [ms]     wait until a list of the current page has MIN rows
//   ui_tour header ID COLUMN     click the column header COLUMN of the list ID
//   ui_tour dialog [ms]          wait for a dialog over the sheet; print its texts
//   ui_tour close-dialog [ID]    press ID (Cancel by default) on that dialog; wait until gone
//   ui_tour no-dialog [ms]       succeed when no dialog shows up within ms
//   ui_tour close                close the sheet (declining to save changes)
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kSheetTitle[] = L"KESTREL Quick Beacon Wireless Utility";

std::string Narrow(const std::wstring& text) {
  if (text.empty())
    return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring Widen(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
  out.resize(out.size() - 1);
  return out;
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[512] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 2000,
                      nullptr);
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition())
      return true;
    if (GetTickCount() - start > ms)
      return false;
    Sleep(100);
  }
}

HWND CurrentPage(HWND sheet) {
  DWORD_PTR page = 0;
  SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_BLOCK, 2000, &page);
  return reinterpret_cast<HWND>(page);
}

BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && TextOf(window) == kSheetTitle && CurrentPage(window) != nullptr) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND Sheet() {
  HWND sheet = nullptr;
  EnumWindows(FindSheet, reinterpret_cast<LPARAM>(&sheet));
  return sheet;
}

BOOL CALLBACK FindButton(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && ClassOf(window) == L"Button") {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

bool ShowsButton(HWND window) {
  bool found = false;
  EnumChildWindows(window, FindButton, reinterpret_cast<LPARAM>(&found));
  return found;
}

struct DialogSearch {
  HWND sheet;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<DialogSearch*>(search);
  // The hidden main window shares the sheet's thread but shows no button: it is no dialog
  // over the sheet.
  if (window != s->sheet && IsWindowVisible(window) && ClassOf(window) == L"#32770" &&
      ShowsButton(window) &&
      GetWindowThreadProcessId(window, nullptr) == GetWindowThreadProcessId(s->sheet, nullptr)) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND DialogOver(HWND sheet) {
  DialogSearch search{sheet, nullptr};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK PrintText(HWND window, LPARAM) {
  const std::wstring text = TextOf(window);
  if (!text.empty() && IsWindowVisible(window))
    std::printf("  [%d] %s\n", GetDlgCtrlID(window), Narrow(text).c_str());
  return TRUE;
}

// A control of the current page, else of the sheet itself (Apply, Scan, Close ...).
HWND Control(HWND sheet, int id) {
  HWND control = GetDlgItem(CurrentPage(sheet), id);
  return control != nullptr ? control : GetDlgItem(sheet, id);
}

DWORD Milliseconds(int argc, char** argv, int index, DWORD fallback) {
  return argc > index ? static_cast<DWORD>(std::strtoul(argv[index], nullptr, 10)) : fallback;
}

int Fail(const std::string& what) {
  std::printf("ui_tour: FAIL %s\n", what.c_str());
  return 1;
}

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "open") {
    HWND sheet = nullptr;
    if (!WaitFor([&] { return (sheet = Sheet()) != nullptr; }, Milliseconds(argc, argv, 2, 20000)))
      return Fail("no sheet titled KESTREL Quick Beacon Wireless Utility");
    std::printf("sheet open, page %d\n",
                static_cast<int>(SendMessageW(sheet, PSM_HWNDTOINDEX,
                                              reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0)));
    return 0;
  }
  HWND sheet = Sheet();
  if (sheet == nullptr)
    return Fail("the sheet is not open");
  if (command == "page" && argc > 2) {
    const int index = std::atoi(argv[2]);
    PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    const bool shown = WaitFor(
        [&] {
          return SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(sheet)),
                              0) == index;
        },
        5000);
    if (!shown)
      return Fail("page " + std::to_string(index) + " did not come up");
    Sleep(500);  // let the page paint and take its first tick
    std::printf("page %d\n", index);
    return 0;
  }
  if (command == "click" && argc > 2) {
    HWND button = Control(sheet, std::atoi(argv[2]));
    if (button == nullptr || !IsWindowEnabled(button))
      return Fail(std::string("button ") + argv[2] + (button ? " is disabled" : " not found"));
    PostMessageW(button, BM_CLICK, 0, 0);
    std::printf("clicked %s (%s)\n", argv[2], Narrow(TextOf(button)).c_str());
    return 0;
  }
  if (command == "text" && argc > 3) {
    const int id = std::atoi(argv[2]);
    HWND page = CurrentPage(sheet);
    HWND control = GetDlgItem(page, id);
    if (control == nullptr)
      return Fail(std::string("control ") + argv[2] + " not found");
    const std::wstring text = Widen(argv[3]);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // A combo box reports typing as an edit change; an edit box sent WM_SETTEXT already told.
    if (ClassOf(control) == L"ComboBox")
      SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE),
                   reinterpret_cast<LPARAM>(control));
    std::printf("typed into %d: %s\n", id, Narrow(TextOf(control)).c_str());
    return 0;
  }
  if (command == "read" && argc > 2) {
    HWND control = Control(sheet, std::atoi(argv[2]));
    if (control == nullptr)
      return Fail(std::string("control ") + argv[2] + " not found");
    std::printf("%s\n", Narrow(TextOf(control)).c_str());
    return 0;
  }
  if (command == "rows" && argc > 3) {
    HWND list = Control(sheet, std::atoi(argv[2]));
    const LRESULT wanted = std::atoi(argv[3]);
    LRESULT rows = 0;
    const bool enough =
        WaitFor([&] { return (rows = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) >= wanted; },
                Milliseconds(argc, argv, 4, 20000));
    std::printf("rows %d\n", static_cast<int>(rows));
    return enough ? 0 : Fail("too few rows");
  }
  if (command == "header" && argc > 3) {
    HWND list = Control(sheet, std::atoi(argv[2]));
    const int column = std::atoi(argv[3]);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (header == nullptr)
      return Fail(std::string("list ") + argv[2] + " has no header");
    // The middle of the column, from the widths the list reports.
    int x = 0;
    for (int i = 0; i < column; ++i)
      x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
    x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)) /
         2;
    RECT bar{};
    GetClientRect(header, &bar);
    const LPARAM at = MAKELPARAM(x, (bar.bottom - bar.top) / 2);
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(header, WM_LBUTTONUP, 0, at);
    Sleep(500);
    std::printf("clicked the header of column %d\n", column);
    return 0;
  }
  if (command == "dialog") {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = DialogOver(sheet)) != nullptr; },
                 Milliseconds(argc, argv, 2, 10000)))
      return Fail("no dialog over the sheet");
    Sleep(300);
    std::printf("dialog \"%s\"\n", Narrow(TextOf(dialog)).c_str());
    EnumChildWindows(dialog, PrintText, 0);
    return 0;
  }
  if (command == "no-dialog") {
    HWND dialog = nullptr;
    if (WaitFor([&] { return (dialog = DialogOver(sheet)) != nullptr; },
                Milliseconds(argc, argv, 2, 3000))) {
      std::printf("dialog \"%s\"\n", Narrow(TextOf(dialog)).c_str());
      EnumChildWindows(dialog, PrintText, 0);
      return Fail("a dialog came up");
    }
    std::printf("no dialog\n");
    return 0;
  }
  if (command == "close-dialog") {
    HWND dialog = DialogOver(sheet);
    if (dialog == nullptr)
      return Fail("no dialog over the sheet");
    const int id = argc > 2 ? std::atoi(argv[2]) : IDCANCEL;
    HWND button = GetDlgItem(dialog, id);
    if (button != nullptr)
      PostMessageW(button, BM_CLICK, 0, 0);
    else
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    if (!WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5000))
      return Fail("the dialog stayed");
    std::printf("dialog closed\n");
    return 0;
  }
  if (command == "close") {
    PostMessageW(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
    // Unsaved changes bring up a question first: decline it ("変更をキャンセル") once it
    // is ready for input.
    const bool closed = WaitFor(
        [&] {
          if (!IsWindow(sheet) || !IsWindowVisible(sheet))
            return true;
          if (HWND prompt = DialogOver(sheet)) {
            Sleep(300);
            PostMessageW(GetDlgItem(prompt, IDCANCEL), BM_CLICK, 0, 0);
            Sleep(700);
          }
          return false;
        },
        10000);
    if (!closed)
      return Fail("the sheet stayed open");
    std::printf("sheet closed\n");
    return 0;
  }
  std::printf(
      "usage: ui_tour open|page|click|text|read|rows|header|dialog|close-dialog|no-dialog|close\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int code = Run(argc, argv);
  std::fflush(stdout);
  return code;
}
