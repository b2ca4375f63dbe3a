#pragma once
// What the advanced settings and ad hoc dialogs ask of the rest of the program.

#include "adapter/adapter.h"
#include "parameters/driver_parameters.h"
#include "platform/os_kind.h"
#include "platform/user_prompt.h"
#include "ui/app_services.h"

namespace kestrel {

struct DialogServices {
  Adapter& adapter;              // the country code
  DriverParameters& parameters;  // "DriverDesc" and "ccode"
  const SystemKind& system;      // the service-pack rules
  UserPrompt& prompt;
};

inline DialogServices DialogServicesOf(AppServices& services) {
  return {services.adapter, services.parameters, services.system, services.prompt};
}

}  // namespace kestrel
