// Visual check of the main sheet against the simulated adapter (`kestrel-sim install`
// first): the sheet with stand-in pages and its live status panel, the help panes opened,
// the two-page set, or the applying-settings popup shown over and over.
//
//   sheet_preview.exe sheet|help|two|popup [seconds]
#include <objbase.h>
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "adapter/driver_parameters.h"
#include "adapter/driver_version.h"
#include "dot1x/dot1x_client.h"
#include "profiles/card_config_id.h"
#include "profiles/driver_parameter_mirror.h"
#include "profiles/profile_store.h"
#include "stand_in_pages.h"
#include "ui/app_services.h"
#include "win32/help_pane.h"
#include "win32/ui/sheet/main_sheet.h"
#include "win32/win32_device_setup.h"
#include "win32/win32_dot1x_library.h"
#include "win32/win32_guid_source.h"
#include "win32/win32_ndis_library.h"
#include "win32/win32_registry.h"
#include "win32/win32_system_ports.h"
#include "win32/win32_user_prompt.h"

namespace {

using namespace kestrel;

// The application's long-lived objects over the real ports, as the program will hold them.
struct RealServices {
  Win32NdisLibrary library;
  Win32CompletionEvents events;
  Win32DeviceSetup devices;
  Win32Registry registry;
  Win32IpHelper ipHelper;
  Win32FileInfo files;
  Win32Dot1xLibrary dot1xLibrary;
  DiscardingDot1xDiagnostics diagnostics;
  Win32GuidSource guids;
  Win32UserPrompt prompt;
  SystemKind system;
  AdapterIdentity identity;
  bool channelOpened = false;
  bool adapterPresent = false;
  bool zeroConfigInControl = false;
  bool dot1xAvailable = false;
  ProfileRecords records;
  Adapter adapter{library, events, channelOpened, identity.current};
  DriverParameters parameters{library, registry, system, identity};
  DriverVersion driverVersion{parameters, registry, files, system};
  Dot1xClient dot1x{dot1xLibrary, diagnostics};
  CardConfigId cardConfigId{parameters, guids};
  ProfileStore store{registry, parameters, cardConfigId, prompt, system, records.list};
  DriverParameterMirror mirror{registry, parameters, cardConfigId, system, adapterPresent};
  AppServices services{system,         identity,
                       adapter,        parameters,
                       driverVersion,  ipHelper,
                       files,          dot1x,
                       records,        store,
                       mirror,         prompt,
                       adapterPresent, zeroConfigInControl,
                       dot1xAvailable};

  RealServices() {
    AdapterDiscovery discovery(library, devices, system, identity);
    adapterPresent = discovery.PickAdapter();
    if (adapterPresent)
      discovery.FindAdapterDevice();
  }
};

enum class Mode { Sheet, Help, Two, Popup };

struct Preview {
  Mode mode = Mode::Sheet;
  int secondsLeft = 8;
  int ticks = 0;
  MainSheet* sheet = nullptr;
};

Preview state;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  MainSheet* open = OpenSheet();
  if (open == nullptr)
    return;
  ++state.ticks;
  if (state.ticks * 250 >= state.secondsLeft * 1000) {
    open->endWithCancel();
    return;
  }
  if (state.mode == Mode::Help && state.ticks == 4)
    SendMessageW(open->window(), WM_COMMAND, IDHELP, 0);
  // One popup every 1.5 s, so that the page beneath has repainted before the next.
  if (state.mode == Mode::Popup && state.ticks >= 8 && state.ticks % 6 == 2)
    open->showApplyingPopup();  // returns when it has closed itself
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  LoadRichEditLibrary();
  const std::wstring line = commandLine;
  if (line.rfind(L"help", 0) == 0)
    state.mode = Mode::Help;
  else if (line.rfind(L"two", 0) == 0)
    state.mode = Mode::Two;
  else if (line.rfind(L"popup", 0) == 0)
    state.mode = Mode::Popup;
  const std::size_t blank = line.find(L' ');
  if (blank != std::wstring::npos)
    state.secondsLeft = static_cast<int>(std::wcstol(line.c_str() + blank, nullptr, 10));

  RealServices real;
  MainSheet sheet(real.services, instance);
  preview::StandInSettingsPage settings(sheet);
  preview::StandInNetworksPage networks;
  preview::StandInPage statistics("statistics.rtf");
  preview::StandInPage information("about.rtf");
  SheetPages pages{&settings, &networks, &statistics, &information};

  SetTimer(nullptr, 0, 250, Tick);
  const bool fourPages = state.mode != Mode::Two;
  const INT_PTR result = sheet.run(nullptr, pages, fourPages, state.mode == Mode::Two);
  CoUninitialize();
  return result == IDCANCEL ? 0 : 1;
}
