#include "ui/settings/security_controls.h"

#include "ui/settings/settings_controls.h"

namespace kestrel {

using namespace settings_controls;

bool SecurityControls::manualEntryChecked() const {
  for (const ControlState& radio : checked) {
    if (radio.id == kManualEntry)
      return radio.on;
  }
  return false;
}

SecurityControls SecurityControlsFor(Security security, KeyEntry entry, bool wpaAvailable) {
  const bool wep = security == Security::Wep;
  const bool wpa = security == Security::WpaPsk;
  // A WPA-PSK key is always made from a passphrase.
  const bool passphraseEntry = security == Security::WpaPsk || entry == KeyEntry::Passphrase;
  const bool typedPassphrase =
      security == Security::WpaPsk || (wep && entry == KeyEntry::Passphrase);
  const bool manualKey = wep && !passphraseEntry;
  return {
      {{
          {kNoSecurity, security == Security::None},
          {kWep, wep},
          {kWpaPsk, wpa},
          {kPassphraseEntry, passphraseEntry},
          {kManualEntry, !passphraseEntry},
      }},
      {{
          {kPassphraseEntry, wep},
          {kManualEntry, wep},
          {kPassphraseLabel, typedPassphrase || (wep && entry == KeyEntry::ShownKey)},
          {kPassphrase, typedPassphrase},
          {kKeyNumber, wep},
          {kKey, manualKey},
          {kGenerationSize, wep && passphraseEntry},
          {kManualSize, manualKey},
          {kAdvancedSecurity, wpa && wpaAvailable},
      }},
  };
}

}  // namespace kestrel
