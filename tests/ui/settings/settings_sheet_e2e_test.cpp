// The settings page in the main sheet against the simulated adapter: a network's name
// and key typed in, Apply pressed, the applying popup seen, and the sheet's status panel
// read until the link is up (or is seen not to come up).
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/pages_ids.h"
#include "dialogs/settings_ids.h"
#include "dialogs/sheet_ids.h"
#include "installer/device_installer.h"
#include "ui/sheet/sheet_geometry.h"
#include "win32/help_pane.h"
#include "win32/real_machine.h"
#include "win32/ui/information/information_view.h"
#include "win32/ui/networks/networks_view.h"
#include "win32/ui/settings/settings_page_view.h"
#include "win32/ui/sheet/main_sheet.h"
#include "win32/ui/statistics/statistics_view.h"

namespace kestrel {
namespace {

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 3 + 1, '\0');
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                          static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return out;
}

std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path, length < MAX_PATH ? length : 0);
  return text.substr(0, text.find_last_of(L"\\/") + 1);
}

// kestrel-sim beside this program; true when it exited 0.
bool RunSimulator(const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + ProgramDirectory() + L"kestrel-sim.exe\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &process))
    return false;
  WaitForSingleObject(process.hProcess, 30000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode == 0;
}

class NoDialogs : public SettingsDialogs {
 public:
  std::optional<NetworkTypeEffect> openAdvancedSettings(bool, bool) override {
    return std::nullopt;
  }
  bool openAdHocSettings() override { return false; }
};

// The four pages' views over one machine, as the hidden main window holds them.
struct AllFourPages {
  AllFourPages(RealMachine& machine, MainSheet& sheet)
      : settings(machine.services, sheet, dialogs, GetModuleHandleW(nullptr)),
        networks(machine.services, sheet, settings.link()),
        statistics(machine.services, sheet),
        information(machine.services, sheet) {}
  SheetPages pages() { return {&settings, &networks, &statistics, &information}; }

  NoDialogs dialogs;
  SettingsPageView settings;
  NetworksView networks;
  StatisticsView statistics;
  InformationView information;
};

// What the run saw.
struct Observed {
  bool popupSeen = false;
  bool connected = false;
  std::wstring lastPanelText;
};

// Drives the open sheet from a thread timer, which also ticks inside the sheet's and the
// popup's modal loops.
class SheetDriver {
 public:
  SheetDriver(MainSheet& sheet, std::function<void(HWND page)> typeIn, std::wstring ssid,
              std::wstring bssid, int seconds)
      : sheet_(sheet),
        typeIn_(std::move(typeIn)),
        ssid_(std::move(ssid)),
        bssid_(std::move(bssid)),
        ticksLeft_(seconds * 10) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 100, Tick);
  }
  ~SheetDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  Observed observed;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr && !current_->busy_) {
      current_->busy_ = true;
      current_->step();
      current_->busy_ = false;
    }
  }
  static BOOL CALLBACK FindPopup(HWND window, LPARAM found) {
    if (GetDlgItem(window, IDC_APPLYING_TEXT) != nullptr && IsWindowVisible(window))
      *reinterpret_cast<bool*>(found) = true;
    return TRUE;
  }

  void step() {
    bool popup = false;
    EnumThreadWindows(GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&popup));
    observed.popupSeen = observed.popupSeen || popup;
    HWND window = sheet_.window();
    HWND page = window != nullptr
                    ? reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0))
                    : nullptr;
    if (page == nullptr)
      return;
    if (!typed_) {
      typed_ = true;
      typeIn_(page);
      PostMessageW(window, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
      return;
    }
    wchar_t text[256] = {};
    GetDlgItemTextW(window, kNetworkTextId, text, 256);
    observed.lastPanelText = text;
    observed.connected = observed.popupSeen &&
                         observed.lastPanelText.find(ssid_) != std::wstring::npos &&
                         observed.lastPanelText.find(bssid_) != std::wstring::npos;
    if (observed.connected || --ticksLeft_ <= 0)
      sheet_.endWithCancel();
  }

  static SheetDriver* current_;
  MainSheet& sheet_;
  std::function<void(HWND)> typeIn_;
  std::wstring ssid_;
  std::wstring bssid_;
  int ticksLeft_;
  UINT_PTR timer_ = 0;
  bool typed_ = false;
  bool busy_ = false;
};
SheetDriver* SheetDriver::current_ = nullptr;

void Type(HWND page, int id, const wchar_t* text) {
  SetDlgItemTextW(page, id, text);
  HWND control = GetDlgItem(page, id);
  wchar_t kind[16] = {};
  GetClassNameW(control, kind, 16);
  if (lstrcmpiW(kind, L"ComboBox") == 0)
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(control));
}

