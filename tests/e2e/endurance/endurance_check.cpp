// endurance_check: corvusap.exe's own application object run in this process against the
// simulated adapter, its periodic paths driven from a second thread many times faster than
// their timers would: tray icon and tip changes (the signal flapping between grades, the
// link dropping and coming back, the card removed and put back), the main sheet opened and
// closed with its pages switched and their timers ticked (status panel, statistics and
// chart, the settings page's pictures, the survey), the applying-settings popup, the
// advanced and ad hoc dialogs opened and cancelled. Between rounds it takes a census of
// memory and GDI/USER objects and fails when they grow past a small bound after the first
// round. Usage: endurance_check [ROUNDS [ICON_CHANGES_PER_ROUND [SHEETS_PER_ROUND]]]
#include <windows.h>
// clang-format off
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "dialogs/settings_ids.h"
#include "fakes/test_thread.h"
#include "gui_census.h"
#include "icon_fingerprint.h"
#include "link_control.h"
#include "monitor/site_survey.h"
#include "monitor/statistics_sampler.h"
#include "notify_icon_tap.h"
#include "resource.h"
#include "shell/startup_first_phase.h"
#include "shell/tray_applet.h"
#include "ui_thread_runner.h"
#include "ui_windows.h"
#include "win32/app/application.h"

namespace kestrel::endurance {

namespace {

// Growth allowed after the first round: allocators and caches settle, leaks do not.
constexpr std::size_t kMemoryBoundBytes = 3 * 1024 * 1024;
constexpr int kGdiBound = 24;
constexpr int kUserBound = 12;

constexpr UINT kStatusPanelTimer = 1140;
constexpr UINT kSettingsPictureTimer = 130;
constexpr UINT_PTR kChartScrollTimer = 1;
constexpr UINT kPopupTimer = 180;  // the applying popup's zoom step
constexpr int kPopupTicks = 24;
constexpr DWORD kWindowWaitMs = 10000;
constexpr DWORD kTrayRoundWaitMs = 15 * 60 * 1000;

// Of every five visits to the settings page one opens the dialogs and another applies (the
// popup); every nth icon change is compared picture by picture; every nth flap cycle takes
// the card out.
constexpr int kSettingsVisitsPerTurn = 5;
constexpr int kDialogsVisit = 0;
constexpr int kPopupVisit = 2;
constexpr int kFingerprintEvery = 10;
constexpr int kRemovalEvery = 100;

enum class TrayState { Strong, Medium, Weak, Disconnected };
constexpr TrayState kFlapCycle[] = {TrayState::Strong, TrayState::Medium, TrayState::Weak,
                                    TrayState::Disconnected};

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text)
    out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

const char* Name(TrayState state) {
  switch (state) {
    case TrayState::Strong:
      return "strong";
    case TrayState::Medium:
      return "medium";
    case TrayState::Weak:
      return "weak";
    case TrayState::Disconnected:
      break;
  }
  return "disconnected";
}

int IconResource(TrayState state) {
  switch (state) {
    case TrayState::Strong:
      return IDI_SIGNAL_STRONG;
    case TrayState::Medium:
      return IDI_SIGNAL_MEDIUM;
    case TrayState::Weak:
    case TrayState::Disconnected:
      break;
  }
  return IDI_SIGNAL_WEAK;
}

struct Settings {
  int rounds = 10;
  int iconChangesPerRound = 2000;
  int sheetsPerRound = 100;
};

struct Counts {
  long iconChanges = 0;
  long removals = 0;
  long monitorTicks = 0;
  long sheets = 0;
  long pageSwitches = 0;
  long panelTicks = 0;
  long statisticsTicks = 0;
  long chartScrolls = 0;
  long pictureTicks = 0;
  long settingsVisits = 0;
  long surveyTicks = 0;
  long popups = 0;
  long advancedDialogs = 0;
  long adHocDialogs = 0;
};

class Driver {
 public:
  Driver(DWORD uiThread, Settings settings) : uiThread_(uiThread), settings_(settings) {}

