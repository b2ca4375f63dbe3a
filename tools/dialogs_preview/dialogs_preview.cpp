// Shows the advanced settings and ad hoc dialogs against the simulated adapter (installed
// as kestrel-sim install would, when its device is missing).
//   dialogs_preview show [PAUSE_FILE]   both dialogs as they open, then Cancel
//   dialogs_preview apply [PAUSE_FILE]  on an ad hoc profile: changes both dialogs, presses
//                                       OK, then applies the working profile to the adapter
// At each screenshot point the program writes the shot's name into PAUSE_FILE and waits
// (at most 15 s) until someone deletes the file.
#include <windows.h>
// clang-format off
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <deque>
#include <functional>
#include <string>

#include "activation/activation.h"
#include "core/core_objects.h"
#include "dialogs/dialogs_ids.h"
#include "installer/device_installer.h"
#include "shell/os_classification.h"
#include "win32/ui/dialogs/ad_hoc_view.h"
#include "win32/ui/dialogs/advanced_settings_view.h"
#include "win32/win32_ports.h"

namespace {

using namespace kestrel;

constexpr UINT kStepMilliseconds = 400;
constexpr DWORD kShotTimeoutMilliseconds = 15000;

// The scripted user: one step per timer tick while a dialog is open.
struct Script {
  DialogView* dialog = nullptr;
  std::deque<std::function<void(HWND)>> steps;
  std::string pauseFile;
  DWORD shotStarted = 0;
  bool waitingForShot = false;
};

Script script;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (script.dialog == nullptr || script.dialog->hwnd() == nullptr || script.steps.empty())
    return;
  if (script.waitingForShot) {
    const bool taken = GetFileAttributesA(script.pauseFile.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (!taken && GetTickCount() - script.shotStarted < kShotTimeoutMilliseconds)
      return;
    script.waitingForShot = false;
  }
  auto step = script.steps.front();
  script.steps.pop_front();
  step(script.dialog->hwnd());
}

void Shot(const char* name) {
  script.steps.push_back([name](HWND) {
    if (script.pauseFile.empty())
      return;
    if (FILE* file = std::fopen(script.pauseFile.c_str(), "w")) {
      std::fputs(name, file);
      std::fclose(file);
      script.waitingForShot = true;
      script.shotStarted = GetTickCount();
    }
  });
}

void Choose(int list, int index) {
  script.steps.push_back([list, index](HWND dialog) {
    HWND combo = GetDlgItem(dialog, list);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  });
}

void Slide(int slider, int position) {
  script.steps.push_back([slider, position](HWND dialog) {
    HWND control = GetDlgItem(dialog, slider);
    SendMessageW(control, TBM_SETPOS, TRUE, position);
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(control));
  });
}

void DropDown(int list, bool open) {
  script.steps.push_back([list, open](HWND dialog) {
    SendMessageW(GetDlgItem(dialog, list), CB_SHOWDROPDOWN, open ? TRUE : FALSE, 0);
  });
}

// Alt+C typed while the band list has the focus, as the keyboard would deliver it.
bool altCMoved = false;

void AltC() {
  script.steps.push_back([](HWND dialog) {
    HWND band = GetDlgItem(dialog, IDC_ADHOC_BAND);
    SetFocus(band);
    PostMessageW(band, WM_SYSKEYDOWN, 'C', 0x20000001);
  });
  script.steps.push_back([](HWND dialog) {
    altCMoved = GetFocus() == GetDlgItem(dialog, IDC_ADHOC_CHANNEL);
    std::printf("Alt+C moved the focus to the channel list: %s\n", altCMoved ? "yes" : "no");
  });
}

void Press(int button) {
  script.steps.push_back(
      [button](HWND dialog) { PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0); });
}

const char* EffectName(NetworkTypeEffect effect) {
  switch (effect) {
    case NetworkTypeEffect::ForceInfrastructure:
      return "infrastructure forced, ad hoc disabled";
    case NetworkTypeEffect::EnableAdHoc:
      return "ad hoc enabled";
    case NetworkTypeEffect::Unchanged:
      break;
  }
  return "unchanged";
}

void PrintRadio(const char* title, const WirelessProfile& profile) {
  std::printf(
      "%s: NetBand %d, AdHocBand %d, AdHocChannel %d, WmmEnabled %d, PowerManagement %d, "
      "ShortPreamble %d, tpc %d, FragThreshold %d, RTSThreshold %d\n",
      title, profile.NetBand, profile.AdHocBand, profile.AdHocChannel, profile.WmmEnabled,
      profile.PowerManagement, profile.ShortPreamble, profile.tpc, profile.FragThreshold,
      profile.RTSThreshold);
}

