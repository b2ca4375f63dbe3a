// The NDIS request library port over DNIN50.dll as the Windows loader gives it.
#include <gtest/gtest.h>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "fakes/fake_system_ports.h"
#include "win32/win32_ndis_library.h"

namespace kestrel {
namespace {

TEST(Win32NdisLibrary, ResolvesNamedAndOrdinalOnlyExports) {
  Win32NdisLibrary library;
  ASSERT_TRUE(library.loaded());
  const NdisHandle enumeration = library.openAdapterEnum(1);
  ASSERT_NE(enumeration, kNoNdisHandle);
  const NdisHandle entry = library.firstAdapter(enumeration);
  ASSERT_NE(entry, kNoNdisHandle);
  char buffer[kAdapterTextBufferSize] = {};
  std::uint32_t size = kAdapterTextBufferSize;
  EXPECT_EQ(library.adapterDescription(entry, buffer, &size), 0u);
  EXPECT_STREQ(buffer, kModelDescription);
  library.releaseAdapter(entry);
  library.closeAdapterEnum(enumeration);
  EXPECT_FALSE(library.netCardRegistryPath().empty());
}

TEST(Win32NdisLibrary, CarriesRequestsToTheDriverAndBack) {
  Win32NdisLibrary library;
  Win32CompletionEvents events;
  fakes::FakeDeviceSetup devices;
  SystemKind system;
  AdapterIdentity identity;
  AdapterDiscovery discovery(library, devices, system, identity);
  ASSERT_TRUE(discovery.PickAdapter());

  bool opened = false;
  Adapter adapter(library, events, opened, identity.current);
  ASSERT_TRUE(adapter.SetSsid(SsidRecord::FromText("round-trip")));
  SsidRecord ssid;
  ASSERT_TRUE(adapter.GetSsid(ssid));
  EXPECT_EQ(ssid.text(), "round-trip");
  EXPECT_TRUE(opened);

  std::uint32_t written = 0;
  std::uint8_t big[64] = {};
  ASSERT_TRUE(adapter.channel().query(identity.current, 0x01010102, big, sizeof big, written));
  EXPECT_EQ(written, 6u);
}

TEST(Win32NdisLibrary, AnUnknownDeviceNameDoesNotOpen) {
  Win32NdisLibrary library;
  Win32CompletionEvents events;
  bool opened = false;
  ZAdapterInfo nobody;
  nobody.deviceName = "\\DEVICE\\{00000000-0000-0000-0000-000000000000}";
  Adapter adapter(library, events, opened, nobody);
  std::uint32_t status = 0;
  EXPECT_FALSE(adapter.GetHardwareStatus(status));
  EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace kestrel
