#pragma once
// Every port of the core over its fake, as one bundle: a test builds `CoreObjects` from
// `ports()` and scripts or reads the fakes by name.

#include "core/ports.h"
#include "fakes/fake_dot1x_library.h"
#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_system_ports.h"
#include "fakes/fake_user_prompt.h"

namespace kestrel::fakes {

struct FakePorts {
  FakeNdisLibrary ndis;
  FakeCompletionEvents events;
  FakeDeviceSetup devices;
  FakeRegistry registry;
  FakeIpHelper ipHelper;
  FakeFileInfo files;
  FakeGuidSource guids;
  FakeUserPrompt prompt;
  FakeDot1xLibrary dot1xLibrary;
  DiscardingDot1xDiagnostics dot1xDiagnostics;

  Ports ports() {
    return {ndis,  events, devices, registry,     ipHelper,
            files, guids,  prompt,  dot1xLibrary, dot1xDiagnostics};
  }
};

}  // namespace kestrel::fakes
