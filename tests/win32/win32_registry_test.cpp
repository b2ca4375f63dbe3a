// The registry port and the driver parameter helpers over the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_ndis_library.h"
#include "parameters/driver_parameters.h"
#include "platform/registry_key.h"
#include "win32/win32_registry.h"

namespace kestrel {
namespace {

class Win32RegistryTest : public ::testing::Test {
 protected:
  Win32RegistryTest() {
    base = "SOFTWARE\\KestrelTests\\" + std::to_string(GetCurrentProcessId());
    library.registryPath = base;
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";
    parametersPath = base + "\\0042";
  }
  ~Win32RegistryTest() override { registry.deleteTree(RegistryHive::LocalMachine, base); }

  // Raw look at a value, bypassing the port.
  bool rawValue(const std::string& name, DWORD& type, std::string& bytes) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parametersPath.c_str(), 0, KEY_READ, &key) != 0) {
      return false;
    }
    char data[64] = {};
    DWORD size = sizeof data;
    const LONG status =
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    bytes.assign(data, size);
    return status == ERROR_SUCCESS;
  }

  std::string base;
  std::string parametersPath;
  Win32Registry registry;
  fakes::FakeNdisLibrary library;
  SystemKind system;
  AdapterIdentity identity;
  DriverParameters parameters{library, registry, system, identity};
};

TEST_F(Win32RegistryTest, DriverParameterRoundTripsAsAString) {
  ScopedRegistryKey key(registry);
  ASSERT_TRUE(key.create(RegistryHive::LocalMachine, parametersPath));
  key.reset();

  ASSERT_TRUE(parameters.WriteDriverParameter("NetworkName", "kestrel-lab"));
  DWORD type = 0;
  std::string raw;
  ASSERT_TRUE(rawValue("NetworkName", type, raw));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw.substr(0, 11), "kestrel-lab");

  std::string back;
  ASSERT_TRUE(parameters.ReadDriverParameter("NetworkName", back));
  EXPECT_EQ(back, "kestrel-lab");
}

TEST_F(Win32RegistryTest, AValueStoredWithoutItsNulReadsBackWhole) {
  ScopedRegistryKey key(registry);
  ASSERT_TRUE(key.create(RegistryHive::LocalMachine, parametersPath));
  // The byte after the data is not zero, so the stored length stays without a NUL.
  const char data[] = "JPX";
  ASSERT_EQ(RegSetValueExA(reinterpret_cast<HKEY>(key.get()), "ccode", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(data), 2),
            ERROR_SUCCESS);
  key.reset();
  std::string code;
  ASSERT_TRUE(parameters.ReadDriverParameter("ccode", code));
  EXPECT_EQ(code, "JP");
}

TEST_F(Win32RegistryTest, JapaneseTextSurvivesThroughTheAnsiCodePage) {
  ScopedRegistryKey key(registry);
  ASSERT_TRUE(key.create(RegistryHive::LocalMachine, parametersPath));
  key.reset();
  const std::string text = "\x83\x76\x83\x8D\x83\x74\x83\x40\x83\x43\x83\x8B";  // CP932
  ASSERT_TRUE(parameters.WriteDriverParameter("ProfileName", text));
  std::string back;
  ASSERT_TRUE(parameters.ReadDriverParameter("ProfileName", back));
  EXPECT_EQ(back, text);
}

TEST_F(Win32RegistryTest, MissingParametersKeyFailsAndLeavesTheText) {
  std::string text = "unchanged";
  EXPECT_FALSE(parameters.ReadDriverParameter("ccode", text));
  EXPECT_FALSE(parameters.WriteDriverParameter("ccode", "US"));
  EXPECT_EQ(text, "unchanged");
}

TEST_F(Win32RegistryTest, OpenKeyToEveryoneLeavesANullDacl) {
  ScopedRegistryKey key(registry);
  ASSERT_TRUE(key.create(RegistryHive::LocalMachine, parametersPath));
  key.reset();
  OpenKeyToEveryone(registry, parametersPath);

  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, parametersPath.c_str(), 0, KEY_READ, &raw), 0);
  BYTE buffer[512];
  DWORD size = sizeof buffer;
  ASSERT_EQ(RegGetKeySecurity(raw, DACL_SECURITY_INFORMATION, buffer, &size), ERROR_SUCCESS);
  RegCloseKey(raw);
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  ASSERT_TRUE(GetSecurityDescriptorDacl(buffer, &present, &dacl, &defaulted));
  EXPECT_TRUE(present);
  EXPECT_EQ(dacl, nullptr);
}

TEST_F(Win32RegistryTest, AKeyOpenedForQueryReadsButRefusesChanges) {
  ScopedRegistryKey key(registry);
  ASSERT_TRUE(key.create(RegistryHive::LocalMachine, parametersPath));
  ASSERT_TRUE(registry.setValue(key.get(), "CheckDP", RegistryStringValue("1", false)));
  ASSERT_TRUE(key.open(RegistryHive::LocalMachine, parametersPath, RegistryAccess::Query));
  RegistryValue value;
  EXPECT_TRUE(registry.queryValue(key.get(), "CheckDP", 16, value));
  EXPECT_FALSE(registry.setValue(key.get(), "CheckDP", RegistryStringValue("2", false)));
  EXPECT_FALSE(registry.deleteValue(key.get(), "CheckDP"));
  EXPECT_FALSE(registry.setNullDacl(key.get()));
  std::string text;
  ASSERT_TRUE(parameters.ReadDriverParameter("CheckDP", text));
  EXPECT_EQ(text, "1");
}

TEST_F(Win32RegistryTest, DeleteTreeRemovesKeysBeneath) {
  ScopedRegistryKey key(registry);
  ASSERT_TRUE(key.create(RegistryHive::LocalMachine, base + "\\A\\B\\C"));
  key.reset();
  ASSERT_TRUE(registry.deleteTree(RegistryHive::LocalMachine, base + "\\A"));
  EXPECT_FALSE(key.open(RegistryHive::LocalMachine, base + "\\A\\B", RegistryAccess::Query));
}

TEST_F(Win32RegistryTest, OversizedValuesAreRefused) {
  ScopedRegistryKey key(registry);
  ASSERT_TRUE(key.create(RegistryHive::LocalMachine, parametersPath));
  ASSERT_TRUE(
      registry.setValue(key.get(), "Big", RegistryStringValue(std::string(2000, 'x'), true)));
  RegistryValue value;
  EXPECT_FALSE(registry.queryValue(key.get(), "Big", 1024, value));
  EXPECT_TRUE(registry.queryValue(key.get(), "Big", 4096, value));
  EXPECT_EQ(value.data.size(), 2001u);
}

}  // namespace
}  // namespace kestrel
