#pragma once
// The core objects over the real ports, for the programs that host a page or the sheet on
// their own (previews, end-to-end tests) against whatever adapter the machine has.

#include "core/core_objects.h"
#include "win32/win32_ports.h"

namespace kestrel {

struct RealMachine {
  Win32Ports ports;
  CoreObjects core{ports.ports()};
  AppServices& services = core.services;
  const bool& adapterPresent = core.adapterPresent;

  // Finds the adapter as start-up does; with `openDot1x` the 802.1X client too.
  explicit RealMachine(bool openDot1x) {
    core.adapterPresent = core.discovery.PickAdapter();
    if (core.adapterPresent)
      core.discovery.FindAdapterDevice();
    if (openDot1x)
      core.bindDot1xClient();
  }
};

}  // namespace kestrel
