#include "ui/pages/page_common.h"

#include "parameters/driver_parameters.h"

namespace kestrel {

void FillAdapterChoice(ControlSurface& controls, DriverParameters& parameters) {
  controls.clearList(kAdapterChoiceId);
  std::string description;
  if (!parameters.ReadDriverParameter("DriverDesc", description))
    return;
  controls.selectListItem(kAdapterChoiceId, controls.addListItem(kAdapterChoiceId, description));
}

bool SwallowsKey(std::string_view swallowedLetters, const PageKey& key) {
  if (!key.altDown || key.virtualKey > 0x7F)
    return false;
  return swallowedLetters.find(static_cast<char>(key.virtualKey)) != std::string_view::npos;
}

}  // namespace kestrel
