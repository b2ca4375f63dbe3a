// The settings page in the main sheet (the other pages left out), against the simulated
// adapter, for a look at it (see scripts/settings-preview). Arguments: the security mode to show
// ("none", "wep", "wpa", or "wepkey": a typed WEP key), the seconds to stay open, and "apply" to
// press Apply once the mode is set up. "wpa" needs the 802.1X client library beside the program,
// as the utility does.
#include <windows.h>
// clang-format off
#include <objbase.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

#include "core/core_objects.h"
#include "dialogs/settings_ids.h"
#include "ui/windowless/windowless_page.h"
#include "win32/ui/settings/settings_page_view.h"
#include "win32/ui/sheet/main_sheet.h"
#include "win32/win32_ports.h"

namespace {

using namespace kestrel;

constexpr UINT_PTR kCloseTimer = 9001;
constexpr UINT_PTR kApplyTimer = 9002;
constexpr UINT_PTR kSetupTimer = 9003;

// Types like a user: each text set here reaches the page as a change (an edit tells by
// itself; a combo box is told).
void Type(HWND page, int id, const wchar_t* text) {
  SetDlgItemTextW(page, id, text);
  HWND control = GetDlgItem(page, id);
  wchar_t kind[16] = {};
  GetClassNameW(control, kind, 16);
  if (lstrcmpiW(kind, L"ComboBox") == 0) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(control));
  }
}

void Click(HWND page, int id) {
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

class PreviewPage : public SettingsPageView {
 public:
  PreviewPage(AppServices& services, MainSheet& sheet, SettingsDialogs& dialogs, HINSTANCE instance,
              std::wstring mode, int seconds, bool apply)
      : SettingsPageView(services, sheet, dialogs, instance),
        sheet_(sheet),
        mode_(std::move(mode)),
        seconds_(seconds),
        apply_(apply) {}

 protected:
  BOOL onInitDialog() override {
    const BOOL result = SettingsPageView::onInitDialog();
    SetTimer(hwnd(), kSetupTimer, 300, nullptr);
    SetTimer(hwnd(), kCloseTimer, static_cast<UINT>(seconds_ * 1000), nullptr);
    if (apply_)
      SetTimer(hwnd(), kApplyTimer, 1500, nullptr);
    return result;
  }
  void onTimer(UINT_PTR id) override {
    if (id == kSetupTimer) {
      KillTimer(hwnd(), id);
      setUpMode();
    } else if (id == kApplyTimer) {
      KillTimer(hwnd(), id);
      PostMessageW(sheet_.window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    } else if (id == kCloseTimer) {
      KillTimer(hwnd(), id);
      sheet_.endWithCancel();
    } else {
      SettingsPageView::onTimer(id);
    }
  }

 private:
  // What a user would do for the mode, once the page shows.
  void setUpMode() {
    HWND page = hwnd();
    if (mode_ == L"wep") {
      Click(page, IDC_SETTINGS_SECURITY_WEP);
      Click(page, IDC_SETTINGS_ENTRY_PASSPHRASE);
      Type(page, IDC_SETTINGS_SSID, L"KESTREL_WEP");
      Type(page, IDC_SETTINGS_PASSPHRASE, L"kestrel");
    } else if (mode_ == L"wepkey") {
      Click(page, IDC_SETTINGS_SECURITY_WEP);
      Click(page, IDC_SETTINGS_ENTRY_MANUAL);
      Type(page, IDC_SETTINGS_SSID, L"KESTREL_WEP");
      Type(page, IDC_SETTINGS_KEY, L"1234567890");
    } else if (mode_ == L"wpa") {
      Click(page, IDC_SETTINGS_SECURITY_WPA_PSK);
      Type(page, IDC_SETTINGS_SSID, L"KESTREL_WPA2");
      Type(page, IDC_SETTINGS_PASSPHRASE, L"kestrel-wpa2-psk");
    } else {
      Click(page, IDC_SETTINGS_SECURITY_NONE);
      Type(page, IDC_SETTINGS_SSID, L"KESTREL_Open");
    }
  }

  MainSheet& sheet_;
  std::wstring mode_;
  int seconds_;
  bool apply_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"none";
  const int seconds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 6;
  const bool apply = argc > 3 && std::wcscmp(argv[3], L"apply") == 0;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  HINSTANCE instance = GetModuleHandleW(nullptr);

  Win32Ports ports;
  CoreObjects core(ports.ports());
  core.adapterPresent = core.discovery.PickAdapter();
  core.discovery.FindAdapterDevice();
  std::printf("adapter: %s\n",
              core.adapterPresent ? core.identity.current.description.c_str() : "none");
  core.bindDot1xClient();
  AppServices& services = core.services;

  MainSheet sheet(services, instance);
  WindowlessPage dialogs;  // the two dialogs are not opened
  PreviewPage page(services, sheet, dialogs, instance, mode, seconds, apply);
  SheetPages pages;
  pages.settings = &page;
  sheet.run(nullptr, pages, true, false);

  SsidRecord ssid;
  std::printf("adapter SSID after the sheet: %s\n",
              core.adapter.GetSsid(ssid) ? ssid.text().c_str() : "(no answer)");
  std::printf("current profile: %s, security %d\n", core.records.current.NetworkName.c_str(),
              core.records.current.EnableSecurity);
  return 0;
}