// An open ad hoc network, as the settings page would have it after "コンピュータ間（Ad Hoc）".
void MakeAdHocProfile(WirelessProfile& profile) {
  ResetToDefaults(profile);
  profile.NetworkConnectionType = 2;
  profile.NetworkName = "KESTREL_AdHoc";
  profile.EnableSecurity = 0;
  profile.WPA = 0;
  profile.EapSelection = 0;
  profile.EncryptionAlg = 0;
  profile.AdvancedAuthenticationType = 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "show";
  if (mode != "show" && mode != "apply") {
    std::fprintf(stderr, "usage: dialogs_preview show|apply [PAUSE_FILE]\n");
    return 2;
  }
  script.pauseFile = argc > 2 ? argv[2] : "";
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  Win32Ports ports;
  CoreObjects core(ports.ports());
  SystemVersionInfo versionInfo;
  if (ports.systemVersion.read(versionInfo))
    ClassifyOs(versionInfo, core.system);
  std::string installError;
  if (!core.discovery.PickAdapter() ||
      (!core.discovery.FindAdapterDevice() &&
       !(sim::InstallSimulatedDevice("JP", installError) && core.discovery.FindAdapterDevice()))) {
    std::printf("no simulated adapter: %s\n", installError.c_str());
    return 3;
  }
  core.adapterPresent = true;
  Adapter& adapter = core.adapter;
  ProfileRecords& records = core.records;
  DialogServices services{adapter, core.parameters, core.system, ports.prompt};
  std::string country = "?";
  std::string description = "?";
  adapter.GetCountryCode(country);
  core.parameters.ReadDriverParameter("DriverDesc", description);
  std::printf("adapter: %s, country %s, service pack level %u\n", description.c_str(),
              country.c_str(), core.system.servicePackLevel);

  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const UINT_PTR timer = SetTimer(nullptr, 0, kStepMilliseconds, Tick);

  if (mode == "show") {
    ResetToDefaults(records.working);
    records.current = records.working;
    AdvancedSettingsView advanced(services, records.working, {});
    Shot("advanced");
    Press(IDCANCEL);
    script.dialog = &advanced;
    advanced.run(instance, nullptr);

    AdHocView adHoc(services, records.working, records.current);
    Shot("adhoc");
    Press(IDCANCEL);
    script.dialog = &adHoc;
    adHoc.run(instance, nullptr);
    KillTimer(nullptr, timer);
    return 0;
  }

  MakeAdHocProfile(records.working);
  records.current = records.working;
  PrintRadio("before", records.working);

  AdvancedSettingsView advanced(services, records.working, {true, false});
  Choose(IDC_ADV_TX_POWER, 1);
  Choose(IDC_ADV_PREAMBLE, 0);
  Slide(IDC_ADV_FRAG_SLIDER, 600);
  Slide(IDC_ADV_RTS_SLIDER, 1000);
  Shot("advanced-changed");
  Press(IDOK);
  script.dialog = &advanced;
  const auto effect = advanced.run(instance, nullptr);
  std::printf("advanced settings: %s, network type: %s\n", effect ? "OK" : "cancelled",
              effect ? EffectName(*effect) : "-");
  PrintRadio("after advanced settings", records.working);

  AdHocView adHoc(services, records.working, records.current);
  Choose(IDC_ADHOC_BAND, 1);
  AltC();
  Choose(IDC_ADHOC_CHANNEL, 6);
  DropDown(IDC_ADHOC_CHANNEL, true);
  Shot("adhoc-changed");
  DropDown(IDC_ADHOC_CHANNEL, false);
  Press(IDOK);
  script.dialog = &adHoc;
  const bool adHocOk = adHoc.run(instance, nullptr);
  std::printf("ad hoc: %s\n", adHocOk ? "OK" : "cancelled");
  PrintRadio("after ad hoc", records.working);
  KillTimer(nullptr, timer);

  // Apply, as the settings page does after validation.
  const bool pushed = ActivateWorkingProfile(core.services.activationTargets(), "New Profile");
  std::printf("apply: %s\n", pushed ? "pushed" : "push failed");
  PrintRadio("applied", records.current);

  // What the driver now holds, read back through the adapter.
  std::uint32_t frag = 0;
  std::uint32_t rts = 0;
  std::uint32_t preamble = 99;
  adapter.GetFragThreshold(frag);
  adapter.GetRtsThreshold(rts);
  adapter.GetPreamble(preamble);
  std::printf("adapter: fragmentation %u, rts %u, preamble %u\n", frag, rts, preamble);
  const WirelessProfile& applied = records.current;
  const bool pass = pushed && effect && adHocOk && altCMoved && applied.AdHocBand == 0 &&
                    applied.AdHocChannel == 2437 && applied.tpc == 1 && frag == 1196 &&
                    rts == 2000 && preamble == 0;
  std::printf("dialogs: %s\n", pass ? "PASS" : "FAIL");
  return pass ? 0 : 1;
}
