#pragma once

#include "dot1x/dot1x_client.h"
#include "shell/startup_checks.h"

namespace kestrel {

// The settings page offers WPA while the 802.1X client is bound to the card: bound by the
// last start-up check that read the card's MAC address (the tray program), or since then
// by the program itself (kestrelctl before a push, a preview).
bool Dot1xAvailable(const StartupResults& startup, const Dot1xClient& client);

}  // namespace kestrel
