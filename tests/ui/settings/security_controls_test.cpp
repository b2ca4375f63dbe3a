// The security group's checks and enabling over every choice, key entry mode and WPA
// availability.
#include "ui/settings/security_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/settings/settings_controls.h"

namespace kestrel {
namespace {

using namespace settings_controls;
using Ids = std::vector<ControlId>;

template <std::size_t N>
Ids OnOf(const std::array<ControlState, N>& states) {
  Ids on;
  for (const ControlState& state : states) {
    if (state.on)
      on.push_back(state.id);
  }
  return on;
}

struct Case {
  Security security;
  KeyEntry entry;
  bool wpaAvailable;
  Ids checked;
  Ids enabled;
};

const Ids kWepPassphraseControls = {kPassphraseEntry, kManualEntry, kPassphraseLabel,
                                    kPassphrase,      kKeyNumber,   kGenerationSize};
const Ids kWepShownKeyControls = {kPassphraseEntry, kManualEntry, kPassphraseLabel,
                                  kKeyNumber,       kKey,         kManualSize};
const Ids kWepManualControls = {kPassphraseEntry, kManualEntry, kKeyNumber, kKey, kManualSize};

// Every combination of the three inputs, in order.
const Case kCases[] = {
    {Security::None, KeyEntry::Passphrase, false, {kNoSecurity, kPassphraseEntry}, {}},
    {Security::None, KeyEntry::Passphrase, true, {kNoSecurity, kPassphraseEntry}, {}},
    {Security::None, KeyEntry::ShownKey, false, {kNoSecurity, kManualEntry}, {}},
    {Security::None, KeyEntry::ShownKey, true, {kNoSecurity, kManualEntry}, {}},
    {Security::None, KeyEntry::Manual, false, {kNoSecurity, kManualEntry}, {}},
    {Security::None, KeyEntry::Manual, true, {kNoSecurity, kManualEntry}, {}},
    {Security::Wep, KeyEntry::Passphrase, false, {kWep, kPassphraseEntry}, kWepPassphraseControls},
    {Security::Wep, KeyEntry::Passphrase, true, {kWep, kPassphraseEntry}, kWepPassphraseControls},
    {Security::Wep, KeyEntry::ShownKey, false, {kWep, kManualEntry}, kWepShownKeyControls},
    {Security::Wep, KeyEntry::ShownKey, true, {kWep, kManualEntry}, kWepShownKeyControls},
    {Security::Wep, KeyEntry::Manual, false, {kWep, kManualEntry}, kWepManualControls},
    {Security::Wep, KeyEntry::Manual, true, {kWep, kManualEntry}, kWepManualControls},
    // A WPA-PSK key always comes from a passphrase, whatever the entry mode was.
    {Security::WpaPsk,
     KeyEntry::Passphrase,
     false,
     {kWpaPsk, kPassphraseEntry},
     {kPassphraseLabel, kPassphrase}},
    {Security::WpaPsk,
     KeyEntry::Passphrase,
     true,
     {kWpaPsk, kPassphraseEntry},
     {kPassphraseLabel, kPassphrase, kAdvancedSecurity}},
    {Security::WpaPsk,
     KeyEntry::ShownKey,
     false,
     {kWpaPsk, kPassphraseEntry},
     {kPassphraseLabel, kPassphrase}},
    {Security::WpaPsk,
     KeyEntry::ShownKey,
     true,
     {kWpaPsk, kPassphraseEntry},
     {kPassphraseLabel, kPassphrase, kAdvancedSecurity}},
    {Security::WpaPsk,
     KeyEntry::Manual,
     false,
     {kWpaPsk, kPassphraseEntry},
     {kPassphraseLabel, kPassphrase}},
    {Security::WpaPsk,
     KeyEntry::Manual,
     true,
     {kWpaPsk, kPassphraseEntry},
     {kPassphraseLabel, kPassphrase, kAdvancedSecurity}},
};

TEST(SecurityControls, EveryChoiceEntryModeAndWpaAvailabilityChecksAndEnablesItsControls) {
  for (const Case& c : kCases) {
    const SecurityControls state = SecurityControlsFor(c.security, c.entry, c.wpaAvailable);
    const std::string label = "security " + std::to_string(static_cast<int>(c.security)) +
                              ", entry " + std::to_string(static_cast<int>(c.entry)) + ", WPA " +
                              std::to_string(c.wpaAvailable);
    EXPECT_EQ(OnOf(state.checked), c.checked) << label;
    EXPECT_EQ(OnOf(state.enabled), c.enabled) << label;
    EXPECT_EQ(state.manualEntryChecked(), c.checked.back() == kManualEntry) << label;
  }
}

TEST(SecurityControls, EachCheckedAndEnabledListNamesEveryControlOnce) {
  const SecurityControls state = SecurityControlsFor(Security::Wep, KeyEntry::Passphrase, true);
  Ids checked;
  for (const ControlState& s : state.checked)
    checked.push_back(s.id);
  EXPECT_EQ(checked, (Ids{kNoSecurity, kWep, kWpaPsk, kPassphraseEntry, kManualEntry}));
  Ids enabled;
  for (const ControlState& s : state.enabled)
    enabled.push_back(s.id);
  EXPECT_EQ(enabled, (Ids{kPassphraseEntry, kManualEntry, kPassphraseLabel, kPassphrase, kKeyNumber,
                          kKey, kGenerationSize, kManualSize, kAdvancedSecurity}));
}

}  // namespace
}  // namespace kestrel
