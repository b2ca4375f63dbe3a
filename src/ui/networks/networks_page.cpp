#include "ui/networks/networks_page.h"

#include "activation/activation.h"
#include "monitor/monitor_texts.h"
#include "profiles/secure_wipe.h"
#include "ui/app_services.h"
#include "ui/networks/networks_texts.h"
#include "ui/sheet_services.h"

namespace kestrel {

NetworksPage::NetworksPage(AppServices& services, SheetControl& sheet, SettingsPageLink& settings,
                           Timers& timers, TextCollation& collation)
    : services_(services),
      sheet_(sheet),
      settings_(settings),
      collation_(collation),
      survey_(services.adapter, timers, *this) {}

void NetworksPage::OnInitDialog(ControlSurface& controls, NetworksWindow& window) {
  controls_ = &controls;
  window_ = &window;
  rows_.clear();
  sortOrder_ = SortOrder();
  sheet_.enableButton(SheetButton::Connect, false);
  FillAdapterChoice(controls, services_.parameters);
}

void NetworksPage::OnDestroy() {
  survey_.OnPageWindowDestroyed();
  controls_ = nullptr;
  window_ = nullptr;
}

void NetworksPage::OnSetActive() {
  sheet_.showButton(SheetButton::Scan, true);
  sheet_.showButton(SheetButton::Connect, true);
  sheet_.showButton(SheetButton::Close, true);
  sheet_.showButton(SheetButton::Apply, false);
  sheet_.showButton(SheetButton::Cancel, false);
  if (window_ != nullptr)
    window_->setProgressRange(0, 100);
  survey_.OnPageActivated();
}

bool NetworksPage::OnTimer(std::uint32_t timerId) {
  return survey_.OnTimer(timerId);
}

void NetworksPage::OnScan() {
  survey_.StartScan();
}

bool NetworksPage::takeSelection() {
  const int index = window_ != nullptr ? window_->firstSelectedRow() : -1;
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) {
    chosen_.networkName.clear();
    sheet_.enableButton(SheetButton::Connect, false);
    return false;
  }
  chosen_ = ChooseRow(rows_[static_cast<std::size_t>(index)], index);
  sheet_.enableButton(SheetButton::Connect, true);
  return true;
}

void NetworksPage::OnTableClick() {
  takeSelection();
}

void NetworksPage::OnTableDoubleClick() {
  chosen_.networkName.clear();
  chosen_.securityText.clear();
  if (takeSelection())
    OnConnect();
}

void NetworksPage::OnConnect() {
  sheet_.enableButton(SheetButton::Connect, false);
  std::uint32_t status = 0;
  if (!services_.adapter.GetWepStatus(status))
    return;  // only a presence test: no adapter, no change
  resetWorkingProfileFor(chosen_);
  if (chosen_.securityText == networks_texts::kSecurityNone)
    applyOpenNetwork();
  else
    handOverSecuredNetwork();
}

void NetworksPage::resetWorkingProfileFor(const ChosenNetwork& network) {
  WirelessProfile& working = services_.records.working;
  working.NetworkName = network.networkName;
  working.EnableSecurity = 0;
  for (std::size_t key = 0; key < kWepKeyCount; ++key) {
    SecureWipe(working.SharedKey[key]);
    working.SharedKeyLength[key] = 0;
  }
  working.AdvancedAuthenticationType = 0;
  working.EncryptionAlg = 0;
  working.WPA = 0;
  working.AdvancedUserName.clear();
  SecureWipe(working.AdvancedPassword);
  working.Certificate.fill(0);
  working.DomainName.clear();
  working.LoginName.clear();
  working.leapUserName.clear();
  SecureWipe(working.leapUserPasswd);
  SecureWipe(working.Passphrase);
  working.AdvancedUserNameLength = 0;
  working.AdvancedPasswdLength = 0;
  working.ClientCertLen = 0;
  working.leapUserNameLength = 0;
  working.leapUserPasswdLength = 0;
  working.PassphraseLength = 0;
  working.EapSelection = 0;

  if (network.modeText == monitor_texts::kAdHoc) {
    working.NetworkConnectionType = 2;
    const AdHocSetting adHoc = AdHocSettingFor(network.bandText, network.channelNumber);
    working.AdHocBand = adHoc.AdHocBand;
    working.AdHocChannel = adHoc.AdHocChannel;
  } else {
    working.NetworkConnectionType = 1;
  }
}

// Applied at once; the settings page shows the result before the popup does.
void NetworksPage::applyOpenNetwork() {
  ActivateWorkingProfile(services_.activationTargets(), networks_texts::kNewProfileName);
  settings_.reload();
  settings_.fillFromWorkingProfile();
  sheet_.setActivePage(kSettingsPageIndex);
  sheet_.showApplyingPopup();
}

// The key or passphrase is the user's to enter on the settings page.
void NetworksPage::handOverSecuredNetwork() {
  WirelessProfile& working = services_.records.working;
  if (chosen_.securityText == networks_texts::kSecurityWep) {
    working.EapSelection = 0;
    settings_.chooseWep();
    working.EnableSecurity = 1;
  } else {
    working.EapSelection = kEapWpaPsk;
    settings_.chooseWpaPskPassphrase();
    working.EnableSecurity = 2;
  }
  settings_.showProfileName(networks_texts::kNewProfileName);
  working.AdvancedAuthenticationType = 3;
  working.EncryptionAlg = 1;
  settings_.fillFromWorkingProfile();
  sheet_.setActivePage(kSettingsPageIndex);
}

// The selected row stays selected where sorting takes it.
void NetworksPage::OnHeaderClick(int column) {
  if (column < 0 || column >= kNetworkColumnCount)
    return;
  sortOrder_.click(column);
  const std::vector<std::size_t> order =
      SortedOrder(rows_, column, sortOrder_.direction(), collation_);
  const int selected = window_ != nullptr ? window_->firstSelectedRow() : -1;
  std::vector<SurveyRow> sorted;
  sorted.reserve(rows_.size());
  int newSelection = -1;
  for (std::size_t i = 0; i < order.size(); ++i) {
    sorted.push_back(rows_[order[i]]);
    if (selected >= 0 && order[i] == static_cast<std::size_t>(selected))
      newSelection = static_cast<int>(i);
  }
  rows_.swap(sorted);
  if (window_ == nullptr)
    return;
  window_->showSortArrow(column, sortOrder_.direction());
  window_->clearRows();
  for (const SurveyRow& row : rows_)
    window_->appendRow(row);
  if (newSelection >= 0)
    window_->selectRow(newSelection);
}

bool NetworksPage::SwallowsKey(const PageKey& key) {
  return kestrel::SwallowsKey(kNetworksSwallowedKeys, key);
}

void NetworksPage::setScanStatus(const std::string& text) {
  if (controls_ != nullptr)
    controls_->setText(kScanStatusId, text);
}

void NetworksPage::setScanProgress(int position) {
  if (window_ != nullptr)
    window_->setProgressPosition(position);
}

void NetworksPage::enableScanAndConnect(bool enabled) {
  sheet_.enableButton(SheetButton::Scan, enabled);
  sheet_.enableButton(SheetButton::Connect, enabled);
}

void NetworksPage::clearNetworks() {
  rows_.clear();
  if (window_ != nullptr)
    window_->clearRows();
}

void NetworksPage::appendNetwork(const SurveyRow& row) {
  rows_.push_back(row);
  if (window_ != nullptr)
    window_->appendRow(row);
}

}  // namespace kestrel
