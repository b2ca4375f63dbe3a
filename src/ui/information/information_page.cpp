#include "ui/information/information_page.h"

#include "adapter/ip_address.h"
#include "adapter/oid_conversions.h"
#include "platform/timers.h"
#include "ui/app_services.h"
#include "ui/information/identity_texts.h"
#include "ui/information/information_texts.h"
#include "ui/sheet_services.h"

namespace kestrel {

InformationPage::InformationPage(AppServices& services, SheetControl& sheet, Timers& timers,
                                 std::string releaseDate)
    : services_(services), sheet_(sheet), timers_(timers), releaseDate_(std::move(releaseDate)) {}

void InformationPage::OnInitDialog(ControlSurface& controls) {
  controls_ = &controls;
  timers_.start(kIpRefreshTimerId, kIpRefreshPeriodMs);
  if (services_.adapterPresent)
    fill(controls);
}

void InformationPage::OnDestroy() {
  timers_.stop(kIpRefreshTimerId);
  controls_ = nullptr;
}

void InformationPage::OnSetActive() {
  sheet_.showButton(SheetButton::Scan, false);
  sheet_.showButton(SheetButton::Connect, false);
  sheet_.showButton(SheetButton::Apply, false);
  sheet_.showButton(SheetButton::Cancel, false);
}

bool InformationPage::OnTimer(std::uint32_t timerId) {
  if (timerId != kIpRefreshTimerId)
    return false;
  if (controls_ != nullptr)
    showIpAddress(*controls_);
  return true;
}

void InformationPage::fill(ControlSurface& controls) {
  FillAdapterChoice(controls, services_.parameters);
  showRegion(controls);
  showDriver(controls);

  std::string autoCell;
  const AutoCellTexts cut =
      services_.adapter.GetAutoCellVersion(autoCell)
          ? AutoCellTextsOf(autoCell)
          : AutoCellTexts{information_texts::kUnknown, information_texts::kUnknown};
  controls.setText(kAutoCellVersionId, cut.version);
  controls.setText(kAutoCellDateId, cut.date);

  MacAddress mac{};
  services_.adapter.GetMacAddress(mac);
  controls.setText(kMacAddressId, " " + MacAddressText(mac));
  showIpAddress(controls);
  controls.setText(kUtilityVersionId, UtilityVersionText());
  controls.setText(kUtilityDateId, UtilityDateText(releaseDate_));
}

// "NA" is what the driver reports before it knows its country: the installer's "ccode"
// then names it.
bool ReadRegionCode(Adapter& adapter, DriverParameters& parameters, std::string& code) {
  if (!adapter.GetCountryCode(code))
    return false;
  if (code == "NA")
    parameters.ReadDriverParameter("ccode", code);
  return true;
}

void InformationPage::showRegion(ControlSurface& controls) {
  std::string code;
  if (ReadRegionCode(services_.adapter, services_.parameters, code))
    controls.setText(kRegionId, RegionName(code));
}

void InformationPage::showDriver(ControlSurface& controls) {
  std::string version;
  std::string date;
  if (services_.driverVersion.GetDriverVersionAndDate(version, date)) {
    controls.setText(kDriverVersionId, " " + version);
    controls.setText(kDriverDateId, date);
    return;
  }
  version.clear();
  if (services_.parameters.ReadDriverParameter("DriverVersion", version)) {
    std::string parameterDate;
    services_.parameters.ReadDriverParameter("DriverDate", parameterDate);
    controls.setText(kDriverVersionId, " " + version);
    controls.setText(kDriverDateId, parameterDate);
    return;
  }
  controls.setText(kDriverVersionId, information_texts::kUnknown);
  controls.setText(kDriverDateId, information_texts::kUnknown);
}

void InformationPage::showIpAddress(ControlSurface& controls) {
  controls.setText(kIpAddressId, " " + GetIpAddressText(services_.ipHelper));
}

bool InformationPage::SwallowsKey(const PageKey& key) {
  return kestrel::SwallowsKey(kInformationSwallowedKeys, key);
}

}  // namespace kestrel
