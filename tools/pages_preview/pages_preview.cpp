// The networks, statistics and information pages in a plain property sheet, against the
// simulated adapter. With "--tour" the program walks through them by itself: it waits for
// the first scan, connects to the open network, watches the statistics and reads the
// information page, printing what each page shows ("READY <page>" when a page is worth a
// screenshot) and ending with "pages tour: PASS" or "pages tour: FAIL".
#include <objbase.h>
#include <windows.h>
// clang-format off
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "core/core_objects.h"
#include "monitor/link_status.h"
#include "ui/information/information_page.h"
#include "ui/sheet_services.h"
#include "ui/statistics/statistics_page.h"
#include "win32/help_pane.h"
#include "win32/ui/information/information_view.h"
#include "win32/ui/networks/networks_view.h"
#include "win32/ui/statistics/statistics_view.h"
#include "win32/win32_control_surface.h"
#include "win32/win32_ports.h"

namespace {

using namespace kestrel;

constexpr UINT_PTR kTourTimer = 9001;
constexpr UINT kTourTickMs = 500;
constexpr UINT_PTR kSubclassId = 1;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// The main sheet's part for this preview: its Scan and Connect buttons, and a log of what
// the pages ask of the sheet and of the settings page.
class PreviewSheet : public SheetControl, public SettingsPageLink {
 public:
  HWND window = nullptr;
  HWND scan = nullptr;
  HWND connect = nullptr;
  int popups = 0;

  void showButton(SheetButton button, bool visible) override {
    if (HWND control = buttonOf(button))
      ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
  }
  void enableButton(SheetButton button, bool enabled) override {
    if (HWND control = buttonOf(button))
      EnableWindow(control, enabled);
  }
  void setActivePage(int index) override {
    Say("sheet: page " + std::to_string(index) + " asked for (the settings page)");
  }
  void showApplyingPopup() override {
    ++popups;
    Say("sheet: applying-settings popup");
  }
  void reload() override { Say("settings page: reload"); }
  void fillFromWorkingProfile() override { Say("settings page: fill from the working profile"); }
  void chooseWep() override { Say("settings page: WEP"); }
  void chooseWpaPskPassphrase() override { Say("settings page: WPA-PSK passphrase"); }
  void showProfileName(const std::string&) override { Say("settings page: new profile name"); }

 private:
  HWND buttonOf(SheetButton button) const {
    if (button == SheetButton::Scan)
      return scan;
    if (button == SheetButton::Connect)
      return connect;
    return nullptr;
  }
};

struct Program {
  Win32Ports ports;
  CoreObjects core{ports.ports()};
  AppServices& services = core.services;
  PreviewSheet sheet;
  NetworksView networks{services, sheet, sheet};
  StatisticsView statistics{services, sheet};
  InformationView information{services, sheet};
  LinkStatusPoller poller{core.adapter};
};

Program* program = nullptr;

std::string FieldText(HWND page, int id) {
  return Win32ControlSurface(page).text(id);
}

// A fingerprint of the chart's picture, to see it move.
unsigned long ChartFingerprint(const LineChart* chart) {
  if (chart == nullptr || chart->window() == nullptr)
    return 0;
  RECT client{};
  GetClientRect(chart->window(), &client);
  unsigned long hash = 5381;
  for (int x = 0; x < client.right; x += 2) {
    for (int y = 0; y < client.bottom; y += 2)
      hash = hash * 33 + static_cast<unsigned long>(chart->PixelAt(x, y));
  }
  return hash;
}

// Walks through the pages on the sheet's timer, one step per tick.
class Tour {
 public:
  void tick();
  bool passed() const { return failures_ == 0 && finished_; }

 private:
  void check(bool ok, const std::string& what) {
    Say(std::string(ok ? "check ok: " : "check FAILED: ") + what);
    if (!ok)
      ++failures_;
  }
  void waitForScan();
  void connectToOpenNetwork();
  void waitForLink();
  void readStatistics();
  void readInformation();
  void next(int delayTicks) {
    ++phase_;
    wait_ = delayTicks;
  }

