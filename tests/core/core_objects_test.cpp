// The core objects over the fake ports: the pages' bundle sees what the start-up checks and
// the programs learn later, and the one rule for offering WPA.
#include "core/core_objects.h"

#include <gtest/gtest.h>

#include "adapter/oids.h"
#include "core/dot1x_availability.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_shell_ports.h"

namespace kestrel {
namespace {

constexpr MacAddress kMac = {0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};
constexpr char kDriverKey[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";
constexpr char kParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";

class CoreObjectsTest : public ::testing::Test, protected fakes::FakePorts {
 protected:
  CoreObjectsTest() {
    ndis.adapters = {{kModelDescription, "\\DEVICE\\{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}"}};
    devices.devices = {{std::string(kHardwareIdPrefix) + "\\4&1A2B3C4D&0&00F0", kDriverKey}};
    registry.putKey(RegistryHive::LocalMachine, kParameters);
    ndis.answerWord(oid::kVndPreambleGet, 1);
    guids.texts = {"6f1c2a9e-0d3b-4c55-9a71-2b8e4f60d7c3"};
  }
  void cardAnswersItsMac() { ndis.answers[oid::k8023CurrentAddress] = {kMac.begin(), kMac.end()}; }
  void clientListsTheCard() { dot1xLibrary.adapters = {{kMac}}; }

  // The start-up checks over the core objects, as the application runs them.
  bool runStartupChecks() {
    core.adapterPresent = core.discovery.PickAdapter();
    StartupChecks checks(
        {core.system, core.discovery, core.adapter, core.dot1x, core.parameters, core.driverVersion,
         registry, core.store, core.records, localFiles, processes, clock, programPath},
        core.startup);
    return checks.RunStartupChecks();
  }

  fakes::FakeLocalFiles localFiles;
  fakes::FakeProcessStarter processes;
  fakes::FakeClock clock;
  std::string programPath = "C:\\Program Files\\KESTREL\\corvusap.exe";
  CoreObjects core{ports()};
};

TEST_F(CoreObjectsTest, WpaIsOfferedOnceTheStartUpChecksBindTheClientToTheCard) {
  cardAnswersItsMac();
  clientListsTheCard();
  EXPECT_FALSE(core.services.dot1xAvailable());
  ASSERT_TRUE(runStartupChecks());
  EXPECT_TRUE(core.startup.dot1xAvailable);
  EXPECT_TRUE(core.services.dot1xAvailable());
}

TEST_F(CoreObjectsTest, WpaIsNotOfferedWhenTheClientDoesNotListTheCard) {
  cardAnswersItsMac();
  dot1xLibrary.adapters = {{{1, 2, 3, 4, 5, 6}}};
  ASSERT_TRUE(runStartupChecks());
  EXPECT_FALSE(core.services.dot1xAvailable());
}

TEST_F(CoreObjectsTest, WpaIsNotOfferedWhenTheClientLibraryIsMissing) {
  cardAnswersItsMac();
  clientListsTheCard();
  dot1xLibrary.loadFailure = Dot1xLoadFailure::Kind::LibraryNotFound;
  ASSERT_TRUE(runStartupChecks());
  EXPECT_FALSE(core.services.dot1xAvailable());
}

TEST_F(CoreObjectsTest, AProgramWithoutStartUpChecksBindsTheClientItself) {
  cardAnswersItsMac();
  clientListsTheCard();
  EXPECT_TRUE(core.bindDot1xClient());
  EXPECT_FALSE(core.startup.dot1xAvailable);
  EXPECT_TRUE(core.services.dot1xAvailable());
}

TEST_F(CoreObjectsTest, NoBindingIsTriedWhileTheCardDoesNotAnswerItsMac) {
  clientListsTheCard();
  EXPECT_FALSE(core.bindDot1xClient());
  EXPECT_EQ(dot1xLibrary.loads, 0);
  EXPECT_FALSE(core.services.dot1xAvailable());
}

// Each input of the rule on its own.
TEST_F(CoreObjectsTest, Dot1xAvailableFollowsEitherBinding) {
  Dot1xClient unbound(dot1xLibrary, dot1xDiagnostics);
  Dot1xClient bound(dot1xLibrary, dot1xDiagnostics);
  clientListsTheCard();
  ASSERT_TRUE(bound.Open(kMac));
  StartupResults foundByStartUp;
  foundByStartUp.dot1xAvailable = true;
  const StartupResults notFound;

  EXPECT_FALSE(Dot1xAvailable(notFound, unbound));
  EXPECT_TRUE(Dot1xAvailable(foundByStartUp, unbound));
  EXPECT_TRUE(Dot1xAvailable(notFound, bound));
  EXPECT_TRUE(Dot1xAvailable(foundByStartUp, bound));
}

// The pages hold the bundle for the life of the process; what is learnt later reaches them.
TEST_F(CoreObjectsTest, ThePagesBundleSeesTheFlagsAsTheyChange) {
  AppServices& services = core.services;
  EXPECT_FALSE(services.adapterPresent);
  EXPECT_FALSE(services.zeroConfigInControl);
  core.adapterPresent = true;
  core.zeroConfig.inControl = true;
  core.startup.dot1xAvailable = true;
  EXPECT_TRUE(services.adapterPresent);
  EXPECT_TRUE(services.zeroConfigInControl);
  EXPECT_TRUE(services.dot1xAvailable());
  core.startup.dot1xAvailable = false;
  EXPECT_FALSE(services.dot1xAvailable());
}

// The store writes beneath the key of the card the discovery found.
TEST_F(CoreObjectsTest, TheStoreWritesBeneathTheDiscoveredCardsKey) {
  cardAnswersItsMac();
  ASSERT_TRUE(core.discovery.PickAdapter());
  ASSERT_TRUE(core.discovery.FindAdapterDevice());
  core.adapterPresent = true;
  WirelessProfile profile;
  profile.NetworkName = "KESTREL_HOME";
  ASSERT_TRUE(core.store.SaveProfile(profile, "Home"));
  EXPECT_TRUE(registry.hasKey(RegistryHive::LocalMachine,
                              std::string(kParameters) + "\\CustomParams\\Configurations\\Home"));
}

}  // namespace
}  // namespace kestrel
