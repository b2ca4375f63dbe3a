#pragma once
// CAboutDlg: what the adapter and the utility are. Filled once per window while an
// adapter is present; only the IP address follows changes, once a second.

#include <cstdint>
#include <string>

#include "platform/control_surface.h"
#include "ui/pages/page_common.h"

namespace kestrel {

struct AppServices;
class Adapter;
class DriverParameters;
class SheetControl;
class Timers;

inline constexpr ControlId kRegionId = 1001;
inline constexpr ControlId kDriverVersionId = 1002;
inline constexpr ControlId kDriverDateId = 1003;
inline constexpr ControlId kMacAddressId = 1004;
inline constexpr ControlId kUtilityVersionId = 1005;
inline constexpr ControlId kUtilityDateId = 1006;
inline constexpr ControlId kIpAddressId = 1007;
inline constexpr ControlId kAutoCellVersionId = 1008;
inline constexpr ControlId kAutoCellDateId = 1009;
inline constexpr ControlId kInformationHeaderPictureId = 1067;
inline constexpr ControlId kInformationHelpId = 1088;

inline constexpr std::uint32_t kIpRefreshTimerId = 133;
inline constexpr std::uint32_t kIpRefreshPeriodMs = 1000;

// The adapter's two-letter country code as the page names its region by it; false when
// the adapter does not answer.
bool ReadRegionCode(Adapter& adapter, DriverParameters& parameters, std::string& code);

class InformationPage {
 public:
  // `releaseDate` is the release's date text, "Jun 30 2005".
  InformationPage(AppServices& services, SheetControl& sheet, Timers& timers,
                  std::string releaseDate);

  void OnInitDialog(ControlSurface& controls);
  void OnDestroy();
  void OnSetActive();
  // False for ids that are not the IP refresh's.
  bool OnTimer(std::uint32_t timerId);
  static bool SwallowsKey(const PageKey& key);

 private:
  void fill(ControlSurface& controls);
  void showRegion(ControlSurface& controls);
  void showDriver(ControlSurface& controls);
  void showIpAddress(ControlSurface& controls);

  AppServices& services_;
  SheetControl& sheet_;
  Timers& timers_;
  std::string releaseDate_;
  ControlSurface* controls_ = nullptr;
};

using CAboutDlg = InformationPage;

}  // namespace kestrel
