#pragma once
// One process's worth of shell objects over the fakes: an adapter the request library
// lists, its device and driver parameters key, the profile store, the 802.1X library.

#include <gtest/gtest.h>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "adapter/driver_version.h"
#include "fakes/fake_dot1x_library.h"
#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell_ports.h"
#include "fakes/fake_system_ports.h"
#include "fakes/fake_user_prompt.h"
#include "parameters/driver_parameters.h"
#include "platform/registry_key.h"
#include "profiles/profile_store.h"
#include "shell/startup_checks.h"

namespace kestrel::testing {

inline constexpr char kProgramPath[] = "C:\\Program Files\\KESTREL\\corvusap.exe";
inline constexpr char kOemPath[] = "C:\\Program Files\\KESTREL\\oem.tmp";
inline constexpr char kCompanionPath[] = "C:\\Program Files\\KESTREL\\QMVXlink.exe";
inline constexpr char kGuid[] = "{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}";
inline constexpr char kParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";

class ShellFixture : public ::testing::Test {
 protected:
  ShellFixture() {
    ndis.adapters = {{kModelDescription, std::string("\\DEVICE\\") + kGuid}};
    devices.devices = {{std::string(kHardwareIdPrefix) + "\\4&1A2B3C4D&0&00F0",
                        "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042"}};
    registry.putKey(RegistryHive::LocalMachine, kParameters);
    ndis.answers[oid::k8023CurrentAddress] = {0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};
    ndis.answerWord(oid::kGenHardwareStatus, 0);
    ndis.answerWord(oid::kVndPreambleGet, 1);
    guids.texts = {"6f1c2a9e-0d3b-4c55-9a71-2b8e4f60d7c3"};
  }

  void setParameter(const char* name, const std::string& text) {
    registry.putValue(RegistryHive::LocalMachine, kParameters, name,
                      RegistryStringValue(text, true));
  }
  std::string parameter(const char* name) const {
    const RegistryValue* value = registry.value(RegistryHive::LocalMachine, kParameters, name);
    return value != nullptr ? RegistryValueText(*value) : "(none)";
  }
  bool hasProfile(const std::string& name) const {
    return registry.hasKey(RegistryHive::LocalMachine,
                           std::string(kParameters) + "\\CustomParams\\Configurations\\" + name);
  }
  // Sets of the OID since the last call to `forgetRequests`.
  int setsOf(std::uint32_t oidNumber) const {
    int count = 0;
    for (const auto& request : ndis.requests) {
      if (request.oid == oidNumber && request.type == kNdisSetInformation)
        ++count;
    }
    return count;
  }

  fakes::FakeRegistry registry;
  fakes::FakeNdisLibrary ndis;
  fakes::FakeCompletionEvents events;
  fakes::FakeDeviceSetup devices;
  fakes::FakeFileInfo fileInfo;
  fakes::FakeDot1xLibrary dot1xLibrary;
  fakes::FakeGuidSource guids;
  fakes::FakeUserPrompt prompt;
  fakes::FakeLocalFiles files;
  fakes::FakeProcessStarter processes;
  fakes::FakeClock clock;
  DiscardingDot1xDiagnostics diagnostics;
  Dot1xClient dot1x{dot1xLibrary, diagnostics};
  SystemKind system;
  AdapterIdentity identity;
  bool channelOpened = false;
  bool adapterPresent = false;
  ProfileRecords records;
  std::string programPath = kProgramPath;
  AdapterDiscovery discovery{ndis, devices, system, identity};
  Adapter adapter{ndis, events, channelOpened, identity.current};
  DriverParameters parameters{ndis, registry, system, identity};
  DriverVersion driverVersion{parameters, registry, fileInfo, system};
  CardConfigId cardConfigId{parameters, guids};
  ProfileStore store{registry, parameters, cardConfigId, prompt, system, records.list};
  StartupResults results;
  StartupChecks checks{{system, discovery, adapter, dot1x, parameters, driverVersion, registry,
                        store, records, files, processes, clock, programPath},
                       results};
};

}  // namespace kestrel::testing
