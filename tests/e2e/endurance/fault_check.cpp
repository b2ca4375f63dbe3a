// fault_check: corvusap.exe's application object in this process against the simulated
// adapter, with faults arriving while the main sheet is open: the card removed and put back
// and the driver failing every request (each with the sheet on each page in turn), the
// scenario switched under a running scan, kestrelctl connecting while the sheet's own
// Apply runs, and the 802.1X client library missing at start-up or failing every call.
// After each it checks the state the program should be in and prints what the page showed.
#include <windows.h>
// clang-format off
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "fakes/test_thread.h"
#include "hidden_file.h"
#include "link_control.h"
#include "monitor/site_survey.h"
#include "monitor/statistics_sampler.h"
#include "notify_icon_tap.h"
#include "shell/tray_applet.h"
#include "ui_windows.h"
#include "win32/app/application.h"

namespace kestrel::endurance {

namespace {

constexpr UINT kStatusPanelTimer = 1140;
constexpr UINT kSettingsPictureTimer = 130;
constexpr UINT kPopupTimer = 180;
constexpr int kScanButton = 1075;
constexpr int kNetworkList = 1007;
constexpr int kSsidBox = 1030;
constexpr int kWpaPskButton = 1113;
constexpr int kAdvancedSecurityButton = 1046;
constexpr int kAcStatusSuccess = 30;
constexpr int kAcErrorFailure = 41;
constexpr int kAcErrorInitializationFailure = 42;
constexpr DWORD kWindowWaitMs = 10000;
constexpr DWORD kFailureSpellMs = 2500;
constexpr DWORD kProgramWaitMs = 60000;
constexpr const char* kPageNames[] = {"settings", "networks", "statistics", "information"};
constexpr char kMarker[] = "FAULT_CHECK_MARKER";
constexpr wchar_t kDot1xLibrary[] = L"AegisE5.dll";
constexpr const wchar_t* kDot1xFallbacks[] = {L"aegisE2.dll", L"aegisE4.dll"};
constexpr wchar_t kStoreWpaProfile[] =
    L"connect KESTREL_WPA2 --passphrase kestrel-wpa2-psk --no-wait";

constexpr char kSwitchedScenario[] =
    "country JP\n"
    "network FAULT_SWITCHED_A\n"
    "  channel 1\n"
    "  rssi -50\n"
    "network FAULT_SWITCHED_B\n"
    "  channel 6\n"
    "  rssi -60\n";

std::string Utf8(const std::wstring& text) {
  if (text.empty())
    return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      kWindowWaitMs, &ignored);
  return text;
}

BOOL CALLBACK CollectText(HWND window, LPARAM context) {
  auto& out = *reinterpret_cast<std::string*>(context);
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  const std::wstring kind = name;
  if (!IsWindowVisible(window) || (kind != L"Static" && kind != L"Edit" && kind != L"ComboBox"))
    return TRUE;
  const std::string text = Utf8(TextOf(window));
  if (!text.empty())
    out += " [" + std::to_string(GetDlgCtrlID(window)) + "] " + text;
  return TRUE;
}

// The page's visible texts, as "[id] text".
std::string PageTexts(HWND page) {
  std::string out;
  EnumChildWindows(page, CollectText, reinterpret_cast<LPARAM>(&out));
  return out;
}

std::string ListRows(HWND list) {
  std::string out;
  const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < 2; ++column) {
      wchar_t text[128] = {};
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = 128;
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
      out += (column == 0 ? " |" : " ") + Utf8(text);
    }
  }
  return out;
}

// What the settings page offers of WPA: its WPA-PSK and advanced-security buttons.
struct WpaButtons {
  bool wpaPsk = false;
  bool advanced = false;
  std::string text() const {
    return std::string("WPA-PSK ") + (wpaPsk ? "enabled" : "disabled") + ", advanced " +
           (advanced ? "enabled" : "disabled");
  }
};

