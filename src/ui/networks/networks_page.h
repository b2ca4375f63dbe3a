#pragma once
// CNetworkDlg: the site survey as a table, and taking a network from it into the
// working profile. The object lives as long as the application; its window comes and
// goes with each sheet, bound by OnInitDialog and released by OnDestroy.

#include <cstdint>
#include <vector>

#include "monitor/site_survey.h"
#include "platform/control_surface.h"
#include "ui/networks/chosen_network.h"
#include "ui/networks/network_columns.h"
#include "ui/networks/network_sort.h"
#include "ui/pages/page_common.h"

namespace kestrel {

struct AppServices;
class SheetControl;
class SettingsPageLink;
class TextCollation;
class Timers;

// What the page needs of its window beyond plain controls: the progress bar and the
// report-view table.
class NetworksWindow {
 public:
  virtual ~NetworksWindow() = default;
  virtual void setProgressRange(int minimum, int maximum) = 0;
  virtual void setProgressPosition(int position) = 0;
  virtual void clearRows() = 0;
  // Appends the seven column texts and the row's picture.
  virtual void appendRow(const SurveyRow& row) = 0;
  virtual int firstSelectedRow() = 0;  // -1 when none is selected
  virtual void selectRow(int index) = 0;
  virtual void showSortArrow(int column, SortDirection direction) = 0;
};

inline constexpr ControlId kNetworkTableId = 1007;
inline constexpr ControlId kScanStatusId = 1065;
inline constexpr ControlId kScanProgressId = 1066;
inline constexpr ControlId kNetworksHeaderPictureId = 1074;
inline constexpr ControlId kNetworksHelpId = 1089;

class NetworksPage : private SurveyView {
 public:
  NetworksPage(AppServices& services, SheetControl& sheet, SettingsPageLink& settings,
               Timers& timers, TextCollation& collation);

  void OnInitDialog(ControlSurface& controls, NetworksWindow& window);
  void OnDestroy();
  void OnSetActive();
  // The page's timer messages; false for ids that are not the scan cycle's.
  bool OnTimer(std::uint32_t timerId);

  void OnScan();
  void OnConnect();
  void OnTableClick();
  void OnTableDoubleClick();
  void OnHeaderClick(int column);
  static bool SwallowsKey(const PageKey& key);

  const ChosenNetwork& chosen() const { return chosen_; }
  const std::vector<SurveyRow>& rows() const { return rows_; }

 private:
  void setScanStatus(const std::string& text) override;
  void setScanProgress(int position) override;
  void enableScanAndConnect(bool enabled) override;
  void clearNetworks() override;
  void appendNetwork(const SurveyRow& row) override;

  // Takes the first selected row into `chosen_`; false (name cleared, Connect disabled)
  // when there is none.
  bool takeSelection();
  void resetWorkingProfileFor(const ChosenNetwork& network);
  void applyOpenNetwork();
  void handOverSecuredNetwork();

  AppServices& services_;
  SheetControl& sheet_;
  SettingsPageLink& settings_;
  TextCollation& collation_;
  SiteSurvey survey_;
  ControlSurface* controls_ = nullptr;
  NetworksWindow* window_ = nullptr;
  std::vector<SurveyRow> rows_;  // the table's rows in table order
  SortOrder sortOrder_;
  ChosenNetwork chosen_;
};

using CNetworkDlg = NetworksPage;

}  // namespace kestrel
