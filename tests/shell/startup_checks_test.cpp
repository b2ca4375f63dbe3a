#include "shell/startup_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "adapter/byte_order.h"
#include "shell/program_directory.h"
#include "shell_fixture.h"

namespace kestrel {
namespace {

using testing::kCompanionPath;
using testing::kOemPath;
using testing::kParameters;

class StartupChecksTest : public testing::ShellFixture {
 protected:
  StartupChecksTest() {
    EXPECT_TRUE(discovery.PickAdapter());
    EXPECT_TRUE(discovery.FindAdapterDevice());
    processes.existing = {kCompanionPath};
    fakes::FakeDot1xAdapter aegisAdapter;
    aegisAdapter.mac = {0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};
    dot1xLibrary.adapters = {aegisAdapter};
  }
  // A key path as the registry fake records it.
  static std::string normalized(std::string path) {
    while (!path.empty() && path.back() == '\\')
      path.pop_back();
    for (char& c : path)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return "hklm\\" + path;
  }
  static std::string lowerParameters() { return normalized(kParameters).substr(5); }
  // Country codes the adapter was given, as sent.
  std::vector<std::uint32_t> countriesSet() const {
    std::vector<std::uint32_t> codes;
    for (const auto& request : ndis.requests) {
      if (request.oid == oid::kVndCountryCode && request.bytes.size() == 4)
        codes.push_back(ReadLe32(request.bytes.data()));
    }
    return codes;
  }
};

TEST_F(StartupChecksTest, FirstRunOnXpSavesTheDefaultsStartsTheCompanionAndPushes) {
  identity.driverKey.clear();
  ASSERT_TRUE(checks.RunStartupChecks());

  EXPECT_EQ(identity.driverKey, "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042");
  EXPECT_EQ(results.mac, (MacAddress{0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D}));
  EXPECT_TRUE(results.dot1xAvailable);
  EXPECT_TRUE(hasProfile("Default"));
  EXPECT_TRUE(hasProfile("VirtualProfile"));
  // The defaults: "Default" listed, "VirtualProfile" loaded into the current profile.
  EXPECT_EQ(records.list.names(), std::vector<std::string>{"Default"});
  WirelessProfile defaults;
  ResetToDefaults(defaults);
  EXPECT_EQ(records.current.NetworkName, defaults.NetworkName);
  EXPECT_EQ(records.current.NetBand, defaults.NetBand);
  EXPECT_EQ(parameter("CheckDP"), "1");
  EXPECT_NE(parameter("CardCfgId"), "(none)");
  EXPECT_EQ(processes.started, std::vector<std::string>{kCompanionPath});
  EXPECT_EQ(clock.slept, 5000u);
  EXPECT_EQ(setsOf(oid::k80211Ssid), 1);
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(StartupChecksTest, TheFirstRunWritesTheWorkingProfileBeforeItIsLoaded) {
  // Whatever the process held before: the pushed profile is the one the first run wrote.
  records.current.NetworkName = "left-from-before";
  records.current.NetBand = 4;
  ASSERT_TRUE(checks.RunStartupChecks());
  WirelessProfile defaults;
  ResetToDefaults(defaults);
  EXPECT_EQ(records.current.NetworkName, defaults.NetworkName);
  EXPECT_EQ(records.current.NetBand, defaults.NetBand);
  std::vector<std::uint8_t> ssid(36, 0);
  WriteLe32(ssid.data(), static_cast<std::uint32_t>(defaults.NetworkName.size()));
  std::copy(defaults.NetworkName.begin(), defaults.NetworkName.end(), ssid.begin() + 4);
  const auto pushed = std::find_if(ndis.requests.begin(), ndis.requests.end(), [](auto& r) {
    return r.oid == oid::k80211Ssid && r.type == kNdisSetInformation;
  });
  ASSERT_NE(pushed, ndis.requests.end());
  EXPECT_EQ(pushed->bytes, ssid);
}

TEST_F(StartupChecksTest, SettingsAppliedBeforeTheFirstRunAreTheOnesPushed) {
  // As a deployment leaves them: profiles imported, one applied, the utility never started.
  WirelessProfile office;
  office.ConfigurationName = "Office";
  office.NetworkName = "KESTREL_WPA";
  office.Passphrase = "kestrel-wpa-psk";
  office.PassphraseLength = 15;
  ASSERT_TRUE(store.SaveProfile(office, "Office"));
  office.ConfigurationName = kVirtualProfileName;
  ASSERT_TRUE(store.SaveProfile(office, kVirtualProfileName));
  ASSERT_TRUE(checks.RunStartupChecks());

  EXPECT_EQ(parameter("CheckDP"), "1");
  EXPECT_EQ(records.current.NetworkName, "KESTREL_WPA");
  EXPECT_EQ(records.current.Passphrase, "kestrel-wpa-psk");
  EXPECT_EQ(records.list.names(), std::vector<std::string>{"Office"});
  std::vector<std::uint8_t> ssid(36, 0);
  WriteLe32(ssid.data(), static_cast<std::uint32_t>(office.NetworkName.size()));
  std::copy(office.NetworkName.begin(), office.NetworkName.end(), ssid.begin() + 4);
  const auto pushed = std::find_if(ndis.requests.begin(), ndis.requests.end(), [](auto& r) {
    return r.oid == oid::k80211Ssid && r.type == kNdisSetInformation;
  });
  ASSERT_NE(pushed, ndis.requests.end());
  EXPECT_EQ(pushed->bytes, ssid);
}

TEST_F(StartupChecksTest, APartlyStoredVirtualProfileTakesTheDefaultsAtTheFirstRun) {
  WirelessProfile left;
  left.NetworkName = "half-written";
  ASSERT_TRUE(store.SaveProfile(left, kVirtualProfileName));
  const std::string key =
      std::string(kParameters) + "\\CustomParams\\Configurations\\" + kVirtualProfileName;
  {
    ScopedRegistryKey opened(registry);
    ASSERT_TRUE(opened.open(RegistryHive::LocalMachine, key, RegistryAccess::Full));
    ASSERT_TRUE(registry.deleteValue(opened.get(), "FragThreshold"));
  }
  ASSERT_TRUE(checks.RunStartupChecks());
  WirelessProfile defaults;
  ResetToDefaults(defaults);
  EXPECT_EQ(records.current.NetworkName, defaults.NetworkName);
}

TEST_F(StartupChecksTest, AdapterFoundAgainRepeatsTheLoadAndPushButNotTheFirstRunWork) {
  ASSERT_TRUE(checks.RunStartupChecks());
  const auto writesAfterFirst = registry.written.size();
  ASSERT_TRUE(checks.RunStartupChecks());

  EXPECT_EQ(processes.attempts.size(), 1u);
  EXPECT_EQ(setsOf(oid::k80211Ssid), 2);
  EXPECT_EQ(clock.slept, 10000u);
  for (std::size_t i = writesAfterFirst; i < registry.written.size(); ++i) {
    const auto& write = registry.written[i];
    EXPECT_NE(write.name, "CheckDP");
    EXPECT_EQ(write.key.find("configurations\\default"), std::string::npos) << write.key;
  }
}

TEST_F(StartupChecksTest, WithoutAMacAddressNothingElseHappens) {
  ndis.failingOids[oid::k8023CurrentAddress] = 1;
  results.mac = {1, 2, 3, 4, 5, 6};
  EXPECT_FALSE(checks.RunStartupChecks());
  EXPECT_EQ(results.mac, MacAddress{});
  EXPECT_EQ(dot1xLibrary.loads, 0);
  EXPECT_FALSE(hasProfile("Default"));
  EXPECT_EQ(parameter("CheckDP"), "(none)");
  EXPECT_EQ(setsOf(oid::k80211Ssid), 0);
}

TEST_F(StartupChecksTest, MissingCompanionAndMissingClientLibraryDoNotStopTheFirstRun) {
  processes.existing.clear();
  dot1xLibrary.loadFailure = Dot1xLoadFailure::Kind::LibraryNotFound;
  ASSERT_TRUE(checks.RunStartupChecks());
  EXPECT_FALSE(results.dot1xAvailable);
  EXPECT_EQ(processes.attempts, std::vector<std::string>{kCompanionPath});
  EXPECT_EQ(parameter("CheckDP"), "1");
  EXPECT_EQ(setsOf(oid::k80211Ssid), 1);
}

TEST_F(StartupChecksTest, OnWindows98NoCompanionAndNoPause) {
  system.os = OsKind::Win98;
  system.servicePackLevel = 98;
  identity.current.deviceName = "0042";  // the 95 family's parameters key: path + device name
  ASSERT_TRUE(checks.RunStartupChecks());
  EXPECT_TRUE(processes.attempts.empty());
  EXPECT_EQ(clock.slept, 0u);
  EXPECT_TRUE(hasProfile("VirtualProfile"));
  EXPECT_EQ(setsOf(oid::k80211Ssid), 1);
}

TEST_F(StartupChecksTest, OnWindows2000NoPauseBeforeTheLoad) {
  system.os = OsKind::Win2000;
  system.servicePackLevel = 1;
  ASSERT_TRUE(checks.RunStartupChecks());
  EXPECT_EQ(clock.slept, 0u);
  EXPECT_EQ(processes.started, std::vector<std::string>{kCompanionPath});
  EXPECT_EQ(setsOf(oid::k80211Ssid), 1);
  checks.LoadAndPushVirtualProfile(true);
  EXPECT_EQ(clock.slept, 0u);
}

TEST_F(StartupChecksTest, OemRegionIsAppliedRecordedAndTheFileDeleted) {
  setParameter("ccode", "US");
  files.files[kOemPath] = "JP";
  ASSERT_TRUE(checks.RunStartupChecks());
  // Set from the file, then again by the push from the recorded code.
  EXPECT_EQ(countriesSet(), (std::vector<std::uint32_t>{0x4A50, 0x4A50}));
  EXPECT_EQ(parameter("ccode"), "JP");
  EXPECT_EQ(files.removed, std::vector<std::string>{kOemPath});
}

TEST_F(StartupChecksTest, OemRegionNeedsAnExistingCountryCode) {
  files.files[kOemPath] = "JP";
  ASSERT_TRUE(checks.RunStartupChecks());
  EXPECT_TRUE(countriesSet().empty());
  EXPECT_EQ(parameter("ccode"), "(none)");
  EXPECT_EQ(files.files.count(kOemPath), 1u);
}

TEST_F(StartupChecksTest, OemFileTextIsRecordedWhole) {
  setParameter("ccode", "JP");
  files.files[kOemPath] = "US\r\n";
  EXPECT_TRUE(checks.ApplyOemCountry());
  EXPECT_EQ(countriesSet(), std::vector<std::uint32_t>{0x5553});
  EXPECT_EQ(parameter("ccode"), "US\r\n");
  // Stored with its terminating zero, as the general writer does.
  const RegistryValue* stored =
      registry.value(RegistryHive::LocalMachine, testing::kParameters, "ccode");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->data.size(), 5u);
}

TEST_F(StartupChecksTest, BadOemFilesAreNotApplied) {
  setParameter("ccode", "US");
  struct Case {
    const char* name;
    std::string content;
  };
  const Case cases[] = {
      {"empty", ""},
      {"one letter", "J"},
      {"a zero after one letter", std::string("J\0P", 3)},
      {"larger than a region file", std::string(kOemFileMaxBytes + 1, 'J')},
  };
  for (const Case& c : cases) {
    files.files[kOemPath] = c.content;
    EXPECT_FALSE(checks.ApplyOemCountry()) << c.name;
    EXPECT_TRUE(countriesSet().empty()) << c.name;
    EXPECT_EQ(parameter("ccode"), "US") << c.name;
    EXPECT_TRUE(files.removed.empty()) << c.name;
  }
  EXPECT_EQ(files.limitsAsked.back(), kOemFileMaxBytes);
}

TEST_F(StartupChecksTest, OemTextEndsAtItsFirstZero) {
  setParameter("ccode", "US");
  files.files[kOemPath] = std::string("JP\0\xFF\xFF", 5);
  std::string text;
  ASSERT_TRUE(checks.ReadOemFile(text));
  EXPECT_EQ(text, "JP");
  EXPECT_TRUE(checks.ApplyOemCountry());
  EXPECT_EQ(parameter("ccode"), "JP");
}

TEST_F(StartupChecksTest, UnreadableOemFileOrRefusedCountryKeepsTheFile) {
  setParameter("ccode", "US");
  files.files[kOemPath] = "JP";
  files.unreadable = {kOemPath};
  EXPECT_FALSE(checks.ApplyOemCountry());
  files.unreadable.clear();

  ndis.failingOids[oid::kVndCountryCode] = 0xC0010017;
  EXPECT_FALSE(checks.ApplyOemCountry());
  EXPECT_EQ(parameter("ccode"), "US");
  EXPECT_EQ(files.files.count(kOemPath), 1u);
}

TEST_F(StartupChecksTest, FailedRecordOfTheRegionKeepsTheFile) {
  setParameter("ccode", "US");
  files.files[kOemPath] = "JP";
  registry.failWriteNumber = 1;
  EXPECT_TRUE(checks.ApplyOemCountry());
  EXPECT_EQ(countriesSet(), std::vector<std::uint32_t>{0x4A50});
  EXPECT_EQ(files.files.count(kOemPath), 1u);
}

TEST_F(StartupChecksTest, AnUnknownProgramDirectoryTouchesNoFileAndStartsNothing) {
  // Bare names would be looked up in the current directory, where anyone can plant them.
  for (const char* unknown : {"", "corvusap.exe", "C:corvusap.exe"}) {
    programPath = unknown;
    files.files = {{"oem.tmp", "JP"}, {"C:oem.tmp", "JP"}};
    processes.existing = {"QMVXlink.exe", "C:QMVXlink.exe"};
    setParameter("ccode", "US");
    registry.deleteTree(RegistryHive::LocalMachine, std::string(kParameters) + "\\CustomParams");
    ScopedRegistryKey key(registry);
    ASSERT_TRUE(key.open(RegistryHive::LocalMachine, kParameters, RegistryAccess::Full));
    registry.deleteValue(key.get(), "CheckDP");

    ASSERT_TRUE(checks.RunStartupChecks()) << unknown;
    std::string text;
    EXPECT_FALSE(checks.ReadOemFile(text)) << unknown;
    EXPECT_FALSE(checks.ApplyOemCountry()) << unknown;
    EXPECT_TRUE(files.limitsAsked.empty()) << unknown;
    EXPECT_TRUE(files.removed.empty()) << unknown;
    EXPECT_TRUE(processes.attempts.empty()) << unknown;
    // The rest of the first run still happens.
    EXPECT_EQ(parameter("CheckDP"), "1") << unknown;
    EXPECT_TRUE(hasProfile("VirtualProfile")) << unknown;
  }
}

TEST_F(StartupChecksTest, FirstRunFlagIsReadWithQueryRightsOnly) {
  // A driver key the user may read but not change: the flag is there, so no first run.
  setParameter("CheckDP", "1");
  ASSERT_TRUE(store.SaveProfile(records.current, "VirtualProfile"));
  registry.queryOnlyKeys = {std::string("hklm\\") + lowerParameters()};
  processes.attempts.clear();
  ASSERT_TRUE(checks.RunStartupChecks());
  EXPECT_TRUE(processes.attempts.empty());
  EXPECT_FALSE(hasProfile("Default"));
}

TEST_F(StartupChecksTest, OnXpAnd2000BothKeysAreOpenedToEveryoneAndTheDriverVersionRead) {
  const std::string configurations = std::string(kParameters) + "\\CustomParams\\Configurations\\";
  // The driver's service names its file; its version is read from there.
  const std::string service = "SYSTEM\\CurrentControlSet\\Services\\kwlsvc08";
  registry.putValue(RegistryHive::LocalMachine, service, "ImagePath",
                    RegistryStringValue("system32\\DRIVERS\\kwlsvc08.sys", true));
  for (OsKind os : {OsKind::Xp, OsKind::Win2000}) {
    system.os = os;
    registry.nullDaclKeys.clear();
    fileInfo.versionQueries.clear();
    ASSERT_TRUE(checks.RunStartupChecks());
    const auto& opened = registry.nullDaclKeys;
    EXPECT_NE(std::find(opened.begin(), opened.end(), normalized(kParameters)), opened.end());
    EXPECT_NE(std::find(opened.begin(), opened.end(), normalized(configurations)), opened.end());
    EXPECT_EQ(fileInfo.versionQueries,
              std::vector<std::string>{"C:\\WINDOWS\\system32\\DRIVERS\\kwlsvc08.sys"});
  }
  system.os = OsKind::Win98;
  system.servicePackLevel = 98;
  identity.current.deviceName = "0042";
  registry.nullDaclKeys.clear();
  fileInfo.versionQueries.clear();
  ASSERT_TRUE(checks.RunStartupChecks());
  EXPECT_TRUE(fileInfo.versionQueries.empty());
}

TEST(ProgramDirectory, DriveAndDirectoryOfAPath) {
  struct Case {
    std::string path;
    std::string kept;
    std::string trimmed;
  };
  const Case cases[] = {
      {"C:\\Program Files\\KESTREL\\corvusap.exe", "C:\\Program Files\\KESTREL\\",
       "C:\\Program Files\\KESTREL"},
      {"C:\\corvusap.exe", "C:\\", "C:"},
      {"C:corvusap.exe", "C:", "C:"},
      {"corvusap.exe", "", ""},
      {"", "", ""},
      {"\\\\server\\share\\\\x.exe", "\\\\server\\share\\\\", "\\\\server\\share"},
      {"D:/tools/x.exe", "D:/tools/", "D:/tools"},
      // "C:\表\x.exe": the second byte of 表 (0x95 0x5C) is not a separator.
      {"C:\\\x95\x5C\\x.exe", "C:\\\x95\x5C\\", "C:\\\x95\x5C"},
      {"C:\\\x95\x5Cx.exe", "C:\\", "C:"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgramDirectory(c.path, true), c.kept) << c.path;
    EXPECT_EQ(ProgramDirectory(c.path, false), c.trimmed) << c.path;
  }
}

}  // namespace
}  // namespace kestrel
