// Shell ports against the real (Wine) process, mutex and service manager.
#include <gtest/gtest.h>

#include "win32/ansi_text.h"
#include "win32/win32_shell_ports.h"

namespace kestrel {
namespace {

TEST(Win32ApplicationHost, TheSecondHolderOfTheMutexSeesTheFirst) {
  Win32ApplicationHost first;
  Win32ApplicationHost second;
  bool existed = true;
  ASSERT_TRUE(first.createInstanceMutex("kestrel test mutex", existed));
  EXPECT_FALSE(existed);
  ASSERT_TRUE(second.createInstanceMutex("kestrel test mutex", existed));
  EXPECT_TRUE(existed);
  second.closeInstanceMutex();
  first.releaseInstanceMutex();

  Win32ApplicationHost third;
  ASSERT_TRUE(third.createInstanceMutex("kestrel test mutex", existed));
  EXPECT_FALSE(existed);
}

TEST(Win32ApplicationHost, TakesThePrivilegesStartUpNeeds) {
  Win32ApplicationHost host;
  EXPECT_EQ(host.enablePrivilege("SeRestorePrivilege", true), PrivilegeResult::Enabled);
  EXPECT_EQ(host.enablePrivilege("SeNoSuchPrivilege", true), PrivilegeResult::LookupFailed);
}

TEST(Win32ServiceManager, AServiceThatIsNotInstalledCannotBeOpened) {
  Win32ServiceManager services;
  EXPECT_EQ(services.openService("KestrelNoSuchService", ServiceRights::Query), nullptr);
  EXPECT_EQ(services.openService("KestrelNoSuchService", ServiceRights::Query), nullptr);
}

// The manager's connection is kept across sessions: closing one session must leave it
// usable for the next, also after a service that is not there.
TEST(Win32ServiceManager, OneConnectionServesSessionAfterSession) {
  Win32ServiceManager services;
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(services.openService("KestrelNoSuchService", ServiceRights::Query), nullptr);
    auto session = services.openService("RpcSs", ServiceRights::Query);
    ASSERT_NE(session, nullptr) << round;
    ServiceState state = ServiceState::Stopped;
    std::uint32_t error = 0;
    EXPECT_TRUE(session->queryState(state, error)) << error;
  }
}

TEST(CoreText, Cp932RoundTripsThroughUtf16) {
  const std::string core = "\x83\x76\x83\x8D\x83\x74\x83\x40\x83\x43\x83\x8B";  // プロファイル
  const std::wstring wide = WideFromCore(core);
  EXPECT_EQ(wide, L"\u30D7\u30ED\u30D5\u30A1\u30A4\u30EB");
  EXPECT_EQ(CoreFromWide(wide), core);
  EXPECT_EQ(WideFromCore(""), L"");
}

}  // namespace
}  // namespace kestrel
