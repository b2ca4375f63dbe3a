#pragma once
// The outside things the core objects reach, as one record of references. A program hands
// in its real ones (win32/win32_ports.h), a test the fakes (tests/fakes/fake_ports.h). A new
// port the core needs is added here, to both bundles, and passed on in core_objects.cpp.

#include "dot1x/dot1x_client.h"
#include "platform/device_setup.h"
#include "platform/dot1x_library.h"
#include "platform/file_info.h"
#include "platform/guid_source.h"
#include "platform/ip_helper.h"
#include "platform/ndis_request_library.h"
#include "platform/registry.h"
#include "platform/user_prompt.h"

namespace kestrel {

struct Ports {
  NdisRequestLibrary& ndis;
  CompletionEvents& events;
  DeviceSetup& devices;
  Registry& registry;
  IpHelper& ipHelper;
  FileInfo& files;
  GuidSource& guids;
  UserPrompt& prompt;
  Dot1xLibrary& dot1xLibrary;
  Dot1xDiagnostics& dot1xDiagnostics;
};

}  // namespace kestrel