void Click(HWND page, int id) {
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

class SettingsSheetEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(sim::InstallSimulatedDevice("JP", error)) << error;
  }
  void SetUp() override { ASSERT_TRUE(RunSimulator(L"reset")); }

  Observed runSheet(const std::function<void(HWND)>& typeIn, const std::wstring& ssid,
                    const std::wstring& bssid, int seconds) {
    RealMachine machine(true);
    EXPECT_TRUE(machine.adapterPresent);
    MainSheet sheet(machine.services, GetModuleHandleW(nullptr));
    NoDialogs dialogs;
    SettingsPageView settings(machine.services, sheet, dialogs, GetModuleHandleW(nullptr));
    SheetPages pages;
    pages.settings = &settings;
    SheetDriver driver(sheet, typeIn, ssid, bssid, seconds);
    sheet.run(nullptr, pages, true, false);
    return driver.observed;
  }
  static bool Dot1xClientPresent() { return RealMachine(true).core.dot1xAvailable(); }
};

TEST_F(SettingsSheetEndToEnd, TheRightWepKeyConnects) {
  const Observed seen = runSheet(
      [](HWND page) {
        Type(page, IDC_SETTINGS_SSID, L"KESTREL_WEP");
        // Whatever profile an earlier run left, these networks are access points.
        Click(page, IDC_SETTINGS_INFRASTRUCTURE);
        Click(page, IDC_SETTINGS_SECURITY_WEP);
        Click(page, IDC_SETTINGS_ENTRY_MANUAL);
        Type(page, IDC_SETTINGS_KEY, L"1234567890");
      },
      L"KESTREL_WEP", L"00:14:6C:5E:00:02", 8);
  EXPECT_TRUE(seen.popupSeen);
  EXPECT_TRUE(seen.connected) << Utf8(seen.lastPanelText);
}

TEST_F(SettingsSheetEndToEnd, AWrongWepKeyDoesNotConnect) {
  const Observed seen = runSheet(
      [](HWND page) {
        Type(page, IDC_SETTINGS_SSID, L"KESTREL_WEP");
        // Whatever profile an earlier run left, these networks are access points.
        Click(page, IDC_SETTINGS_INFRASTRUCTURE);
        Click(page, IDC_SETTINGS_SECURITY_WEP);
        Click(page, IDC_SETTINGS_ENTRY_MANUAL);
        Type(page, IDC_SETTINGS_KEY, L"0987654321");
      },
      L"KESTREL_WEP", L"00:14:6C:5E:00:02", 4);
  EXPECT_TRUE(seen.popupSeen);
  EXPECT_FALSE(seen.connected);
}

void TypeWpa2(HWND page, const wchar_t* passphrase) {
  Type(page, IDC_SETTINGS_SSID, L"KESTREL_WPA2");
  // Whatever profile an earlier run left, these networks are access points.
  Click(page, IDC_SETTINGS_INFRASTRUCTURE);
  Click(page, IDC_SETTINGS_SECURITY_WPA_PSK);
  Type(page, IDC_SETTINGS_PASSPHRASE, passphrase);
}

TEST_F(SettingsSheetEndToEnd, AWpa2PassphraseConnectsThroughThe8021xClient) {
  if (!Dot1xClientPresent())
    GTEST_SKIP() << "no 802.1X client library beside the program";
  const Observed seen = runSheet([](HWND page) { TypeWpa2(page, L"kestrel-wpa2-psk"); },
                                 L"KESTREL_WPA2", L"00:14:6C:5E:00:04", 8);
  EXPECT_TRUE(seen.popupSeen);
  EXPECT_TRUE(seen.connected);
}

TEST_F(SettingsSheetEndToEnd, AWrongWpa2PassphraseDoesNotConnect) {
  if (!Dot1xClientPresent())
    GTEST_SKIP() << "no 802.1X client library beside the program";
  const Observed seen = runSheet([](HWND page) { TypeWpa2(page, L"not-the-passphrase"); },
                                 L"KESTREL_WPA2", L"00:14:6C:5E:00:04", 4);
  EXPECT_TRUE(seen.popupSeen);
  EXPECT_FALSE(seen.connected) << Utf8(seen.lastPanelText);
}

// Turns to each page in turn from a thread timer and keeps the text of its help pane.
class HelpTour {
 public:
  static constexpr int kHelpIds[] = {IDC_SETTINGS_HELP, IDC_NETWORKS_HELP, IDC_STATISTICS_HELP,
                                     IDC_INFORMATION_HELP};
  explicit HelpTour(MainSheet& sheet) : sheet_(sheet) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 200, Tick);
  }
  ~HelpTour() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  std::vector<std::wstring> texts;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr)
      current_->step();
  }
  void step() {
    HWND window = sheet_.window();
    if (window == nullptr)
      return;
    const int index = static_cast<int>(texts.size());
    if (index == 4 || --ticksLeft_ <= 0) {
      sheet_.endWithCancel();
      return;
    }
    HWND page = reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (page == nullptr)
      return;
    if (SendMessageW(window, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) != index) {
      SendMessageW(window, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
      return;
    }
    texts.push_back(TextOf(GetDlgItem(page, kHelpIds[index])));
  }
  static std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  static HelpTour* current_;
  MainSheet& sheet_;
  UINT_PTR timer_ = 0;
  int ticksLeft_ = 100;
};
HelpTour* HelpTour::current_ = nullptr;

