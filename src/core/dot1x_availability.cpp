#include "core/dot1x_availability.h"

namespace kestrel {

bool Dot1xAvailable(const StartupResults& startup, const Dot1xClient& client) {
  return startup.dot1xAvailable || client.dot1xAvailable();
}

}  // namespace kestrel