WpaButtons WpaButtonsOf(HWND settingsPage) {
  return {IsWindowEnabled(GetDlgItem(settingsPage, kWpaPskButton)) != FALSE,
          IsWindowEnabled(GetDlgItem(settingsPage, kAdvancedSecurityButton)) != FALSE};
}

std::wstring BesideProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text = path;
  return text.substr(0, text.find_last_of(L"\\/") + 1) + name;
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// kestrelctl with `arguments`, its output into the file `output`.
bool StartProgram(const std::wstring& arguments, const std::wstring& output,
                  PROCESS_INFORMATION& process) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = file;
  start.hStdError = file;
  std::wstring line = L"\"" + BesideProgram(L"kestrelctl.exe") + L"\" " + arguments;
  const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &start, &process);
  CloseHandle(file);
  return started != FALSE;
}

// False when it did not end in time.
bool Finish(PROCESS_INFORMATION& process, DWORD& exitCode) {
  const bool ended = WaitForSingleObject(process.hProcess, kProgramWaitMs) == WAIT_OBJECT_0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return ended;
}

std::string FileText(const std::wstring& path) {
  std::ifstream file(Utf8(path).c_str(), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  std::string out = text.str();
  std::string clean;
  for (char c : out) {
    if (c != '\r')
      clean += c;
  }
  return clean;
}

// What the settings page should offer of WPA after a fault.
enum class Wpa { Unchecked, Offered, NotOffered };

class Faults {
 public:
  Faults(DWORD uiThread, HiddenFile& dot1xLibrary, bool dot1xHidden)
      : uiThread_(uiThread), dot1xLibrary_(dot1xLibrary), dot1xHidden_(dot1xHidden) {}
  bool run();

 private:
  bool check(bool condition, const std::string& what);
  bool tick();
  HWND openSheetOn(int page);
  bool closeSheet(HWND sheet);
  void tickPage(HWND sheet, int page);
  bool sheetGoneAndIconRemoved(long callsBefore);
  bool adapterBack(long callsBefore);
  void showAfterwards(const char* fault, int page, Wpa wpa = Wpa::Unchecked);
  bool checkWpa(HWND sheet, int page, Wpa wpa, const std::string& what);
  bool cardOutAndBack(const std::string& what);
  bool applyWithPopup(HWND sheet, const std::string& what);
  bool readVirtualProfile(std::string& text);
  bool exportVirtualProfile(std::string& text);
  bool runKestrelctl(const std::wstring& arguments, DWORD& exitCode, std::string& said);
  void cardRemoved(int page);
  void driverFailing(int page);
  void scenarioSwitchedUnderScan();
  void connectDuringApply();
  void dot1xLibraryMissing();
  void dot1xLibraryFailing(int page);
  void pushWhileDot1xFails();
  void dot1xLibraryAnsweringAgain();

  DWORD uiThread_;
  HiddenFile& dot1xLibrary_;
  bool dot1xHidden_;
  std::string wpaProfile_;  // VirtualProfile as kestrelctl stored it with WPA-PSK
  HWND hidden_ = nullptr;
  LinkControl link_;
  int failures_ = 0;
};

bool Faults::check(bool condition, const std::string& what) {
  std::printf("faults: %s %s\n", condition ? "ok:" : "FAIL:", what.c_str());
  std::fflush(stdout);
  if (!condition)
    ++failures_;
  return condition;
}

bool Faults::tick() {
  return Deliver(hidden_, WM_TIMER, kMonitorTimerId, 0);
}

HWND Faults::openSheetOn(int page) {
  static const UINT startMessage = RegisterWindowMessageW(L"corvusap.exe START");
  PostMessageW(hidden_, startMessage, 0, 0);
  HWND sheet = nullptr;
  if (!WaitUntil([&] { return (sheet = FindSheet(uiThread_)) != nullptr; }, kWindowWaitMs))
    return nullptr;
  if (!Deliver(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0))
    return nullptr;
  return sheet;
}

bool Faults::closeSheet(HWND sheet) {
  PostMessageW(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
  return WaitUntil(
      [&] {
        if (!IsWindow(sheet))
          return true;
        if (HWND prompt = FindDialog(uiThread_, sheet, hidden_))
          PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
        Sleep(5);
        return false;
      },
      kWindowWaitMs);
}

// The timers a page and the sheet run while it is shown, each once.
void Faults::tickPage(HWND sheet, int page) {
  HWND window = CurrentPage(sheet);
  Deliver(sheet, WM_TIMER, kStatusPanelTimer, 0);
  if (page == 0)
    Deliver(window, WM_TIMER, kSettingsPictureTimer, 0);
  if (page == 1)
    Deliver(window, WM_TIMER, kScanTimerId, 0);
  if (page == 2)
    Deliver(window, WM_TIMER, kStatisticsTimerId, 0);
}

bool Faults::sheetGoneAndIconRemoved(long callsBefore) {
  const bool closed = WaitUntil([&] { return FindSheet(uiThread_) == nullptr; }, kWindowWaitMs);
  const NotifyCall last = LastNotifyCall();
  return closed && NotifyCallCount() > callsBefore && last.action == NIM_DELETE;
}

// A few ticks find the adapter and run the start-up checks again: the icon is back and the
// checks' push has replaced the marker set in the driver.
bool Faults::adapterBack(long callsBefore) {
  for (int i = 0; i < 4 && LastNotifyCall().action == NIM_DELETE; ++i)
    tick();
  const NotifyCall last = LastNotifyCall();
  return NotifyCallCount() > callsBefore && last.action == NIM_ADD && last.accepted &&
         link_.desiredSsid() != kMarker;
}

void Faults::showAfterwards(const char* fault, int page, Wpa wpa) {
  HWND sheet = openSheetOn(page);
  if (!check(sheet != nullptr,
             std::string(fault) + ": the sheet opens again on the " + kPageNames[page] + " page")) {
    return;
  }
  tickPage(sheet, page);
  std::printf("faults: %s, %s page afterwards:%s\n", fault, kPageNames[page],
              PageTexts(CurrentPage(sheet)).c_str());
  checkWpa(sheet, page, wpa, fault);
  check(closeSheet(sheet), std::string(fault) + ": the sheet closes");
}

// Without the 802.1X client both WPA buttons are disabled; with it WPA-PSK is offered (the
// profiles here are all infrastructure ones).
bool Faults::checkWpa(HWND sheet, int page, Wpa wpa, const std::string& what) {
  if (page != 0 || wpa == Wpa::Unchecked)
    return true;
  const WpaButtons buttons = WpaButtonsOf(CurrentPage(sheet));
  if (wpa == Wpa::Offered)
    return check(buttons.wpaPsk, what + ": the settings page offers WPA (" + buttons.text() + ")");
  return check(!buttons.wpaPsk && !buttons.advanced,
               what + ": the settings page offers no WPA (" + buttons.text() + ")");
}

// The card taken out (no sheet open) and put back: the start-up checks run again.
bool Faults::cardOutAndBack(const std::string& what) {
  const long before = NotifyCallCount();
  link_.setPresent(false);
  if (!check(tick() && sheetGoneAndIconRemoved(before), what + ": card out, the icon goes"))
    return false;
  const long gone = NotifyCallCount();
  link_.setDesiredSsid(kMarker);
  link_.setPresent(true);
  return check(adapterBack(gone), what + ": card back, the adapter is found, the checks run again");
}

void Faults::cardRemoved(int page) {
  const std::string what = std::string("card removed on the ") + kPageNames[page] + " page";
  HWND sheet = openSheetOn(page);
  if (!check(sheet != nullptr, what + ": the sheet is open"))
    return;
  tickPage(sheet, page);
  const long before = NotifyCallCount();
  link_.setPresent(false);
  tickPage(sheet, page);
  std::printf("faults: %s, the page with the card out:%s\n", what.c_str(),
              PageTexts(CurrentPage(sheet)).c_str());
  check(tick() && sheetGoneAndIconRemoved(before), what + ": the sheet closes, the icon goes");
  const long gone = NotifyCallCount();
  tick();
  tick();
  check(NotifyCallCount() == gone, what + ": no icon while the card is out");
  link_.setDesiredSsid(kMarker);
  link_.setPresent(true);
  check(adapterBack(gone), what + ": put back, the adapter is found and the checks run again");
  showAfterwards("card removed", page);
}

void Faults::driverFailing(int page) {
  const std::string what = std::string("driver failing on the ") + kPageNames[page] + " page";
  HWND sheet = openSheetOn(page);
  if (!check(sheet != nullptr, what + ": the sheet is open"))
    return;
  const long before = NotifyCallCount();
  const DWORD began = GetTickCount();
  link_.failRequests(kFailureSpellMs);
  // The sheet's own timers come first: every answer fails and the page keeps its defaults.
  for (int i = 0; i < 3; ++i)
    tickPage(sheet, page);
  std::printf("faults: %s, the page while every request fails:%s\n", what.c_str(),
              PageTexts(CurrentPage(sheet)).c_str());
  check(tick() && sheetGoneAndIconRemoved(before), what + ": the sheet closes, the icon goes");
  const long gone = NotifyCallCount();
  link_.setDesiredSsid(kMarker);
  while (GetTickCount() - began < kFailureSpellMs + 200) {
    tick();
    Sleep(100);
  }
  check(GetTickCount() - began < kFailureSpellMs + 10000, what + ": no tick hung");
  check(adapterBack(gone), what + ": afterwards the adapter is found and the checks run again");
  showAfterwards("driver failing", page);
}

void Faults::scenarioSwitchedUnderScan() {
  const std::string what = "scenario switched under a running scan";
  HWND sheet = openSheetOn(1);
  if (!check(sheet != nullptr, what + ": the networks page is open"))
    return;
  HWND page = CurrentPage(sheet);
  PostMessageW(GetDlgItem(sheet, kScanButton), BM_CLICK, 0, 0);
  Deliver(page, WM_TIMER, kFirstScanDelayTimerId, 0);
  for (int i = 0; i < 40; ++i)
    Deliver(page, WM_TIMER, kScanTimerId, 0);
  check(link_.loadScenario(kSwitchedScenario), what + ": the new scenario is loaded mid-scan");
  for (int i = 0; i < 200; ++i)
    Deliver(page, WM_TIMER, kScanTimerId, 0);
  const std::string rows = ListRows(GetDlgItem(page, kNetworkList));
  std::printf("faults: %s, the list afterwards:%s\n", what.c_str(), rows.c_str());
  check(rows.find("FAULT_SWITCHED_A") != std::string::npos &&
            rows.find("KESTREL_") == std::string::npos,
        what + ": the list shows the networks in range now, and only those");
  check(closeSheet(sheet), what + ": the sheet closes");
  link_.reset();
  for (int i = 0; i < 3; ++i)
    tick();
}

// Apply was posted to the sheet: its popup comes, runs its timer and goes.
bool Faults::applyWithPopup(HWND sheet, const std::string& what) {
  HWND popup = nullptr;
  const bool shown = WaitUntil(
      [&] { return (popup = FindDialog(uiThread_, sheet, hidden_)) != nullptr; }, kWindowWaitMs);
  for (int i = 0; shown && i < 30 && IsWindow(popup); ++i)
    Deliver(popup, WM_TIMER, kPopupTimer, 0);
  return check(shown && WaitUntil([&] { return !IsWindow(popup); }, kWindowWaitMs),
               what + ": Apply's popup comes and goes");
}

bool Faults::runKestrelctl(const std::wstring& arguments, DWORD& exitCode, std::string& said) {
  // A file of its own each time: a service the child started may still hold the last one.
  static int runs = 0;
  const std::wstring output =
      TempFile((L"fault_check_kestrelctl_" + std::to_wstring(++runs) + L".txt").c_str());
  PROCESS_INFORMATION process{};
  exitCode = 1;
  const bool ended = StartProgram(arguments, output, process) && Finish(process, exitCode);
  said = FileText(output);
  return ended;
}

bool Faults::readVirtualProfile(std::string& text) {
  DWORD exitCode = 1;
  return runKestrelctl(L"profiles show VirtualProfile", exitCode, text) && exitCode == 0;
}

// The whole profile, its passphrase too.
bool Faults::exportVirtualProfile(std::string& text) {
  DWORD exitCode = 1;
  return runKestrelctl(L"profiles export - VirtualProfile --include-secrets", exitCode, text) &&
         exitCode == 0;
}

void Faults::connectDuringApply() {
  const std::string what = "kestrelctl connect during the sheet's Apply";
  HWND sheet = openSheetOn(0);
  if (!check(sheet != nullptr, what + ": the settings page is open"))
    return;
  const std::string sheetSsid = Utf8(TextOf(GetDlgItem(CurrentPage(sheet), kSsidBox)));
  const std::wstring output = TempFile(L"fault_check_connect.txt");
  PROCESS_INFORMATION ctl{};
  PostMessageW(sheet, PSM_APPLY, 0, 0);
  const bool started = StartProgram(L"connect KESTREL_Open --no-wait", output, ctl);
  applyWithPopup(sheet, what);
  DWORD exitCode = 1;
  check(started && Finish(ctl, exitCode), what + ": kestrelctl ends in time");
  std::printf("faults: %s: kestrelctl said: %s\n", what.c_str(), FileText(output).c_str());
  check(closeSheet(sheet), what + ": the sheet closes");

  std::string profile;
  const bool read = readVirtualProfile(profile);
  std::printf("faults: %s: VirtualProfile afterwards:\n%s", what.c_str(), profile.c_str());
  check(read && (profile.find("ssid: KESTREL_Open\n") != std::string::npos ||
                 profile.find("ssid: " + sheetSsid + "\n") != std::string::npos),
        what + ": VirtualProfile reads back whole, with one of the two networks (sheet: " +
            sheetSsid + ")");
}

// AegisE5.dll was moved aside before the program started, and the fallback names are not
// there either: the binding is Unavailable and no page may call or need the library.
void Faults::dot1xLibraryMissing() {
  const std::string what = "802.1X library missing at start-up";
  const DWORD self = GetCurrentProcessId();
  bool fallbacks = false;
  for (const wchar_t* name : kDot1xFallbacks)
    fallbacks =
        fallbacks || GetFileAttributesW(BesideProgram(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!check(dot1xHidden_ && !dot1xLibrary_.present() && !fallbacks,
             what + ": AegisE5.dll is moved aside, no fallback library is there")) {
    dot1xLibrary_.restore();  // the later steps need it
    return;
  }
  const auto untouched = [&] {
    return GetModuleHandleW(kDot1xLibrary) == nullptr && link_.dot1xCallsBy(self) == 0;
  };
  check(untouched(), what + ": the library is neither loaded nor called");
  for (int page = 0; page < 4; ++page) {
    HWND sheet = openSheetOn(page);
    if (!check(sheet != nullptr, what + ": the sheet opens on the " + kPageNames[page] + " page"))
      continue;
    tickPage(sheet, page);
    std::printf("faults: %s, %s page:%s\n", what.c_str(), kPageNames[page],
                PageTexts(CurrentPage(sheet)).c_str());
    checkWpa(sheet, page, Wpa::NotOffered, what);
    check(closeSheet(sheet), what + ": the sheet closes");
  }
  check(untouched(), what + ": every page shown, still no library call");
  if (!check(dot1xLibrary_.restore() && dot1xLibrary_.present(),
             what + ": AegisE5.dll is put back"))
    return;
  if (!cardOutAndBack(what))
    return;
  check(GetModuleHandleW(kDot1xLibrary) != nullptr &&
            link_.lastDot1xStatus(self, sim::Dot1xCall::GlobalOpenContext) == kAcStatusSuccess,
        what + ": the checks' Open loaded the library put back and opened it");
  showAfterwards("802.1X library put back", 0, Wpa::Offered);
}

// The library fails every call from the moment the sheet is on `page`: the card out and in
// makes the start-up checks Open it and push the stored WPA-PSK profile through it.
void Faults::dot1xLibraryFailing(int page) {
  const std::string what =
      std::string("802.1X library failing every call on the ") + kPageNames[page] + " page";
  const DWORD self = GetCurrentProcessId();
  HWND sheet = openSheetOn(page);
  if (!check(sheet != nullptr, what + ": the sheet is open"))
    return;
  tickPage(sheet, page);
  const long before = NotifyCallCount();
  link_.failDot1x(true);
  tickPage(sheet, page);
  std::printf("faults: %s, the page as it fails:%s\n", what.c_str(),
              PageTexts(CurrentPage(sheet)).c_str());
  link_.setPresent(false);
  check(tick() && sheetGoneAndIconRemoved(before), what + ": card out, the sheet closes");
  const long gone = NotifyCallCount();
  link_.setDesiredSsid(kMarker);
  link_.setPresent(true);
  const DWORD began = GetTickCount();
  check(adapterBack(gone), what + ": card back, the adapter is found, the checks run again");
  check(GetTickCount() - began < 10000, what + ": no tick hung");
  const int opened = link_.lastDot1xStatus(self, sim::Dot1xCall::GlobalOpenContext);
  const int authenticated = link_.lastDot1xStatus(self, sim::Dot1xCall::AdapterAuthenticate);
  check(opened == kAcErrorInitializationFailure && authenticated == kAcErrorFailure,
        what + ": the checks' Open and their WPA-PSK push met the failing library (" +
            std::to_string(opened) + ", " + std::to_string(authenticated) + ")");
  showAfterwards("802.1X library failing", page, Wpa::NotOffered);
}

// The settings page's Apply and kestrelctl each push while every call fails: both end in
// time and the stored WPA-PSK profile stays as it was.
void Faults::pushWhileDot1xFails() {
  const std::string what = "WPA-PSK pushed while the 802.1X library fails";
  HWND sheet = openSheetOn(0);
  if (!check(sheet != nullptr, what + ": the settings page is open"))
    return;
  tickPage(sheet, 0);
  const DWORD began = GetTickCount();
  PostMessageW(sheet, PSM_APPLY, 0, 0);
  applyWithPopup(sheet, what + ", the sheet's Apply");
  check(GetTickCount() - began < 15000, what + ": Apply did not hang");
  std::printf("faults: %s, the settings page after Apply:%s\n", what.c_str(),
              PageTexts(CurrentPage(sheet)).c_str());
  check(closeSheet(sheet), what + ": the sheet closes");
  std::string profile;
  check(exportVirtualProfile(profile) && profile == wpaProfile_,
        what + ": after Apply VirtualProfile reads back as stored");

  DWORD exitCode = 0;
  std::string said;
  const bool ended = runKestrelctl(kStoreWpaProfile, exitCode, said);
  std::printf("faults: %s: kestrelctl connect said (exit %lu): %s", what.c_str(),
              static_cast<unsigned long>(exitCode), said.c_str());
  check(ended, what + ": kestrelctl connect with a passphrase ends in time");
  check(exportVirtualProfile(profile) && profile == wpaProfile_,
        what + ": after kestrelctl VirtualProfile reads back as stored");
}

void Faults::dot1xLibraryAnsweringAgain() {
  const std::string what = "802.1X library answering again";
  const DWORD self = GetCurrentProcessId();
  link_.failDot1x(false);
  if (!cardOutAndBack(what))
    return;
  const int opened = link_.lastDot1xStatus(self, sim::Dot1xCall::GlobalOpenContext);
  const int authenticated = link_.lastDot1xStatus(self, sim::Dot1xCall::AdapterAuthenticate);
  check(opened == kAcStatusSuccess && authenticated == kAcStatusSuccess,
        what + ": the checks' Open and their WPA-PSK push succeed (" + std::to_string(opened) +
            ", " + std::to_string(authenticated) + ")");
  showAfterwards(what.c_str(), 0, Wpa::Offered);
}

bool Faults::run() {
  if (!WaitUntil([&] { return (hidden_ = FindHiddenWindow(uiThread_)) != nullptr; }, 120000)) {
    PostThreadMessageW(uiThread_, WM_QUIT, 0, 0);
    return check(false, "the hidden main window comes up");
  }
  // The monitor ticks when this thread says, so that each fault meets a known tick.
  check(WaitUntil([&] { return KillTimer(hidden_, kMonitorTimerId) != FALSE; }, 10000),
        "the monitor timer is taken over");
  for (int i = 0; i < 3; ++i)
    tick();
  DWORD began = GetTickCount();
  dot1xLibraryMissing();
  std::printf("faults: the missing library's steps took %lu ms\n",
              static_cast<unsigned long>(GetTickCount() - began));
  for (int page = 0; page < 4; ++page)
    cardRemoved(page);
  for (int page = 0; page < 4; ++page)
    driverFailing(page);
  scenarioSwitchedUnderScan();
  connectDuringApply();

  began = GetTickCount();
  DWORD exitCode = 1;
  std::string said;
  const bool stored = runKestrelctl(kStoreWpaProfile, exitCode, said);
  std::printf("faults: storing a WPA-PSK profile: kestrelctl connect said (exit %lu): %s",
              static_cast<unsigned long>(exitCode), said.c_str());
  check(stored && exitCode == 0 && exportVirtualProfile(wpaProfile_) &&
            wpaProfile_.find("KESTREL_WPA2") != std::string::npos &&
            wpaProfile_.find("kestrel-wpa2-psk") != std::string::npos,
        "a WPA-PSK profile is stored for the pushes that follow");
  std::printf("faults: VirtualProfile with WPA-PSK:\n%s", wpaProfile_.c_str());
  for (int page = 0; page < 4; ++page)
    dot1xLibraryFailing(page);
  pushWhileDot1xFails();
  dot1xLibraryAnsweringAgain();
  // The next programs find an open network's profile, as before these checks.
  check(runKestrelctl(L"connect KESTREL_Open --no-wait", exitCode, said) && exitCode == 0,
        "an open network's profile is stored again");
  std::printf("faults: the failing library's steps took %lu ms\n",
              static_cast<unsigned long>(GetTickCount() - began));
  link_.reset();
  static const UINT stopMessage = RegisterWindowMessageW(L"corvusap.exe STOP");
  PostMessageW(hidden_, stopMessage, 0, 0);
  return failures_ == 0;
}

}  // namespace

}  // namespace kestrel::endurance

int wmain() {
  using namespace kestrel::endurance;
  if (!InstallNotifyIconTap()) {
    std::printf("faults: FAIL the program's Shell_NotifyIconW import was not found\n");
    return 1;
  }
  // Moved aside before the program's start-up checks first look for it.
  HiddenFile dot1xLibrary(BesideProgram(kDot1xLibrary));
  const bool dot1xHidden = dot1xLibrary.hide();
  bool passed = false;
  const DWORD uiThread = GetCurrentThreadId();
  kestrel::fakes::TestThread driver(
      [&] { passed = Faults(uiThread, dot1xLibrary, dot1xHidden).run(); });
  kestrel::Application application(GetModuleHandleW(nullptr));
  application.run("START");
  driver.join();
  std::printf(passed ? "faults: PASS\n" : "faults: FAILED\n");
  return passed ? 0 : 1;
}
