#include "shell/startup_first_phase.h"

#include <gtest/gtest.h>

#include "fakes/fake_shell_ports.h"
#include "shell/os_classification.h"

namespace kestrel {
namespace {

SystemVersionInfo Nt(std::uint32_t major, std::uint32_t minor, std::string servicePack = "") {
  return {PlatformFamily::WindowsNt, major, minor, 2600, std::move(servicePack)};
}

SystemVersionInfo Win9x(std::uint32_t minor) {
  return {PlatformFamily::Windows9x, 4, minor, 1998, " A "};
}

TEST(ClassifyOs, FollowsTheVersionTable) {
  struct Case {
    const char* name;
    SystemVersionInfo version;
    OsKind os;
    std::uint32_t level;
  };
  const Case cases[] = {
      {"XP, no service pack", Nt(5, 1), OsKind::Xp, 0},
      {"XP SP1", Nt(5, 1, "Service Pack 1"), OsKind::Xp, 1},
      {"XP SP2 exactly", Nt(5, 1, "Service Pack 2"), OsKind::Xp, 2},
      {"XP SP2 with more text", Nt(5, 1, "Service Pack 2, v.2096"), OsKind::Xp, 1},
      {"XP SP3 exactly, as Wine's winxp reports", Nt(5, 1, "Service Pack 3"), OsKind::Xp, 2},
      {"XP SP3 with more text", Nt(5, 1, "Service Pack 3, v.3311"), OsKind::Xp, 1},
      {"XP SP4 does not exist", Nt(5, 1, "Service Pack 4"), OsKind::Xp, 1},
      {"Server 2003 counts as XP", Nt(5, 2, "Service Pack 2"), OsKind::Xp, 2},
      {"2000", Nt(5, 0, "Service Pack 4"), OsKind::Win2000, 1},
      {"2000 without a service pack", Nt(5, 0), OsKind::Win2000, 1},
      {"95", Win9x(0), OsKind::Win95, 98},
      {"98", Win9x(10), OsKind::Win98, 98},
      {"Me", Win9x(90), OsKind::Me, 98},
  };
  for (const Case& c : cases) {
    SystemKind kind;
    EXPECT_EQ(ClassifyOs(c.version, kind), OsSupport::Supported) << c.name;
    EXPECT_EQ(kind.os, c.os) << c.name;
    EXPECT_EQ(kind.servicePackLevel, c.level) << c.name;
  }
}

TEST(ClassifyOs, Nt4ChangesOnlyTheKindAndNewerNtLeavesTheDefaults) {
  SystemKind kind;
  EXPECT_EQ(ClassifyOs(Nt(4, 0, "Service Pack 6"), kind), OsSupport::Supported);
  EXPECT_EQ(kind.os, OsKind::Nt4);
  EXPECT_EQ(kind.servicePackLevel, 0u);

  SystemKind vista;
  EXPECT_EQ(ClassifyOs(Nt(6, 1, "Service Pack 1"), vista), OsSupport::Supported);
  EXPECT_EQ(vista.os, OsKind::Xp);
  EXPECT_EQ(vista.servicePackLevel, 0u);
}

TEST(ClassifyOs, OtherPlatformsAreUnsupported) {
  SystemKind kind;
  EXPECT_EQ(ClassifyOs({PlatformFamily::Win32s, 3, 1, 0, ""}, kind), OsSupport::Unsupported);
  EXPECT_EQ(kind.os, OsKind::Xp);
}

class FirstPhaseTest : public ::testing::Test {
 protected:
  FirstPhaseTest() { version.info = Nt(5, 1, "Service Pack 2"); }
  bool run(const std::string& commandLine, bool framework = true) {
    return RunFirstPhase(framework, commandLine, host, version, system);
  }

