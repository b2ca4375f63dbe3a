#pragma once

namespace kestrel {

// What the advanced settings dialog's OK asks of the settings page's network-type radios.
enum class NetworkTypeEffect {
  Unchanged,
  // Ad hoc radio disabled and unchecked, infrastructure checked: the modes left allow no
  // ad hoc network.
  ForceInfrastructure,
  EnableAdHoc,
};

}  // namespace kestrel
