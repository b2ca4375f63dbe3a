#include <gtest/gtest.h>

#include "adapter/byte_order.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell_ports.h"
#include "platform/registry_key.h"
#include "shell/zero_config_check.h"
#include "shell/zero_config_control.h"

namespace kestrel {
namespace {

const std::string kGuid = "{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}";
const std::string kFlagsKey = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\" + kGuid;
constexpr char kParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

RegistryValue Dword(std::uint32_t value) {
  RegistryValue result{RegistryType::Dword, std::vector<std::uint8_t>(4)};
  WriteLe32(result.data.data(), value);
  return result;
}

class ScriptedPrompt : public ZeroConfigPrompt {
 public:
  bool answer = true;
  int asked = 0;
  bool askToDisableService() override {
    ++asked;
    return answer;
  }
};

class ZeroConfigTest : public ::testing::Test {
 protected:
  ZeroConfigTest() {
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
    registry.putKey(RegistryHive::LocalMachine, kParameters);
  }
  void setFlags(std::uint32_t flags) {
    registry.putValue(RegistryHive::LocalMachine, kFlagsKey, "ControlFlags", Dword(flags));
  }
  std::uint32_t flags() {
    const RegistryValue* value =
        registry.value(RegistryHive::LocalMachine, kFlagsKey, "ControlFlags");
    return value != nullptr ? ReadLe32(value->data.data()) : 0xDEADBEEF;
  }
  std::string parameter(const char* name) {
    const RegistryValue* value = registry.value(RegistryHive::LocalMachine, kParameters, name);
    return value != nullptr ? RegistryValueText(*value) : "(none)";
  }
  void check() { HandleZeroConfigCheck(system, parameters, control, prompt, state); }

