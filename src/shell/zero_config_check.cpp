#include "shell/zero_config_check.h"

namespace kestrel {

void HandleZeroConfigCheck(const SystemKind& system, DriverParameters& parameters,
                           ZeroConfigControl& control, ZeroConfigPrompt& prompt,
                           ZeroConfigState& state) {
  if (system.os != OsKind::Xp) {
    state.inControl = false;
    return;
  }
  std::string messageShow;
  parameters.ReadDriverParameter("MessageShow", messageShow);
  if (!control.IsZeroConfigActive()) {
    state.inControl = false;
    return;
  }
  if (!messageShow.empty() && messageShow != "0") {
    state.inControl = true;
    return;
  }
  if (state.checked)
    return;

  state.checked = true;
  const bool yes = prompt.askToDisableService();
  parameters.WriteDriverParameter("MessageShow", "1");
  parameters.WriteDriverParameter("CheckZeroConfig", yes ? "1" : "0");

  std::string checkZeroConfig;
  parameters.ReadDriverParameter("CheckZeroConfig", checkZeroConfig);
  state.inControl = checkZeroConfig == "1" ? control.SetZeroConfigControl(false) : true;
}

}  // namespace kestrel