  int phase_ = 0;
  int wait_ = 0;
  int ticks_ = 0;
  int failures_ = 0;
  bool finished_ = false;
  unsigned long chartBefore_ = 0;
};

void Tour::tick() {
  ++ticks_;
  if (wait_ > 0) {
    --wait_;
    return;
  }
  switch (phase_) {
    case 0:
      waitForScan();
      break;
    case 1:
      connectToOpenNetwork();
      break;
    case 2:
      waitForLink();
      break;
    case 3:
      SendMessageW(program->sheet.window, PSM_SETCURSEL, 1, 0);
      Say("page: statistics");
      next(6);
      break;
    case 4:
      chartBefore_ = ChartFingerprint(program->statistics.chart());
      next(6);
      break;
    case 5:
      readStatistics();
      break;
    case 6:
      SendMessageW(program->sheet.window, PSM_SETCURSEL, 2, 0);
      Say("page: information");
      next(4);
      break;
    case 7:
      readInformation();
      break;
    default:
      finished_ = true;
      Say(passed() ? "pages tour: PASS" : "pages tour: FAIL");
      KillTimer(program->sheet.window, kTourTimer);
      PostMessageW(program->sheet.window, WM_COMMAND, IDCANCEL, 0);
      break;
  }
}

struct ExpectedNetwork {
  const char* ssid;
  const char* xr;
  const char* channel;
  const char* security;
  bool adHoc;
};

void Tour::waitForScan() {
  const auto& rows = program->networks.logic().rows();
  if (rows.empty()) {
    if (ticks_ > 40) {
      check(false, "the first scan listed networks within 20 s");
      phase_ = 3;
    }
    return;
  }
  Say("scan status: " + FieldText(program->networks.hwnd(), kScanStatusId));
  for (const SurveyRow& row : rows) {
    Say("network: " + row.ssidText + " |" + row.xrText + "|" + row.channelText + "| " +
        row.securityText + " |" + row.signalText + "| " + row.bssidText + " | " + row.modeText);
  }
  const ExpectedNetwork expected[] = {
      {"KESTREL_11g", " ", "   1 (G)", "WPA-PSK", false},
      {"KESTREL_Open", " ", "   1 (G)", "none", false},
      {"KESTREL_WEP", " ", "   6 (B)", "WEP", false},
      {"KESTREL_WPA", " ", "  11 (G)", "WPA-PSK", false},
      {"KESTREL_WPA2", " ", "   6 (G)", "WPA2-PSK", false},
      {"KESTREL_Corp", " ", "  11 (G)", "WPA2", false},
      {"KESTREL_AdHoc", " ", "   3 (B)", "none", true},
      {"KESTREL_5GHz", " ", "  36 (A)", "WPA2-PSK", false},
      {"KESTREL_Turbo", " ", "  42 (T)", "none", false},
      {"KESTREL_XR", "XR", "  11 (G)", "none", false},
  };
  for (const ExpectedNetwork& network : expected) {
    bool found = false;
    for (const SurveyRow& row : rows) {
      const bool modeRight = network.adHoc ? row.modeText == "Ad-Hoc" : row.modeText != "Ad-Hoc";
      const bool signalRight = row.signalText.size() == 5 && row.signalText.back() == '%';
      if (row.ssidText == network.ssid && row.xrText == network.xr &&
          row.channelText == network.channel && row.securityText == network.security && modeRight &&
          signalRight)
        found = true;
    }
    check(found, std::string("listed as expected: ") + network.ssid);
  }
  check(IsWindowEnabled(program->sheet.connect) != FALSE, "Connect enabled after the scan");
  // A click on the signal header: strongest last, with the arrow on that column.
  NMLISTVIEW headerClick{};
  headerClick.hdr = {GetDlgItem(program->networks.hwnd(), kNetworkTableId),
                     static_cast<UINT_PTR>(kNetworkTableId), static_cast<UINT>(LVN_COLUMNCLICK)};
  headerClick.iSubItem = 4;
  SendMessageW(program->networks.hwnd(), WM_NOTIFY, kNetworkTableId,
               reinterpret_cast<LPARAM>(&headerClick));
  Say("sorted by signal: first " + rows.front().ssidText + ", last " + rows.back().ssidText);
  Say("READY networks");
  next(6);
}

// As the user would: select the row in the table, then press the sheet's Connect.
void Tour::connectToOpenNetwork() {
  HWND table = GetDlgItem(program->networks.hwnd(), kNetworkTableId);
  const auto& rows = program->networks.logic().rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].ssidText != "KESTREL_Open")
      continue;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(table, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
    NMHDR click{table, static_cast<UINT_PTR>(kNetworkTableId), static_cast<UINT>(NM_CLICK)};
    SendMessageW(program->networks.hwnd(), WM_NOTIFY, kNetworkTableId,
                 reinterpret_cast<LPARAM>(&click));
    break;
  }
  check(program->networks.logic().chosen().networkName == "KESTREL_Open",
        "the open network is selected");
  SendMessageW(program->sheet.window, WM_COMMAND, kSheetConnectButtonId, 0);
  const WirelessProfile& current = program->core.records.current;
  check(current.NetworkName == "KESTREL_Open" && current.EnableSecurity == 0 &&
            current.ConfigurationName == "VirtualProfile",
        "connect applied the open network as VirtualProfile");
  check(program->sheet.popups == 1, "the applying-settings popup was shown");
  next(0);
}

void Tour::waitForLink() {
  const LinkStatus status = program->poller.PollLinkStatus(PollMode::Tick);
  Say("link: state " + std::to_string(status.stateCode) + " " + status.networkText + " " +
      status.channelText);
  if (status.stateCode == 1) {
    check(status.networkText.find("KESTREL_Open") != std::string::npos,
          "the link connects to KESTREL_Open");
    next(0);
  } else if (ticks_ > 120) {
    check(false, "the link connects within the tour");
    next(0);
  }
}

