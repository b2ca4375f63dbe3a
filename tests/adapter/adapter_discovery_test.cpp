#include "adapter/adapter_discovery.h"

#include <gtest/gtest.h>

#include "fakes/fake_ndis_library.h"
#include "fakes/fake_system_ports.h"

namespace kestrel {
namespace {

const std::string kModel = kModelDescription;
const std::string kDeviceName = "\\DEVICE\\{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}";

class PickAdapterTest : public ::testing::Test {
 protected:
  void listAdapter(const std::string& description, const std::string& device = kDeviceName) {
    library.adapters.push_back({description, device});
  }

  fakes::FakeNdisLibrary library;
  fakes::FakeDeviceSetup devices;
  SystemKind system;
  AdapterIdentity identity;
  AdapterDiscovery discovery{library, devices, system, identity};
};

TEST(ModelDescription, AcceptsASuffixOfUpToFourBytes) {
  EXPECT_TRUE(IsModelDescription(kModel));
  EXPECT_TRUE(IsModelDescription(kModel + " #2"));
  EXPECT_TRUE(IsModelDescription(kModel + " #22"));
  EXPECT_FALSE(IsModelDescription(kModel + " #222"));
  EXPECT_FALSE(IsModelDescription("Acme " + kModel));
  EXPECT_FALSE(IsModelDescription(kModel.substr(0, kModel.size() - 1)));
  EXPECT_FALSE(IsModelDescription("kestrel LX740N QX-7+ Wireless PC Card"));
}

TEST_F(PickAdapterTest, TakesTheFirstMatchAndItsGuid) {
  listAdapter("Realtek RTL8139", "\\DEVICE\\{00000000-0000-0000-0000-000000000000}");
  listAdapter(kModel + " #2");
  listAdapter(kModel, "\\DEVICE\\{11111111-0000-0000-0000-000000000000}");

  ASSERT_TRUE(discovery.PickAdapter());
  EXPECT_TRUE(identity.current.valid);
  EXPECT_EQ(identity.current.description, kModel + " #2");
  EXPECT_EQ(identity.current.deviceName, kDeviceName);
  EXPECT_EQ(identity.interfaceGuid, "{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}");
  EXPECT_EQ(library.enumValue, 1u);
  EXPECT_EQ(library.openEnumerations, 0);
  EXPECT_EQ(library.liveEntries, 0);
}

TEST_F(PickAdapterTest, ReportsFalseWhenNothingMatchesOrThereIsNoList) {
  listAdapter(kModel + " #222");
  listAdapter("Intel " + kModel);
  EXPECT_FALSE(discovery.PickAdapter());
  EXPECT_FALSE(identity.current.valid);
  EXPECT_EQ(library.openEnumerations, 0);
  EXPECT_EQ(library.liveEntries, 0);

  library.enumerationFails = true;
  EXPECT_FALSE(discovery.PickAdapter());
}

TEST_F(PickAdapterTest, AnUnreadableEntryIsSkipped) {
  library.adapters.push_back({kModel, kDeviceName, false});
  listAdapter(kModel, "\\DEVICE\\{22222222-0000-0000-0000-000000000000}");
  ASSERT_TRUE(discovery.PickAdapter());
  EXPECT_EQ(identity.interfaceGuid, "{22222222-0000-0000-0000-000000000000}");
}

TEST_F(PickAdapterTest, OffersTwoHundredSixtyByteBuffersAndCutsOverlongTexts) {
  listAdapter(kModel, std::string(400, 'D'));
  ASSERT_TRUE(discovery.PickAdapter());
  for (std::uint32_t size : library.textSizesOffered)
    EXPECT_EQ(size, 260u);
  EXPECT_EQ(identity.current.deviceName, std::string(259, 'D'));
}

TEST_F(PickAdapterTest, AShortDeviceNameGivesTheWholeNameAsGuid) {
  listAdapter(kModel, "{short}");
  ASSERT_TRUE(discovery.PickAdapter());
  EXPECT_EQ(identity.interfaceGuid, "{short}");
}

TEST_F(PickAdapterTest, OnWindows98TheFirstTwentyOneMatchesLeaveTheAdapterEmpty) {
  system.os = OsKind::Win98;
  listAdapter(kModel);
  for (int call = 1; call <= 21; ++call) {
    ASSERT_TRUE(discovery.PickAdapter()) << call;
    ASSERT_FALSE(identity.current.valid) << call;
  }
  ASSERT_TRUE(discovery.PickAdapter());
  EXPECT_TRUE(identity.current.valid);
  EXPECT_EQ(identity.win98SkipCount, 21);
  EXPECT_EQ(library.liveEntries, 0);
}

TEST_F(PickAdapterTest, OtherSystemsTakeTheAdapterAtOnce) {
  for (OsKind os : {OsKind::Xp, OsKind::Win2000, OsKind::Nt4, OsKind::Win95, OsKind::Me}) {
    identity = AdapterIdentity{};
    system.os = os;
    library.adapters = {{kModel, kDeviceName}};
    ASSERT_TRUE(discovery.PickAdapter());
    EXPECT_TRUE(identity.current.valid) << static_cast<int>(os);
  }
}

class FindAdapterDeviceTest : public PickAdapterTest {};

TEST_F(FindAdapterDeviceTest, MatchesTheHardwareIdAtTheStartAndStoresTheDriverKey) {
  devices.devices = {
      {"PCI\\VEN_10EC&DEV_8139\\3&61AAA01&0&58", "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0000"},
      {"ROOT\\X\\PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D\\1", "{...}\\0001"},
      {"PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D&REV_01\\4&1A2B", "{4D36E972}\\0007"},
  };
  ASSERT_TRUE(discovery.FindAdapterDevice());
  EXPECT_EQ(identity.driverKey, "{4D36E972}\\0007");
  EXPECT_EQ(devices.liveLists, 0);
}

TEST_F(FindAdapterDeviceTest, IsCaseSensitiveAndFalseWithoutAMatchOrList) {
  devices.devices = {{"pci\\ven_168c&dev_0013&subsys_5c3b2e9d\\1", "{x}\\0001"}};
  EXPECT_FALSE(discovery.FindAdapterDevice());
  EXPECT_TRUE(identity.driverKey.empty());
  devices.listFails = true;
  EXPECT_FALSE(discovery.FindAdapterDevice());
}

TEST_F(FindAdapterDeviceTest, ReadsTheDriverKeyOnlyOnXpAnd2000) {
  devices.devices = {{"PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D\\1", "{x}\\0003"}};
  system.os = OsKind::Win98;
  ASSERT_TRUE(discovery.FindAdapterDevice());
  EXPECT_TRUE(devices.driverKeyReads.empty());
  EXPECT_TRUE(identity.driverKey.empty());

  system.os = OsKind::Win2000;
  ASSERT_TRUE(discovery.FindAdapterDevice());
  EXPECT_EQ(identity.driverKey, "{x}\\0003");
}

}  // namespace
}  // namespace kestrel