  fakes::FakeApplicationHost host;
  fakes::FakeSystemVersion version;
  SystemKind system;
};

TEST_F(FirstPhaseTest, FirstInstanceRunsAndKeepsTheMutex) {
  for (const char* line : {"corvusap.exe", "corvusap.exe START"}) {
    host = fakes::FakeApplicationHost{};
    EXPECT_TRUE(run(line)) << line;
    EXPECT_TRUE(host.mutexHeld);
    EXPECT_TRUE(host.broadcasts.empty());
  }
}

TEST_F(FirstPhaseTest, FirstInstanceWithStopEndsAtOnceAndTouchesNoOne) {
  EXPECT_FALSE(run("corvusap.exe STOP"));
  EXPECT_FALSE(host.mutexHeld);
  EXPECT_TRUE(host.broadcasts.empty());
}

TEST_F(FirstPhaseTest, SecondInstanceAsksTheFirstAndEnds) {
  struct Case {
    const char* commandLine;
    std::vector<std::string> broadcasts;
  };
  const Case cases[] = {
      {"corvusap.exe", {"corvusap.exe START"}},
      {"corvusap.exe STOP", {"corvusap.exe STOP"}},
      {"corvusap.exe START STOP", {"corvusap.exe STOP"}},
      {"corvusap.exe START", {}},
      {"corvusap.exe /NONSTOPPING", {"corvusap.exe STOP"}},  // part of a longer word counts
      {"corvusap.exe stop", {"corvusap.exe START"}},         // case matters
  };
  for (const Case& c : cases) {
    host = fakes::FakeApplicationHost{};
    host.anotherInstance = true;
    EXPECT_FALSE(run(c.commandLine)) << c.commandLine;
    EXPECT_EQ(host.broadcasts, c.broadcasts) << c.commandLine;
    EXPECT_EQ(host.mutexesClosedUnreleased, 1) << c.commandLine;
  }
}

// An uninstaller runs "corvusap.exe STOP" and then removes the files the running instance
// has loaded: the stop returns once that instance has gone, within a bound.
TEST_F(FirstPhaseTest, SecondStopAwaitsTheRunningInstanceAndStartDoesNot) {
  host.anotherInstance = true;
  EXPECT_FALSE(run("corvusap.exe STOP"));
  EXPECT_EQ(host.exitAwaitedMs, kStopAwaitExitMs);

  for (const char* line : {"corvusap.exe", "corvusap.exe START"}) {
    host = fakes::FakeApplicationHost{};
    host.anotherInstance = true;
    EXPECT_FALSE(run(line));
    EXPECT_EQ(host.exitAwaitedMs, 0u) << line;
  }
}

TEST_F(FirstPhaseTest, AMutexThatCannotBeMadeCountsAsAnotherInstance) {
  host.mutexCreateFails = true;
  EXPECT_FALSE(run("corvusap.exe"));
  EXPECT_EQ(host.broadcasts, std::vector<std::string>({"corvusap.exe START"}));
  EXPECT_EQ(host.mutexesClosedUnreleased, 0);
}

TEST_F(FirstPhaseTest, ClassifiesEvenWhenTheProcessWillEnd) {
  host.anotherInstance = true;
  version.info = Nt(5, 0);
  EXPECT_FALSE(run("corvusap.exe"));
  EXPECT_EQ(system.os, OsKind::Win2000);

  host = fakes::FakeApplicationHost{};
  EXPECT_FALSE(run("", false));  // the framework failed: no mutex at all
  EXPECT_FALSE(host.mutexHeld);
  EXPECT_EQ(system.os, OsKind::Win2000);
}

TEST_F(FirstPhaseTest, TakesBothPrivilegesOnXpAnd2000Only) {
  EXPECT_TRUE(run("corvusap.exe"));
  EXPECT_EQ(host.privilegesEnabled,
            std::vector<std::string>({"SeRestorePrivilege", "SeBackupPrivilege"}));

  host = fakes::FakeApplicationHost{};
  version.info = Win9x(10);
  EXPECT_TRUE(run("corvusap.exe"));
  EXPECT_TRUE(host.privilegesEnabled.empty());
}

TEST_F(FirstPhaseTest, Windows2000TakesBothPrivilegesAndNt4Neither) {
  version.info = Nt(5, 0, "Service Pack 4");
  EXPECT_TRUE(run("corvusap.exe"));
  EXPECT_EQ(system.os, OsKind::Win2000);
  EXPECT_EQ(host.privilegesEnabled,
            std::vector<std::string>({"SeRestorePrivilege", "SeBackupPrivilege"}));

  host = fakes::FakeApplicationHost{};
  version.info = Nt(5, 0);
  host.privilegeResults["SeRestorePrivilege"] = PrivilegeResult::AdjustFailed;
  EXPECT_FALSE(run("corvusap.exe"));
  EXPECT_EQ(host.messages, std::vector<std::string>({"Failed AdjustTokenPrivileges"}));

  host = fakes::FakeApplicationHost{};
  version.info = Nt(4, 0, "Service Pack 6");
  EXPECT_TRUE(run("corvusap.exe"));
  EXPECT_TRUE(host.privilegesEnabled.empty());
}

TEST_F(FirstPhaseTest, APrivilegeFailureSaysWhichStepFailedAndEnds) {
  const std::pair<PrivilegeResult, const char*> cases[] = {
      {PrivilegeResult::OpenTokenFailed, "Failed OpenProcessToken"},
      {PrivilegeResult::LookupFailed, "Failed  LookupPrivilegeValue"},
      {PrivilegeResult::AdjustFailed, "Failed AdjustTokenPrivileges"},
  };
  for (const auto& [result, message] : cases) {
    host = fakes::FakeApplicationHost{};
    host.privilegeResults["SeBackupPrivilege"] = result;
    EXPECT_FALSE(run("corvusap.exe"));
    EXPECT_EQ(host.messages, std::vector<std::string>({message}));
  }
}

TEST_F(FirstPhaseTest, AnUnsupportedPlatformIsToldAndStartUpGoesOn) {
  version.info = {PlatformFamily::Other, 0, 0, 0, ""};
  EXPECT_TRUE(run("corvusap.exe"));
  ASSERT_EQ(host.messages.size(), 1u);
  // "このオペレーティング・システムはサポートされていません" in CP932 starts with "この".
  EXPECT_EQ(host.messages[0].substr(0, 4), "\x82\xB1\x82\xCC");
  EXPECT_EQ(host.messages[0].size(), 54u);  // 27 double-byte characters
}

}  // namespace
}  // namespace kestrel