  // The whole run; false when any check failed. Leaves the program asked to stop.
  bool run();

 private:
  bool fail(const std::string& what);
  bool tick();
  bool changeTray(TrayState state);
  bool checkCall(TrayState state, bool compare);
  bool removeAndReinsert();
  bool trayRound();
  bool sheetCycle();
  bool visitPage(HWND sheet, int index);
  bool tickSettingsPage(HWND sheet, HWND page);
  bool openAndCancelDialog(HWND sheet, HWND page, int button);
  bool showPopup(HWND sheet);
  bool closeSheet(HWND sheet);
  void census(const char* when);
  bool checkGrowth();
  // Asks the program to end; returns `passed`.
  bool stop(bool passed);

  DWORD uiThread_;
  Settings settings_;
  HWND hidden_ = nullptr;
  LinkControl link_;
  UiThreadRunner runner_;
  Counts counts_;
  std::map<int, std::uint64_t> expectedPictures_;
  std::wstring connectedTip_;
  std::wstring disconnectedTip_;
  std::vector<Census> censuses_;
  std::vector<std::string> failures_;
};

bool Driver::fail(const std::string& what) {
  std::printf("endurance: FAIL %s\n", what.c_str());
  std::fflush(stdout);
  failures_.push_back(what);
  return false;
}

bool Driver::tick() {
  ++counts_.monitorTicks;
  return Deliver(hidden_, WM_TIMER, kMonitorTimerId, 0) || fail("the monitor tick hung");
}

bool Driver::changeTray(TrayState state) {
  const long before = NotifyCallCount();
  const bool forced = state == TrayState::Disconnected ? link_.disconnect()
                      : state == TrayState::Strong     ? link_.connect(-40)
                      : state == TrayState::Medium
                          ? link_.connect(-80)
                          : link_.connect(-92, -4);  // as weak as a link in range gets
  if (!forced)
    return fail("the simulated adapter cannot be reached");
  if (!tick())
    return false;
  if (NotifyCallCount() != before + 1) {
    return fail(std::string("change ") + std::to_string(counts_.iconChanges + 1) + " to " +
                Name(state) + " made " + std::to_string(NotifyCallCount() - before) +
                " shell calls (" + std::to_string(NotifyCallCount()) + " in all, the last " +
                std::to_string(LastNotifyCall().action) + " " + Narrow(LastNotifyCall().tip) +
                "); the driver shows " + link_.describe());
  }
  ++counts_.iconChanges;
  return checkCall(state, counts_.iconChanges % kFingerprintEvery == 0);
}

// The shell took the icon and tip this state shows: the icon's picture is the resource's,
// the tip the one first seen for a link of this kind.
bool Driver::checkCall(TrayState state, bool compare) {
  const NotifyCall call = LastNotifyCall();
  const std::string change =
      "change " + std::to_string(counts_.iconChanges) + " (" + Name(state) + "): ";
  if (!call.accepted)
    return fail(change + "the shell refused it");
  if (!call.hasIcon || call.icon == nullptr)
    return fail(change + "no icon was given");
  if (compare && IconFingerprint(call.icon) != expectedPictures_[IconResource(state)])
    return fail(change + "the icon shown is not the " + Name(state) + " picture");
  std::wstring& tip = state == TrayState::Disconnected ? disconnectedTip_ : connectedTip_;
  if (!call.hasTip || call.tip.empty())
    return fail(change + "no tip was given");
  if (tip.empty())
    tip = call.tip;
  if (call.tip != tip)
    return fail(change + "the tip changed its text to " + Narrow(call.tip));
  if (!connectedTip_.empty() && connectedTip_ == disconnectedTip_)
    return fail(change + "connected and disconnected share a tip");
  return true;
}

// The card out: the icon goes; back in: the adapter is found, the start-up checks run
// again and the icon returns.
bool Driver::removeAndReinsert() {
  const long before = NotifyCallCount();
  if (!link_.setPresent(false))
    return fail("the card cannot be removed");
  if (!tick())
    return false;
  if (NotifyCallCount() != before + 1 || LastNotifyCall().action != NIM_DELETE)
    return fail("removing the card did not take the icon away");
  if (!link_.setPresent(true) || !tick() || !tick())
    return fail("the card cannot be put back");
  if (NotifyCallCount() != before + 2 || LastNotifyCall().action != NIM_ADD ||
      !LastNotifyCall().accepted) {
    return fail("the icon did not come back with the card");
  }
  ++counts_.removals;
  counts_.iconChanges += 2;
  return true;
}

bool Driver::trayRound() {
  int flaps = 0;
  for (int change = 0; change < settings_.iconChangesPerRound; ++flaps) {
    if (flaps % kRemovalEvery == kRemovalEvery - 1) {
      if (!removeAndReinsert())
        return false;
      change += 2;
    }
    for (TrayState state : kFlapCycle) {
      if (!changeTray(state))
        return false;
      ++change;
    }
  }
  return true;
}

bool Driver::visitPage(HWND sheet, int index) {
  if (!Deliver(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0))
    return fail("switching to page " + std::to_string(index) + " hung");
  ++counts_.pageSwitches;
  HWND page = CurrentPage(sheet);
  if (page == nullptr ||
      SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) != index) {
    return fail("page " + std::to_string(index) + " did not come up");
  }
  for (int i = 0; i < 2; ++i) {
    Deliver(sheet, WM_TIMER, kStatusPanelTimer, 0);
    ++counts_.panelTicks;
  }
  switch (index) {
    case 0:
      return tickSettingsPage(sheet, page);
    case 1:
      Deliver(page, WM_TIMER, kFirstScanDelayTimerId, 0);
      for (int i = 0; i < 8; ++i) {
        Deliver(page, WM_TIMER, kScanTimerId, 0);
        ++counts_.surveyTicks;
      }
      return true;
    case 2: {
      HWND chart = ChildOfClass(page, L"KestrelLineChart");
      if (chart == nullptr)
        return fail("the statistics page has no chart");
      for (int i = 0; i < 3; ++i) {
        Deliver(page, WM_TIMER, kStatisticsTimerId, 0);
        Deliver(chart, WM_TIMER, kChartScrollTimer, 0);
        ++counts_.statisticsTicks;
        ++counts_.chartScrolls;
      }
      return true;
    }
    default:
      return true;
  }
}