  fakes::FakeServiceManager services;
  fakes::FakeRegistry registry;
  fakes::FakeClock clock;
  fakes::FakeNdisLibrary library;
  SystemKind system;
  AdapterIdentity identity;
  DriverParameters parameters{library, registry, system, identity};
  ZeroConfigControl control{services, registry, clock, kGuid};
  ScriptedPrompt prompt;
  ZeroConfigState state;
};

TEST_F(ZeroConfigTest, ActiveNeedsARunningServiceThatManagesTheInterface) {
  setFlags(0x8002);
  EXPECT_TRUE(control.IsZeroConfigActive());
  setFlags(0x0002);
  EXPECT_FALSE(control.IsZeroConfigActive());
  services.states = {ServiceState::Stopped};
  setFlags(0x8002);
  EXPECT_FALSE(control.IsZeroConfigActive());
  EXPECT_EQ(services.liveSessions, 0);
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(ZeroConfigTest, UnreadableControlFlagsCountAsManaged) {
  EXPECT_TRUE(control.IsZeroConfigActive());  // no value at all
  registry.putValue(RegistryHive::LocalMachine, kFlagsKey, "ControlFlags",
                    RegistryValue{RegistryType::String, {'1', 0}});
  EXPECT_TRUE(control.IsZeroConfigActive());
  registry.putValue(RegistryHive::LocalMachine, kFlagsKey, "ControlFlags",
                    RegistryValue{RegistryType::Binary, {0, 0}});
  EXPECT_TRUE(control.IsZeroConfigActive());
}

TEST_F(ZeroConfigTest, AServiceThatIsNotInstalledIsNeverActive) {
  services.installed = false;
  setFlags(0x8002);
  EXPECT_FALSE(control.IsZeroConfigActive());
  EXPECT_FALSE(control.SetZeroConfigControl(false));
}

TEST_F(ZeroConfigTest, GivingUpControlWithBitOneSetReportsFalse) {
  setFlags(0x8002);
  EXPECT_FALSE(control.SetZeroConfigControl(false));
  EXPECT_EQ(flags(), 0x0002u);
  EXPECT_EQ(services.stopsSent, 1);
  EXPECT_EQ(services.starts, 1);
  EXPECT_EQ(services.rightsAsked.back(), ServiceRights::QueryStartStop);
  EXPECT_EQ(services.liveSessions, 0);
}

TEST_F(ZeroConfigTest, GivingUpControlWithoutBitOneReportsTheServiceStillInControl) {
  setFlags(0x8001);
  EXPECT_TRUE(control.SetZeroConfigControl(false));
  EXPECT_EQ(flags(), 0x0001u);
}

TEST_F(ZeroConfigTest, ResultNeedsTheServiceToHaveBeenRunning) {
  setFlags(0x8001);
  services.states = {ServiceState::Stopped};
  EXPECT_FALSE(control.SetZeroConfigControl(false));
  EXPECT_EQ(services.stopsSent, 0);
  EXPECT_EQ(flags(), 0x0001u);  // still written, and the service started again
  EXPECT_EQ(services.starts, 1);

  setFlags(0x0003);
  EXPECT_TRUE(control.SetZeroConfigControl(true));
  EXPECT_EQ(flags(), 0x8003u);
}

TEST_F(ZeroConfigTest, WithoutControlFlagsTheServiceIsLeftStopped) {
  EXPECT_TRUE(control.SetZeroConfigControl(false));
  EXPECT_EQ(services.stopsSent, 1);
  EXPECT_EQ(services.starts, 0);
}

TEST_F(ZeroConfigTest, WithoutControlFlagsTheResultStillNeedsARunningService) {
  services.states = {ServiceState::Stopped};
  EXPECT_FALSE(control.SetZeroConfigControl(false));
  EXPECT_EQ(services.starts, 0);
}

TEST_F(ZeroConfigTest, StopAndWaitPollsEveryHalfSecond) {
  auto session = services.openService("WZCSVC", ServiceRights::QueryStartStop);
  services.stateAfterStop = ServiceState::Stopped;
  EXPECT_EQ(StopServiceAndWait(*session, clock, 30000), 0u);
  EXPECT_EQ(services.stopsSent, 1);
  EXPECT_EQ(clock.slept, 1000u);  // stop-pending once, then stopped
}

TEST_F(ZeroConfigTest, StopAndWaitGivesUpAfterTheTimeout) {
  auto session = services.openService("WZCSVC", ServiceRights::QueryStartStop);
  services.stateAfterStop = ServiceState::StopPending;
  EXPECT_EQ(StopServiceAndWait(*session, clock, 30000), 1460u);
  EXPECT_GT(clock.slept, 30000u);
  EXPECT_LE(clock.slept, 30500u);
}

TEST_F(ZeroConfigTest, StopAndWaitOnAServiceAlreadyStoppingDoesNotSendStop) {
  auto session = services.openService("WZCSVC", ServiceRights::QueryStartStop);
  services.states = {ServiceState::StopPending, ServiceState::StopPending, ServiceState::Stopped};
  EXPECT_EQ(StopServiceAndWait(*session, clock, 30000), 0u);
  EXPECT_EQ(services.stopsSent, 0);

  services.states = {ServiceState::Stopped};
  EXPECT_EQ(StopServiceAndWait(*session, clock, 30000), 0u);
}

TEST_F(ZeroConfigTest, StopAndWaitReportsSystemErrors) {
  auto session = services.openService("WZCSVC", ServiceRights::QueryStartStop);
  services.stopFails = true;
  EXPECT_EQ(StopServiceAndWait(*session, clock, 30000), 1052u);
  services.queryFails = true;
  EXPECT_EQ(StopServiceAndWait(*session, clock, 30000), 5u);
}

TEST_F(ZeroConfigTest, CheckOutsideXpLeavesTheUtilityInControl) {
  system.os = OsKind::Win2000;
  setFlags(0x8002);
  state.inControl = true;
  check();
  EXPECT_FALSE(state.inControl);
  EXPECT_EQ(prompt.asked, 0);
}

TEST_F(ZeroConfigTest, AnsweringYesTakesTheAdapterFromTheService) {
  setFlags(0x8002);
  check();
  EXPECT_EQ(prompt.asked, 1);
  EXPECT_TRUE(state.checked);
  EXPECT_EQ(parameter("MessageShow"), "1");
  EXPECT_EQ(parameter("CheckZeroConfig"), "1");
  EXPECT_FALSE(state.inControl);  // four pages
  EXPECT_EQ(flags(), 0x0002u);
}

TEST_F(ZeroConfigTest, AnsweringNoLeavesTheServiceInControlAndIsRemembered) {
  setFlags(0x8002);
  prompt.answer = false;
  check();
  EXPECT_EQ(parameter("CheckZeroConfig"), "0");
  EXPECT_TRUE(state.inControl);
  EXPECT_EQ(flags(), 0x8002u);

  // The next process: asked before, so no prompt and the service keeps control.
  ZeroConfigState next;
  HandleZeroConfigCheck(system, parameters, control, prompt, next);
  EXPECT_EQ(prompt.asked, 1);
  EXPECT_TRUE(next.inControl);
}

TEST_F(ZeroConfigTest, AMessageShowOfZeroOrEmptyIsNotAnAnswer) {
  for (const char* recorded : {"0", ""}) {
    setFlags(0x8002);
    registry.putValue(RegistryHive::LocalMachine, kParameters, "MessageShow",
                      RegistryStringValue(recorded, true));
    ZeroConfigState fresh;
    prompt.asked = 0;
    HandleZeroConfigCheck(system, parameters, control, prompt, fresh);
    EXPECT_EQ(prompt.asked, 1) << '"' << recorded << '"';
    EXPECT_EQ(parameter("MessageShow"), "1");
    EXPECT_FALSE(fresh.inControl);
  }
}

TEST_F(ZeroConfigTest, ThePromptIsShownAtMostOncePerProcess) {
  setFlags(0x8002);
  registry.failWriteNumber = 1;  // the answer cannot be stored
  prompt.answer = false;
  check();
  check();
  EXPECT_EQ(prompt.asked, 1);
}

TEST_F(ZeroConfigTest, AnInactiveServiceNeverAsks) {
  services.installed = false;
  state.inControl = true;
  check();
  EXPECT_FALSE(state.inControl);
  EXPECT_EQ(prompt.asked, 0);
  EXPECT_EQ(parameter("MessageShow"), "(none)");
}

}  // namespace
}  // namespace kestrel
