#pragma once
// The settings page's controls by role (ids of its dialog template).

#include "dialogs/settings_ids.h"
#include "platform/control_surface.h"

namespace kestrel::settings_controls {

inline constexpr ControlId kAdapter = IDC_SETTINGS_ADAPTER;
inline constexpr ControlId kProfile = IDC_SETTINGS_PROFILE;
inline constexpr ControlId kSaveProfile = IDC_SETTINGS_SAVE_PROFILE;
inline constexpr ControlId kDeleteProfile = IDC_SETTINGS_DELETE_PROFILE;
inline constexpr ControlId kSsid = IDC_SETTINGS_SSID;
inline constexpr ControlId kAdvanced = IDC_SETTINGS_ADVANCED;
inline constexpr ControlId kInfrastructure = IDC_SETTINGS_INFRASTRUCTURE;
inline constexpr ControlId kAdHoc = IDC_SETTINGS_ADHOC;
inline constexpr ControlId kAdHocSetup = IDC_SETTINGS_ADHOC_SETUP;
inline constexpr ControlId kNoSecurity = IDC_SETTINGS_SECURITY_NONE;
inline constexpr ControlId kWep = IDC_SETTINGS_SECURITY_WEP;
inline constexpr ControlId kWpaPsk = IDC_SETTINGS_SECURITY_WPA_PSK;
inline constexpr ControlId kPassphraseEntry = IDC_SETTINGS_ENTRY_PASSPHRASE;
inline constexpr ControlId kManualEntry = IDC_SETTINGS_ENTRY_MANUAL;
inline constexpr ControlId kPassphraseLabel = IDC_SETTINGS_PASSPHRASE_LABEL;
inline constexpr ControlId kPassphrase = IDC_SETTINGS_PASSPHRASE;
inline constexpr ControlId kGenerationSize = IDC_SETTINGS_GENERATION_SIZE;
inline constexpr ControlId kKeyNumber = IDC_SETTINGS_KEY_NUMBER;
inline constexpr ControlId kKey = IDC_SETTINGS_KEY;
inline constexpr ControlId kManualSize = IDC_SETTINGS_MANUAL_SIZE;
inline constexpr ControlId kAdvancedSecurity = IDC_SETTINGS_ADVANCED_SECURITY;
inline constexpr ControlId kAutoCell = IDC_SETTINGS_AUTOCELL;
inline constexpr ControlId kSheetCancel = IDC_SETTINGS_SHEET_CANCEL;

}  // namespace kestrel::settings_controls
