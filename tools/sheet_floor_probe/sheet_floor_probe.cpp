// The floor of the main window open on one page: a window of the sheet's size that, at the
// pages' periods, makes exactly the requests of their ticks and draws their texts, each only
// when it changed, in a font made once:
//   every mode    the tray monitor's 1000 ms tick, the status panel's 500 ms poll (its four
//                 texts) and the settings page's 100 ms timer, which runs while the sheet
//                 is open whatever page shows (the page is made with the sheet), with
//                 nothing to draw (its pictures stand still once drawn)
//   settings      nothing more
//   networks      nothing more (after its scan the page has no timer)
//   statistics    the 1000 ms sample (nine texts) and the load chart scrolling each second
//   information   the 1000 ms IP address read
// Usage: sheet_floor_probe.exe settings|networks|statistics|information. Runs until closed
// or killed.
#include <windows.h>

#include <cwchar>
#include <optional>

#include "adapter/ip_address.h"
#include "floor_requests.h"
#include "monitor/link_status.h"
#include "monitor/statistics_sampler.h"
#include "monitor/status_panel.h"
#include "probe_fields.h"
#include "probe_statistics.h"
#include "shell/tray_applet.h"
#include "ui/information/information_page.h"
#include "ui/settings/settings_page.h"
#include "ui/sheet/status_panel_updater.h"
#include "win32/win32_system_ports.h"

namespace kestrel {
namespace {

// The main sheet's outer size and its chart's place, as the sheet shows on the virtual
// display. The probe stands at the screen's right edge, beside a sheet at its left.
constexpr int kSheetWidth = 730;
constexpr int kSheetHeight = 520;
constexpr RECT kChartArea{40, 145, 555, 293};

enum class Mode { Settings, Networks, Statistics, Information };

std::optional<Mode> ModeNamed(const wchar_t* name) {
  if (std::wcscmp(name, L"settings") == 0)
    return Mode::Settings;
  if (std::wcscmp(name, L"networks") == 0)
    return Mode::Networks;
  if (std::wcscmp(name, L"statistics") == 0)
    return Mode::Statistics;
  if (std::wcscmp(name, L"information") == 0)
    return Mode::Information;
  return std::nullopt;
}

// Field numbers: the status panel's four, then the statistics page's nine or the IP.
constexpr std::size_t kPanelFields = 4;

class SheetProbe {
 public:
  explicit SheetProbe(Mode mode) : mode_(mode) {}

  void open(HWND window) {
    fields_.attach(window);
    showPanel(poller_.PollLinkStatus(PollMode::Refresh));
    SetTimer(window, kMonitorTimerId, 1000, nullptr);
    SetTimer(window, kLinkPollTimer, kLinkPollPeriodMs, nullptr);
    SetTimer(window, kSettingsPictureTimer, kSettingsPicturePeriodMs, nullptr);
    if (mode_ == Mode::Statistics) {
      statistics_.open(window, kChartArea);
      SetTimer(window, kStatisticsTimerId, kStatisticsPeriodMs, nullptr);
    }
    if (mode_ == Mode::Information) {
      fields_.set(kPanelFields, " " + GetIpAddressText(floor_.ports().ipHelper));
      SetTimer(window, kIpRefreshTimerId, kIpRefreshPeriodMs, nullptr);
    }
  }

  void onTimer(UINT_PTR id) {
    if (id == kMonitorTimerId)
      floor_.tick();
    else if (id == kLinkPollTimer)
      showPanel(poller_.PollLinkStatus(PollMode::Tick));
    else if (id == kStatisticsTimerId)
      sample();
    else if (id == kIpRefreshTimerId)
      fields_.set(kPanelFields, " " + GetIpAddressText(floor_.ports().ipHelper));
  }

  void paint(HDC dc, const RECT& area) const { fields_.paint(dc, area); }

 private:
  void showPanel(const LinkStatus& status) {
    const StatusPanelDisplay display = PresentStatusPanel(status);
    fields_.set(0, display.networkText);
    fields_.set(1, display.channelText);
    fields_.set(2, display.rateText);
    fields_.set(3, display.signalLabel);
  }

  void sample() {
    StatisticsProbe::Texts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
      texts[i] = fields_.text(kPanelFields + i);
    if (statistics_.sample(texts)) {
      for (std::size_t i = 0; i < texts.size(); ++i)
        fields_.set(kPanelFields + i, texts[i]);
    }
  }

  Mode mode_;
  FloorRequests floor_;
  LinkStatusPoller poller_{floor_.adapter()};
  StatisticsProbe statistics_{floor_.adapter()};
  ProbeFields fields_{kPanelFields + StatisticsProbe::kFieldCount};
};

SheetProbe* probe = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_TIMER:
      probe->onTimer(w);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      probe->paint(dc, paint.rcPaint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, w, l);
  }
}

}  // namespace
}  // namespace kestrel

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command, int) {
  const std::optional<kestrel::Mode> mode = kestrel::ModeNamed(command);
  if (!mode) {
    MessageBoxW(nullptr, L"usage: sheet_floor_probe settings|networks|statistics|information",
                L"sheet floor probe", MB_OK);
    return 2;
  }
  kestrel::SheetProbe sheetProbe(*mode);
  kestrel::probe = &sheetProbe;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = kestrel::Procedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = L"SheetFloorProbe";
  RegisterClassW(&windowClass);
  HWND window =
      CreateWindowW(L"SheetFloorProbe", L"sheet floor probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                    GetSystemMetrics(SM_CXSCREEN) - kestrel::kSheetWidth, 0, kestrel::kSheetWidth,
                    kestrel::kSheetHeight, nullptr, nullptr, instance, nullptr);
  sheetProbe.open(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  return 0;
}
