#pragma once

#include "parameters/driver_parameters.h"
#include "platform/os_kind.h"
#include "shell/zero_config_control.h"

namespace kestrel {

// The once-asked question whether to take the adapter from the system's wireless service.
class ZeroConfigPrompt {
 public:
  virtual ~ZeroConfigPrompt() = default;
  // Modal; true for "はい", false for "いいえ" or a closed prompt.
  virtual bool askToDisableService() = 0;
};

struct ZeroConfigState {
  bool inControl = false;  // the service is taken to be in control: two pages only
  bool checked = false;    // process-wide: the prompt has had its one chance
};

// Handles the check message the tray monitor sends once per process on XP.
void HandleZeroConfigCheck(const SystemKind& system, DriverParameters& parameters,
                           ZeroConfigControl& control, ZeroConfigPrompt& prompt,
                           ZeroConfigState& state);

}  // namespace kestrel