bool Driver::tickSettingsPage(HWND sheet, HWND page) {
  for (int i = 0; i < 5; ++i) {
    Deliver(page, WM_TIMER, kSettingsPictureTimer, 0);
    ++counts_.pictureTicks;
  }
  const long visit = counts_.settingsVisits++ % kSettingsVisitsPerTurn;
  if (visit == kDialogsVisit) {
    if (!openAndCancelDialog(sheet, page, IDC_SETTINGS_ADVANCED))
      return false;
    ++counts_.advancedDialogs;
    PostMessageW(GetDlgItem(page, IDC_SETTINGS_ADHOC), BM_CLICK, 0, 0);
    if (!openAndCancelDialog(sheet, page, IDC_SETTINGS_ADHOC_SETUP))
      return false;
    ++counts_.adHocDialogs;
    PostMessageW(GetDlgItem(page, IDC_SETTINGS_INFRASTRUCTURE), BM_CLICK, 0, 0);
  }
  if (visit == kPopupVisit)
    return showPopup(sheet);
  return true;
}

bool Driver::openAndCancelDialog(HWND sheet, HWND page, int button) {
  HWND control = GetDlgItem(page, button);
  if (control == nullptr || !WaitUntil([&] { return IsWindowEnabled(control) != FALSE; }, 2000))
    return fail("button " + std::to_string(button) + " is not there to press");
  PostMessageW(control, BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  if (!WaitUntil([&] { return (dialog = FindDialog(uiThread_, sheet, hidden_)) != nullptr; },
                 kWindowWaitMs)) {
    return fail("button " + std::to_string(button) + " opened no dialog");
  }
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  if (!WaitUntil([&] { return !IsWindow(dialog); }, kWindowWaitMs))
    return fail("the dialog of button " + std::to_string(button) + " stayed open");
  return true;
}

// Apply on the settings page: the push, then the popup, its zoom stepped by hand.
bool Driver::showPopup(HWND sheet) {
  PostMessageW(sheet, PSM_APPLY, 0, 0);
  HWND popup = nullptr;
  if (!WaitUntil([&] { return (popup = FindDialog(uiThread_, sheet, hidden_)) != nullptr; },
                 kWindowWaitMs)) {
    return fail("Apply showed no popup");
  }
  for (int i = 0; i < kPopupTicks && IsWindow(popup); ++i)
    Deliver(popup, WM_TIMER, kPopupTimer, 0);
  if (!WaitUntil([&] { return !IsWindow(popup); }, kWindowWaitMs))
    return fail("the applying popup stayed open");
  ++counts_.popups;
  return true;
}

bool Driver::closeSheet(HWND sheet) {
  PostMessageW(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
  // Changes left on the settings page bring up the save question first: discard them.
  const bool closed = WaitUntil(
      [&] {
        if (!IsWindow(sheet))
          return true;
        if (HWND prompt = FindDialog(uiThread_, sheet, hidden_))
          PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
        Sleep(5);
        return false;
      },
      kWindowWaitMs);
  return closed || fail("the sheet stayed open");
}

bool Driver::sheetCycle() {
  static const UINT startMessage = RegisterWindowMessageW(L"corvusap.exe START");
  PostMessageW(hidden_, startMessage, 0, 0);
  HWND sheet = nullptr;
  if (!WaitUntil([&] { return (sheet = FindSheet(uiThread_)) != nullptr; }, kWindowWaitMs))
    return fail("the start message opened no sheet");
  // One page besides the opening one, in turn, so that every page is made and destroyed
  // with a quarter of the sheets.
  if (!visitPage(sheet, static_cast<int>(counts_.sheets % 4)))
    return false;
  ++counts_.sheets;
  return closeSheet(sheet);
}

void Driver::census(const char* when) {
  censuses_.push_back(TakeCensus());
  std::printf("endurance: %s: %s; %ld icon changes, %ld sheets\n", when,
              Describe(censuses_.back()).c_str(), counts_.iconChanges, counts_.sheets);
  std::fflush(stdout);
}

// The latest census against the one after the warm-up.
bool Driver::checkGrowth() {
  if (censuses_.size() < 3)
    return true;
  const Census& warm = censuses_[1];
  const Census& later = censuses_.back();
  const bool grown = later.privateBytes > warm.privateBytes + kMemoryBoundBytes ||
                     later.gdiObjects > warm.gdiObjects + kGdiBound ||
                     later.userObjects > warm.userObjects + kUserBound;
  return !grown || fail("grew after the warm-up: " + Describe(warm) + " then " + Describe(later));
}

bool Driver::run() {
  const DWORD began = GetTickCount();
  if (!WaitUntil([&] { return (hidden_ = FindHiddenWindow(uiThread_)) != nullptr; }, 120000)) {
    PostThreadMessageW(uiThread_, WM_QUIT, 0, 0);
    return fail("the hidden main window did not come up");
  }
  // From here on the monitor ticks when this thread says: the program's own one-second
  // timer would race the forced changes (and run a tick inside a tick's shell call).
  if (!WaitUntil([&] { return KillTimer(hidden_, kMonitorTimerId) != FALSE; }, 10000))
    return stop(fail("the monitor timer was never started"));
  if (!runner_.install(uiThread_))
    return stop(fail("no hook on the user-interface thread"));
  const HINSTANCE self = GetModuleHandleW(nullptr);
  for (int id : {IDI_SIGNAL_STRONG, IDI_SIGNAL_MEDIUM, IDI_SIGNAL_WEAK}) {
    HICON icon = static_cast<HICON>(LoadImageW(self, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    expectedPictures_[id] = IconFingerprint(icon);
    DestroyIcon(icon);
  }
  // The start-up checks run on the first ticks; let them, then start from a steady link.
  for (int i = 0; i < 3; ++i)
    tick();
  link_.disconnect();
  tick();
  census("start");
  bool ok = true;
  DWORD trayMs = 0;
  DWORD sheetMs = 0;
  for (int round = 1; ok && round <= settings_.rounds; ++round) {
    const DWORD trayStart = GetTickCount();
    // The tray's changes run on the user-interface thread itself, one tick after another.
    ok = runner_.run(
             hidden_, [&] { ok = trayRound(); }, kTrayRoundWaitMs)
             ? ok
             : fail("a tray round hung");
    const DWORD sheetStart = GetTickCount();
    trayMs += sheetStart - trayStart;
    for (int i = 0; ok && i < settings_.sheetsPerRound; ++i)
      ok = sheetCycle();
    sheetMs += GetTickCount() - sheetStart;
    if (ok) {
      census(round == 1 ? "after warm-up (round 1)" : ("round " + std::to_string(round)).c_str());
      ok = checkGrowth();
    }
  }
  if (ok) {
    // The last change must still reach the shell with the right picture and tip.
    const TrayState last = TrayState::Medium;
    ok = changeTray(last) && checkCall(last, true);
  }

  std::printf(
      "endurance: %ld icon changes (%ld card removals), %ld monitor ticks, %ld sheet "
      "open/close cycles, %ld page switches, %ld status panel ticks, %ld statistics samples "
      "and chart scrolls, %ld settings picture redraws, %ld survey ticks, %ld applying popups, "
      "%ld advanced and %ld ad hoc dialogs; %lu s (tray %lu s, sheets %lu s)\n",
      counts_.iconChanges, counts_.removals, counts_.monitorTicks, counts_.sheets,
      counts_.pageSwitches, counts_.panelTicks, counts_.statisticsTicks, counts_.pictureTicks,
      counts_.surveyTicks, counts_.popups, counts_.advancedDialogs, counts_.adHocDialogs,
      static_cast<unsigned long>((GetTickCount() - began) / 1000),
      static_cast<unsigned long>(trayMs / 1000), static_cast<unsigned long>(sheetMs / 1000));
  link_.reset();
  return stop(ok && failures_.empty());
}

bool Driver::stop(bool passed) {
  static const UINT stopMessage = RegisterWindowMessageW(L"corvusap.exe STOP");
  PostMessageW(hidden_, stopMessage, 0, 0);
  return passed;
}

int Argument(int argc, wchar_t** argv, int index, int fallback) {
  return argc > index ? std::max(1, static_cast<int>(std::wcstol(argv[index], nullptr, 10)))
                      : fallback;
}

}  // namespace

}  // namespace kestrel::endurance

int wmain(int argc, wchar_t** argv) {
  using namespace kestrel::endurance;
  Settings settings;
  settings.rounds = Argument(argc, argv, 1, settings.rounds);
  settings.iconChangesPerRound = Argument(argc, argv, 2, settings.iconChangesPerRound);
  settings.sheetsPerRound = Argument(argc, argv, 3, settings.sheetsPerRound);
  if (!InstallNotifyIconTap()) {
    std::printf("endurance: FAIL the program's Shell_NotifyIconW import was not found\n");
    return 1;
  }
  bool passed = false;
  const DWORD uiThread = GetCurrentThreadId();
  kestrel::fakes::TestThread driver([&] { passed = Driver(uiThread, settings).run(); });
  kestrel::Application application(GetModuleHandleW(nullptr));
  application.run("START");
  driver.join();
  std::printf(passed ? "endurance: PASS\n" : "endurance: FAILED\n");
  return passed ? 0 : 1;
}
