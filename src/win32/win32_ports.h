#pragma once
// Every real port, as one bundle: a program builds `CoreObjects` from `ports()` and takes
// the application shell's ports from here too.

#include "core/ports.h"
#include "dot1x/dot1x_client.h"
#include "win32/win32_device_setup.h"
#include "win32/win32_dot1x_library.h"
#include "win32/win32_guid_source.h"
#include "win32/win32_ndis_library.h"
#include "win32/win32_registry.h"
#include "win32/win32_shell_ports.h"
#include "win32/win32_system_ports.h"
#include "win32/win32_user_prompt.h"

namespace kestrel {

struct Win32Ports {
  Win32NdisLibrary ndis;
  Win32CompletionEvents events;
  Win32DeviceSetup devices;
  Win32Registry registry;
  Win32IpHelper ipHelper;
  Win32FileInfo files;
  Win32GuidSource guids;
  Win32UserPrompt prompt;
  Win32Dot1xLibrary dot1xLibrary;
  DiscardingDot1xDiagnostics dot1xDiagnostics;
  // The application shell's.
  Win32SystemVersion systemVersion;
  Win32ServiceManager services;
  Win32Clock clock;
  Win32LocalFiles localFiles;
  Win32ProcessStarter processes;

  Ports ports() { return ports(prompt, dot1xDiagnostics); }
  // With questions answered elsewhere (kestrelctl asks on the console) and the 802.1X
  // client's trace kept (an end-to-end check reads it).
  Ports ports(UserPrompt& questions, Dot1xDiagnostics& diagnostics) {
    return {ndis,  events, devices,   registry,     ipHelper,
            files, guids,  questions, dot1xLibrary, diagnostics};
  }
};

}  // namespace kestrel