// What a help file shows when streamed into a rich edit control of its own.
std::wstring HelpFileText(const char* fileName) {
  HWND edit = CreateWindowExW(0, L"RichEdit20W", L"", ES_MULTILINE, 0, 0, 300, 300, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowPageHelp(edit, fileName);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  DestroyWindow(edit);
  return text;
}

TEST_F(SettingsSheetEndToEnd, EachPageShowsItsOwnHelpFileWhenTurnedTo) {
  ASSERT_TRUE(LoadRichEditLibrary());
  RealMachine machine(false);
  MainSheet sheet(machine.services, GetModuleHandleW(nullptr));
  AllFourPages four(machine, sheet);
  HelpTour tour(sheet);
  sheet.run(nullptr, four.pages(), true, false);

  const std::vector<std::wstring> expected = {
      HelpFileText("settings.rtf"), HelpFileText("networks.rtf"), HelpFileText("statistics.rtf"),
      HelpFileText("about.rtf")};
  ASSERT_EQ(tour.texts.size(), 4u);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_FALSE(expected[i].empty()) << i;
    EXPECT_EQ(tour.texts[i], expected[i]) << "page " << i;
  }
}

// Turns to the networks page and, once the first scan has filled the table, reads its
// column titles and, row by row, the mode column's text and the row's picture.
class NetworksTableReader {
 public:
  struct Row {
    std::wstring mode;
    int image;
  };
  explicit NetworksTableReader(MainSheet& sheet) : sheet_(sheet) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 200, Tick);
  }
  ~NetworksTableReader() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  std::vector<std::wstring> columns;
  std::vector<Row> rows;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr)
      current_->step();
  }
  void step() {
    HWND window = sheet_.window();
    if (window == nullptr)
      return;
    if (--ticksLeft_ <= 0) {
      sheet_.endWithCancel();
      return;
    }
    HWND page = reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (page == nullptr)
      return;
    if (SendMessageW(window, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) != 1) {
      SendMessageW(window, PSM_SETCURSEL, 1, 0);
      return;
    }
    HWND table = GetDlgItem(page, IDC_NETWORK_TABLE);
    const auto count = static_cast<int>(SendMessageW(table, LVM_GETITEMCOUNT, 0, 0));
    if (count < kBuiltInNetworks)
      return;
    for (int column = 0;; ++column) {
      wchar_t title[64] = {};
      LVCOLUMNW header{};
      header.mask = LVCF_TEXT;
      header.pszText = title;
      header.cchTextMax = 64;
      if (!SendMessageW(table, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                        reinterpret_cast<LPARAM>(&header))) {
        break;
      }
      columns.push_back(title);
    }
    for (int index = 0; index < count; ++index) {
      wchar_t mode[64] = {};
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = index;
      item.iSubItem = 6;
      item.pszText = mode;
      item.cchTextMax = 64;
      SendMessageW(table, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      LVITEMW picture{};
      picture.mask = LVIF_IMAGE;
      picture.iItem = index;
      SendMessageW(table, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&picture));
      rows.push_back({mode, picture.iImage});
    }
    sheet_.endWithCancel();
  }

  static constexpr int kBuiltInNetworks = 10;
  static NetworksTableReader* current_;
  MainSheet& sheet_;
  UINT_PTR timer_ = 0;
  int ticksLeft_ = 150;
};
NetworksTableReader* NetworksTableReader::current_ = nullptr;

TEST_F(SettingsSheetEndToEnd, NetworksTableHasItsColumnsInOrderAndAPicturePerMode) {
  RealMachine machine(false);
  MainSheet sheet(machine.services, GetModuleHandleW(nullptr));
  AllFourPages four(machine, sheet);
  NetworksTableReader reader(sheet);
  sheet.run(nullptr, four.pages(), true, false);

  EXPECT_EQ(reader.columns,
            (std::vector<std::wstring>{L"ネットワーク名(SSID)", L"XR", L"チャンネル",
                                       L"セキュリティ", L"信号", L"MACアドレス", L"モード"}));
  ASSERT_EQ(reader.rows.size(), 10u) << "the built-in scenario's networks";
  int adHoc = 0;
  for (const auto& row : reader.rows) {
    if (row.mode == L"Ad-Hoc") {
      ++adHoc;
      EXPECT_EQ(row.image, 1) << "icon 140";
    } else {
      EXPECT_EQ(row.mode, L"アクセス・ポイント");
      EXPECT_EQ(row.image, 0) << "icon 170";
    }
  }
  EXPECT_EQ(adHoc, 1);
}

}  // namespace
}  // namespace kestrel
