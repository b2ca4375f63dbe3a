#pragma once
// The applied profile mirrored into the driver's own parameter values.

#include "parameters/driver_parameters.h"
#include "platform/os_kind.h"
#include "platform/registry.h"
#include "profiles/card_config_id.h"
#include "profiles/wireless_profile.h"

namespace kestrel {

class DriverParameterMirror {
 public:
  // `adapterFoundAtStart` is the result of the adapter check run when the application
  // started; without an adapter nothing is written.
  DriverParameterMirror(Registry& registry, DriverParameters& parameters,
                        CardConfigId& cardConfigId, const SystemKind& system,
                        const bool& adapterFoundAtStart);

  // Writes the values in the driver's order, stopping at the first failed write (values
  // already written stay). Upper-cases the record's WEP keys.
  bool WriteDriverParameters(WirelessProfile& profile);

 private:
  Registry& registry_;
  DriverParameters& parameters_;
  CardConfigId& cardConfigId_;
  const SystemKind& system_;
  const bool& adapterFoundAtStart_;
};

}  // namespace kestrel