void Tour::readStatistics() {
  HWND page = program->statistics.hwnd();
  const int ids[] = {kTxMbpsId,     kTxPacketsPerSecondId, kTxTotalId, kTxErrorsId,
                     kRxMbpsId,     kRxPacketsPerSecondId, kRxTotalId, kRxErrorsId,
                     kPercentTextId};
  const char* names[] = {"Tx Mbps",      "Tx packets/s", "Tx total",  "Tx errors", "Rx Mbps",
                         "Rx packets/s", "Rx total",     "Rx errors", "load"};
  for (std::size_t i = 0; i < std::size(ids); ++i)
    Say(std::string("statistics: ") + names[i] + " = " + FieldText(page, ids[i]));
  const std::string txTotal = FieldText(page, kTxTotalId);
  check(!txTotal.empty() && txTotal != "0" &&
            txTotal.find_first_not_of("0123456789") == std::string::npos,
        "a transmit total is shown");
  check(ChartFingerprint(program->statistics.chart()) != chartBefore_, "the chart moved");
  Say("READY statistics");
  next(6);
}

void Tour::readInformation() {
  HWND page = program->information.hwnd();
  const int ids[] = {kRegionId,     kMacAddressId,     kIpAddressId,  kDriverVersionId,
                     kDriverDateId, kUtilityVersionId, kUtilityDateId};
  const char* names[] = {"region",          "MAC",         "IP", "driver version", "driver date",
                         "utility version", "utility date"};
  for (std::size_t i = 0; i < std::size(ids); ++i)
    Say(std::string("information: ") + names[i] + " =" + FieldText(page, ids[i]));
  check(FieldText(page, kRegionId) == " \x93\xFA\x96\x7B", "region Japan");
  check(FieldText(page, kMacAddressId) == " 00:0B:6B:3C:2E:9D", "MAC address");
  check(FieldText(page, kDriverVersionId) == " 5.1.0.22", "driver version");
  check(FieldText(page, kUtilityVersionId) == " 2.0.0.6", "utility version");
  Say("READY information");
  next(6);
}

Tour* tour = nullptr;

LRESULT CALLBACK SheetSubclass(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (message == WM_COMMAND &&
      (LOWORD(w) == kSheetScanButtonId || LOWORD(w) == kSheetConnectButtonId)) {
    const auto page = reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (page != nullptr)
      SendMessageW(page, WM_COMMAND, w, l);
    return 0;
  }
  if (message == WM_TIMER && w == kTourTimer && tour != nullptr) {
    tour->tick();
    return 0;
  }
  return DefSubclassProc(window, message, w, l);
}

HWND MakeButton(HWND sheet, int id, const wchar_t* text, int left) {
  RECT ok{};
  GetWindowRect(GetDlgItem(sheet, IDOK), &ok);
  MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&ok), 2);
  HWND button = CreateWindowExW(
      0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, left, ok.top,
      ok.right - ok.left, ok.bottom - ok.top, sheet,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(button, WM_SETFONT, static_cast<WPARAM>(SendMessageW(sheet, WM_GETFONT, 0, 0)),
               TRUE);
  return button;
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message != PSCB_INITIALIZED)
    return 0;
  program->sheet.window = sheet;
  program->sheet.scan = MakeButton(sheet, kSheetScanButtonId, L"スキャン", 8);
  program->sheet.connect = MakeButton(sheet, kSheetConnectButtonId, L"接続", 90);
  EnableWindow(program->sheet.connect, FALSE);
  SetWindowSubclass(sheet, SheetSubclass, kSubclassId, 0);
  if (tour != nullptr)
    SetTimer(sheet, kTourTimer, kTourTickMs, nullptr);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                     ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  LoadRichEditLibrary();

  Program state;
  program = &state;
  state.core.adapterPresent = state.core.discovery.PickAdapter();
  state.core.discovery.FindAdapterDevice();
  Say(std::string("adapter: ") +
      (state.core.adapterPresent ? state.core.identity.current.description : "(none found)"));

  Tour walk;
  if (std::wcsstr(commandLine, L"--tour") != nullptr)
    tour = &walk;

  // Each page record is sized for the oldest common controls, smaller than the structure,
  // so the pages are made one by one rather than handed over as an array.
  PROPSHEETPAGEW records[3] = {state.networks.page(instance), state.statistics.page(instance),
                               state.information.page(instance)};
  HPROPSHEETPAGE pages[3] = {};
  for (int i = 0; i < 3; ++i)
    pages[i] = CreatePropertySheetPageW(&records[i]);
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_NOAPPLYNOW | PSH_USECALLBACK;
  header.hInstance = instance;
  header.pszCaption = L"KESTREL Quick Beacon Wireless Utility";
  header.nPages = 3;
  header.phpage = pages;
  header.pfnCallback = SheetCallback;
  PropertySheetW(&header);
  CoUninitialize();
  if (tour == nullptr)
    return 0;
  return walk.passed() ? 0 : 1;
}
