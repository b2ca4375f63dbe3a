#pragma once
// Which controls of the settings page's security group are checked and enabled, decided
// from the security choice, the key entry mode and whether WPA is available.

#include <array>

#include "platform/control_surface.h"

namespace kestrel {

// The security radios' choice.
enum class Security { None, Wep, WpaPsk };

// How WEP keys are entered. Manual entry shown because a key is already in the key edit
// keeps the passphrase label enabled; manual entry chosen on its radio greys it with the
// passphrase edit.
enum class KeyEntry { Passphrase, ShownKey, Manual };

struct ControlState {
  ControlId id;
  bool on;
};

struct SecurityControls {
  std::array<ControlState, 5> checked;  // the three security and the two entry radios
  std::array<ControlState, 9> enabled;  // the entry radios, the edits, lists and labels
  bool manualEntryChecked() const;
};

SecurityControls SecurityControlsFor(Security security, KeyEntry entry, bool wpaAvailable);

}  // namespace kestrel
