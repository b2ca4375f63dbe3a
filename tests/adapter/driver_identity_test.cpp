// Driver parameters path and values, driver version and date, IP address text.
#include <gtest/gtest.h>

#include "adapter/driver_version.h"
#include "adapter/ip_address.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_system_ports.h"
#include "parameters/driver_parameters.h"
#include "platform/registry_key.h"

namespace kestrel {
namespace {

constexpr char kClassKey[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kXpParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class DriverIdentityTest : public ::testing::Test {
 protected:
  DriverIdentityTest() {
    identity.current.deviceName = "{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}";
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
  }

  fakes::FakeNdisLibrary library;
  fakes::FakeRegistry registry;
  fakes::FakeFileInfo files;
  SystemKind system;
  AdapterIdentity identity;
  DriverParameters parameters{library, registry, system, identity};
  DriverVersion version{parameters, registry, files, system};
};

TEST_F(DriverIdentityTest, ParametersPathFollowsTheOperatingSystem) {
  system.os = OsKind::Xp;
  EXPECT_EQ(parameters.GetDriverParametersPath(), kXpParameters);
  system.os = OsKind::Win2000;
  EXPECT_EQ(parameters.GetDriverParametersPath(), kXpParameters);
  system.os = OsKind::Nt4;
  EXPECT_EQ(parameters.GetDriverParametersPath(),
            "System\\CurrentControlSet\\Services\\{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}"
            "\\Parameters\\");
  for (OsKind os : {OsKind::Win95, OsKind::Win98, OsKind::Me}) {
    system.os = os;
    EXPECT_EQ(parameters.GetDriverParametersPath(),
              std::string(kClassKey) + "\\{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}");
  }
}

TEST_F(DriverIdentityTest, ParametersPathIsRecomputedFromTheCurrentIdentity) {
  identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0012";
  EXPECT_EQ(parameters.GetDriverParametersPath(), std::string(kClassKey) + "\\0012");
  identity.driverKey = "12";  // shorter than an instance number: taken whole
  EXPECT_EQ(parameters.GetDriverParametersPath(), std::string(kClassKey) + "\\12");
}

TEST_F(DriverIdentityTest, WritesStringsWithoutTheTerminatingNul) {
  registry.putKey(RegistryHive::LocalMachine, kXpParameters);
  ASSERT_TRUE(parameters.WriteDriverParameter("ccode", "JP"));
  const RegistryValue* stored = registry.value(RegistryHive::LocalMachine, kXpParameters, "ccode");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->type, RegistryType::String);
  EXPECT_EQ(stored->data, std::vector<std::uint8_t>({'J', 'P'}));
  EXPECT_EQ(registry.openHandles(), 0);

  std::string back;
  ASSERT_TRUE(parameters.ReadDriverParameter("ccode", back));
  EXPECT_EQ(back, "JP");
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(DriverIdentityTest, AMissingKeyOrValueLeavesTheCallersTextAlone) {
  std::string text = "unchanged";
  EXPECT_FALSE(parameters.ReadDriverParameter("ccode", text));
  EXPECT_FALSE(parameters.WriteDriverParameter("ccode", "JP"));
  registry.putKey(RegistryHive::LocalMachine, kXpParameters);
  EXPECT_FALSE(parameters.ReadDriverParameter("ccode", text));
  EXPECT_EQ(text, "unchanged");
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(DriverIdentityTest, ValuesLargerThanTheBufferAreRefusedAndNulsEndTheText) {
  registry.putValue(RegistryHive::LocalMachine, kXpParameters, "Big",
                    RegistryStringValue(std::string(1024, 'x'), true));
  registry.putValue(RegistryHive::LocalMachine, kXpParameters, "Embedded",
                    RegistryValue{RegistryType::String, {'a', 'b', 0, 'c'}});
  std::string text = "unchanged";
  EXPECT_FALSE(parameters.ReadDriverParameter("Big", text));
  EXPECT_EQ(text, "unchanged");
  ASSERT_TRUE(parameters.ReadDriverParameter("Embedded", text));
  EXPECT_EQ(text, "ab");
}

TEST_F(DriverIdentityTest, AFailedWriteIsReported) {
  registry.putKey(RegistryHive::LocalMachine, kXpParameters);
  registry.failWriteNumber = 1;
  EXPECT_FALSE(parameters.WriteDriverParameter("ccode", "JP"));
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(DriverIdentityTest, OpenKeyToEveryoneSetsANullDaclAndIgnoresMissingKeys) {
  registry.putKey(RegistryHive::LocalMachine, "SYSTEM\\A");
  OpenKeyToEveryone(registry, "SYSTEM\\A");
  OpenKeyToEveryone(registry, "SYSTEM\\Missing");
  EXPECT_EQ(registry.nullDaclKeys, std::vector<std::string>({"hklm\\system\\a"}));
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(DriverIdentityTest, XpReadsTheImagePathOfTheFirstServiceKeyThatOpens) {
  registry.putValue(RegistryHive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\kwlsvc08",
                    "ImagePath", RegistryStringValue("system32\\DRIVERS\\kwl08.sys", true));
  const std::string file = "C:\\WINDOWS\\system32\\DRIVERS\\kwl08.sys";
  files.versions[file] = {(4u << 16) | 2u, (105u << 16) | 7u};
  files.dates[file] = {2005, 3, 7};

  std::string text, date;
  ASSERT_TRUE(version.GetDriverVersionAndDate(text, date));
  EXPECT_EQ(text, "4.2.105.7");
  EXPECT_EQ(date, " Mar. 07, 2005");
  EXPECT_EQ(registry.openHandles(), 0);
  // Only the service key that exists could be opened to everyone.
  EXPECT_EQ(registry.nullDaclKeys,
            std::vector<std::string>({"hklm\\system\\currentcontrolset\\services\\kwlsvc08"}));
}

TEST_F(DriverIdentityTest, XpPrefersTheAr5211ServiceKey) {
  registry.putValue(RegistryHive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\AR5211",
                    "ImagePath", RegistryStringValue("ar.sys", true));
  registry.putValue(RegistryHive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\kwlsvc08",
                    "ImagePath", RegistryStringValue("kwl.sys", true));
  files.versions["C:\\WINDOWS\\ar.sys"] = {1u << 16, 0};
  std::string text, date;
  ASSERT_TRUE(version.GetDriverVersionAndDate(text, date));
  EXPECT_EQ(text, "1.0.0.0");
  EXPECT_EQ(date, "");  // no readable status: the date is left as it was
}

TEST_F(DriverIdentityTest, AnOpenServiceKeyWithoutImagePathFailsWithoutFallingBack) {
  registry.putKey(RegistryHive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\AR5211");
  registry.putValue(RegistryHive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\kwlsvc08",
                    "ImagePath", RegistryStringValue("kwl.sys", true));
  // The other service's file is there and readable: only the rule keeps it unused.
  files.versions["C:\\WINDOWS\\kwl.sys"] = {(2u << 16) | 1u, 0};
  files.dates["C:\\WINDOWS\\kwl.sys"] = {2004, 11, 2};
  std::string text = "unchanged", date = "unchanged";
  EXPECT_FALSE(version.GetDriverVersionAndDate(text, date));
  EXPECT_EQ(text, "unchanged");
  EXPECT_EQ(date, "unchanged");
  EXPECT_TRUE(files.versionQueries.empty());
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(DriverIdentityTest, Windows2000UsesOnlyTheDriverService) {
  system.os = OsKind::Win2000;
  registry.putValue(RegistryHive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\AR5211",
                    "ImagePath", RegistryStringValue("ar.sys", true));
  std::string text, date;
  EXPECT_FALSE(version.GetDriverVersionAndDate(text, date));
}

TEST_F(DriverIdentityTest, Nt4HasNoDriverFile) {
  system.os = OsKind::Nt4;
  std::string text, date;
  EXPECT_FALSE(version.GetDriverVersionAndDate(text, date));
  EXPECT_TRUE(date.empty());
  EXPECT_TRUE(files.versionQueries.empty());
}

TEST_F(DriverIdentityTest, Windows9xFindsTheVxdThroughTheDriverParameter) {
  system.os = OsKind::Me;
  const std::string path = std::string(kClassKey) + "\\" + identity.current.deviceName;
  std::string text, date;
  EXPECT_FALSE(version.GetDriverVersionAndDate(text, date));

  registry.putValue(RegistryHive::LocalMachine, path, "DeviceVxDs",
                    RegistryStringValue("kwl.vxd", true));
  files.versions["C:\\WINDOWS\\system\\kwl.vxd"] = {(3u << 16) | 1u, 9u};
  ASSERT_TRUE(version.GetDriverVersionAndDate(text, date));
  EXPECT_EQ(text, "3.1.0.9");
}

TEST(DriverDate, UsesEnglishMonthsWithALeadingBlank) {
  EXPECT_EQ(FormatDriverDate({2006, 12, 25}), " Dec. 25, 2006");
  EXPECT_EQ(FormatDriverDate({2004, 1, 1}), " Jan. 01, 2004");
  EXPECT_EQ(FormatDriverDate({2004, 13, 1}), " ???. 01, 2004");
}

TEST(IpAddressText, TakesTheFirstAdapterWhoseDescriptionContainsTheModel) {
  fakes::FakeIpHelper ip;
  ip.list = {{"eth0", "10.0.0.2"},
             {"Acme KESTREL LX740N QX-7+ Wireless PC Card - Packet Scheduler", "192.168.1.20"},
             {"KESTREL LX740N QX-7+ Wireless PC Card", "192.168.1.21"}};
  EXPECT_EQ(GetIpAddressText(ip), "192.168.1.20");
}

TEST(IpAddressText, IsEmptyWithoutAMatchOrAList) {
  fakes::FakeIpHelper ip;
  ip.list = {{"eth0", "10.0.0.2"}};
  EXPECT_EQ(GetIpAddressText(ip), "");
  ip.fails = true;
  EXPECT_EQ(GetIpAddressText(ip), "");
}

}  // namespace
}  // namespace kestrel
