#pragma once
// The settings page: profiles, network name and type, security with WEP keys or a WPA-PSK
// passphrase, and applying the working profile to the adapter. Member functions are
// camelCase but for the framework's message handler `OnInitDialog`.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/control_surface.h"
#include "platform/timers.h"
#include "profiles/wireless_profile.h"
#include "ui/app_services.h"
#include "ui/settings/page_wep_keys.h"
#include "ui/settings/scanned_networks.h"
#include "ui/settings/security_controls.h"
#include "ui/settings/settings_page_window.h"
#include "ui/sheet_services.h"

namespace kestrel {

inline constexpr std::uint32_t kSettingsPictureTimer = 130;
inline constexpr std::uint32_t kSettingsPicturePeriodMs = 100;

class SettingsPage : public SettingsPageLink {
 public:
  SettingsPage(AppServices& services, ControlSurface& controls, SettingsPageWindow& window,
               Timers& timers, SheetControl& sheet, SettingsDialogs& dialogs);

  void OnInitDialog();
  void onCommand(ControlId id, ControlEvent event);
  void onTimer(std::uint32_t id);
  void onSetActive();
  // False keeps the page: a typed WEP key of the wrong length.
  bool onKillActive();
  // The page's OK action: validation, then the activation of the working profile.
  bool apply();
  // Whether the adapter took every setting of the last apply's push.
  bool lastPushAccepted() const { return lastPushAccepted_; }
  // Throws the edits away (the sheet's Cancel and its save-changes prompt).
  void discardChanges();
  // Saves the working profile under the typed name; true when it was saved.
  bool saveProfile();
  void deleteProfile();
  // True when the key message was used up here.
  bool preTranslateKey(const KeyPress& key);
  // Unsaved edits, as the sheet's close procedure asks.
  bool saveEnabled();

  // SettingsPageLink
  void reload() override;
  void fillFromWorkingProfile() override;
  void chooseWep() override;
  void chooseWpaPskPassphrase() override;
  void showProfileName(const std::string& name) override;

 private:
  enum class EntryMode { Passphrase, Manual };

  WirelessProfile& working() { return services_.records.working; }
  bool wpaSupported() const { return services_.dot1xAvailable(); }
  Security chosenSecurity();
  std::size_t manualSizeIndex();
  std::size_t generationSizeIndex();
  std::size_t keyNumber();
  // Loads the chosen profile, or "VirtualProfile" when none is chosen, and shows it.
  void loadChosenProfile();

  // Handlers; what the page does after each is in the command table (onCommand).
  void onSaveClicked() { saveProfile(); }
  void onProfileChosen();
  void onProfileTyped();
  void onSsidListOpened();
  void onSsidChosen();
  void onInfrastructure();
  void onAdHoc();
  void onAdvancedSettings();
  void onAdHocSettings();
  void onNoSecurity();
  void onWep();
  void onWpaPsk();
  void onPassphraseEntry();
  void onManualEntry();
  void onGenerationSize();
  void onManualSize();
  void onPassphraseChanged();
  void onKeyNumber();
  void onKeyChanged();

  // Pieces the handlers share.
  void markEdited();
  void setModified();
  void checkNetworkType(ControlId id);
  // The security group's checks and enabling, all of them set here.
  void showSecurity(Security security, KeyEntry entry);
  void checkWpaPskRadio();
  void checkPassphraseEntry();
  void checkSecurityRadios(const SecurityControls& state);
  KeyEntry keyEntry() const;
  void enableAll(std::initializer_list<ControlId> ids, bool enabled);
  void clearPassphraseEdit();
  void fillSecurity();
  void refreshProfileCombo();
  void followNetworkTypeEffect(NetworkTypeEffect effect);

  bool validate();
  bool validatePassphrase();
  bool validateNetworkName();
  bool validateKeys();
  bool validateSecurity();

  AppServices& services_;
  ControlSurface& controls_;
  SettingsPageWindow& window_;
  Timers& timers_;
  SheetControl& sheet_;
  SettingsDialogs& dialogs_;

  PageWepKeys keys_;
  EntryMode entryMode_ = EntryMode::Passphrase;
  std::string selectedName_;
  bool editing_ = false;
  bool passphraseMasked_ = false;
  std::vector<ScannedNetwork> scanned_;
  int networkType_ = 0;  // 0 infrastructure, 1 ad hoc
  bool lastPushAccepted_ = false;
};

using CSettings = SettingsPage;

}  // namespace kestrel
