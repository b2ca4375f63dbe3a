#include "activation/configuration_push.h"

#include <gtest/gtest.h>

#include "fakes/fake_dot1x_library.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "platform/registry_key.h"

namespace kestrel {
namespace {

constexpr char kParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

struct Sent {
  std::uint32_t oid;
  std::uint32_t type;
  std::vector<std::uint8_t> bytes;
  bool operator==(const Sent& other) const {
    return oid == other.oid && type == other.type && bytes == other.bytes;
  }
};

std::ostream& operator<<(std::ostream& out, const Sent& sent) {
  out << std::hex << "0x" << sent.oid << (sent.type == 1 ? " set [" : " query [") << std::dec;
  for (auto b : sent.bytes)
    out << int{b} << ' ';
  return out << ']';
}

std::vector<std::uint8_t> Word(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

Sent Set(std::uint32_t oid, std::vector<std::uint8_t> bytes) {
  return {oid, 1, std::move(bytes)};
}
Sent Query(std::uint32_t oid) {
  return {oid, 0, {}};
}

bool Has(const std::vector<Sent>& all, const Sent& wanted) {
  return std::find(all.begin(), all.end(), wanted) != all.end();
}

std::vector<std::uint8_t> SsidBytes(const std::string& text) {
  std::vector<std::uint8_t> bytes(36, 0);
  bytes[0] = static_cast<std::uint8_t>(text.size());
  std::copy(text.begin(), text.end(), bytes.begin() + 4);
  return bytes;
}

std::vector<std::uint8_t> Twelve(std::size_t at, std::uint8_t value) {
  std::vector<std::uint8_t> bytes(12, 0);
  bytes[at] = value;
  return bytes;
}

class ConfigurationPushTest : public ::testing::Test {
 protected:
  ConfigurationPushTest() {
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
    identity.current.deviceName = "\\DEVICE\\{X}";
    registry.putKey(RegistryHive::LocalMachine, kParameters);
    dot1xLibrary.adapters = {{{0, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D}}};
    EXPECT_TRUE(dot1x.Open({0, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D}));
    dot1xLibrary.calls.clear();
    // What the driver holds before the push.
    ndis.answerWord(oid::kVndRtsThresholdGet, 2346);
    ndis.answerWord(oid::kVndFragThresholdGet, 2346);
    ndis.answerWord(oid::kVndPreambleGet, 1);
    ndis.answers[oid::kVndWmmConfig] = Twelve(0, 7);
  }

  void region(const std::string& code) {
    registry.putValue(RegistryHive::LocalMachine, kParameters, "ccode",
                      RegistryStringValue(code, false));
  }
  bool push() { return ApplyConfiguration({adapter, dot1x, parameters, system}, profile); }
  std::vector<Sent> sent() const {
    std::vector<Sent> result;
    for (const auto& request : ndis.requests) {
      result.push_back({request.oid, request.type, request.bytes});
    }
    return result;
  }

  fakes::FakeNdisLibrary ndis;
  fakes::FakeCompletionEvents events;
  fakes::FakeRegistry registry;
  fakes::FakeDot1xLibrary dot1xLibrary;
  DiscardingDot1xDiagnostics diagnostics;
  Dot1xClient dot1x{dot1xLibrary, diagnostics};
  bool opened = false;
  AdapterIdentity identity;
  SystemKind system{OsKind::Xp, 2};
  Adapter adapter{ndis, events, opened, identity.current};
  DriverParameters parameters{ndis, registry, system, identity};
  WirelessProfile profile;
};

TEST_F(ConfigurationPushTest, InfrastructureWpaPskOnXpServicePack2) {
  region("JP");
  profile.NetworkName = "kestrel-psk";
  profile.Passphrase = "correct horse battery";
  profile.NetBand = 0x1F;
  profile.RTSThreshold = 2000;
  ASSERT_TRUE(push());

  const std::vector<Sent> expected = {
      Set(oid::kVndFf10000f, Word(1)),
      Set(oid::kVndCountryCode, Word(0x4A50)),
      Set(oid::kVndWirelessMode, {0x0D, 0, 0, 0, 0, 0, 0, 0}),
      Query(oid::kVndWmmConfig),
      Set(oid::kVndWmmConfig, {7, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}),
      Set(oid::kVndFfff8808, {}),
      Set(oid::kVndFf00002e, Twelve(4, 1)),
      Set(oid::k80211InfrastructureMode, Word(1)),
      Query(oid::kVndRtsThresholdGet),
      Set(oid::kVndRtsThresholdSet, Word(2000)),
      Query(oid::kVndFragThresholdGet),
      Set(oid::kVndPowerSaveSet, Word(2)),
      Set(oid::kVndTxPowerSet, Word(0)),
      Query(oid::kVndPreambleGet),
      Set(oid::kVndPreambleSet, Word(1)),
      Set(oid::k80211AuthenticationMode, Word(9)),
      Set(oid::k80211WepStatus, Word(6)),
      Set(oid::k80211Ssid, SsidBytes("kestrel-psk")),
  };
  EXPECT_EQ(sent(), expected);
  EXPECT_EQ(profile.NetBand, 0x0D);
  EXPECT_EQ(dot1xLibrary.operations(),
            (std::vector<std::string>{
                "AcAdapterAuthenticateStop(adapter#1)",
                "AcContextConfigWpaEx(adapter#1, 0, null, null, 0, 0)",
                "AcContextConfigWpa(adapter#1, 1)",
                "AcContextConfigWpaEx(adapter#1, 1, \"correct horse battery\", \"kestrel-psk\", 0, "
                "0)",
                "AcContextAttachEvent(global)", "AcContextAttachEvent(adapter#1)",
                "AcAdapterAuthenticate(adapter#1, 0)"}));
}

TEST_F(ConfigurationPushTest, Windows98SendsThe9xAuthenticationValuesAndNoWmm) {
  system = {OsKind::Win98, 98};
  ASSERT_TRUE(push());
  for (const Sent& request : sent())
    EXPECT_NE(request.oid, oid::kVndWmmConfig);
  EXPECT_TRUE(Has(sent(), Set(oid::k80211AuthenticationMode, Word(4))));

  profile.EapSelection = 3;
  ndis.requests.clear();
  ASSERT_TRUE(push());
  EXPECT_TRUE(Has(sent(), Set(oid::k80211AuthenticationMode, Word(3))));
}

TEST_F(ConfigurationPushTest, AdHocWepWithEmptyKeysAddsFourFallbackKeys) {
  profile.NetworkConnectionType = 2;
  profile.AdHocBand = 2;
  profile.AdHocChannel = 2437;
  profile.EnableSecurity = 1;
  profile.WPA = 0;
  profile.EncryptionAlg = 1;
  profile.defaultKey = 2;
  profile.PowerManagement = 2;
  ASSERT_TRUE(push());

  const auto all = sent();
  EXPECT_EQ(all[1], Set(oid::kVndWirelessMode, {0x0D, 0, 0, 0, 2, 0, 0x85, 0x09}));
  EXPECT_NE(std::find(all.begin(), all.end(), Set(oid::k80211InfrastructureMode, Word(0))),
            all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), Set(oid::kVndPowerSaveSet, Word(0))), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), Set(oid::k80211AuthenticationMode, Word(2))),
            all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), Set(oid::k80211WepStatus, Word(0))), all.end());

  std::vector<Sent> keys(all.end() - 4, all.end());
  const std::vector<std::uint8_t> fallback = {0x0f, 0x1e, 0x2d, 0x3c, 0x4b, 0x5a, 0x69, 0x78,
                                              0x87, 0x96, 0xa5, 0xb4, 0xc3, 0xd2, 0xe1, 0xf0};
  for (std::uint32_t k = 0; k < 4; ++k) {
    std::vector<std::uint8_t> record = Word(31);
    const auto index = Word(k == 2 ? (k | 0x80000000u) : k);
    record.insert(record.end(), index.begin(), index.end());
    const auto length = Word(16);
    record.insert(record.end(), length.begin(), length.end());
    record.insert(record.end(), fallback.begin(), fallback.end());
    record.resize(31, 0);
    EXPECT_EQ(keys[k], Set(oid::k80211AddWep, record)) << "key " << k;
  }
  EXPECT_TRUE(dot1xLibrary.operations().size() == 2u);  // the stop only
}

TEST_F(ConfigurationPushTest, WepKeysAreNotAddedWhenWpaIsOn) {
  profile.EnableSecurity = 1;
  profile.EncryptionAlg = 1;
  profile.WPA = 1;
  ASSERT_TRUE(push());
  for (const Sent& request : sent())
    EXPECT_NE(request.oid, oid::k80211AddWep);
}

TEST_F(ConfigurationPushTest, StoredKeysUseTheirOwnTextAndABoundedLength) {
  profile.EnableSecurity = 1;
  profile.EncryptionAlg = 1;
  profile.WPA = 0;
  profile.SharedKey = {"0102030405", "", "", ""};
  profile.SharedKeyLength = {5, 16, 16, 900};
  ASSERT_TRUE(push());
  const auto all = sent();
  const Sent& first = all[all.size() - 4];
  ASSERT_EQ(first.bytes.size(), 20u);
  EXPECT_EQ(std::vector<std::uint8_t>(first.bytes.begin() + 12, first.bytes.begin() + 17),
            (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(all.back().bytes.size(), 31u);  // the empty fourth key falls back to 16 bytes
}

TEST_F(ConfigurationPushTest, RegionRulesNarrowTheModeMask) {
  const std::pair<const char*, std::int32_t> cases[] = {{"JP", 0x0D},  {"FR", 0x1D}, {"GB", 0x1D},
                                                        {"BR", 0x1C},  {"IL", 0x1C}, {"US", 0x1F},
                                                        {"JPN", 0x1F}, {"", 0x1F}};
  for (const auto& [code, mask] : cases) {
    EXPECT_EQ(NarrowNetBandForRegion(code, 0x1F), mask) << code;
  }
  region("FR");
  profile.NetBand = 0x1F;
  ASSERT_TRUE(push());
  EXPECT_EQ(profile.NetBand, 0x1D);
}

TEST_F(ConfigurationPushTest, ThresholdsTheDriverAlreadyHoldsAreNotSent) {
  profile.RTSThreshold = 2346;
  profile.FragThreshold = 256;
  ASSERT_TRUE(push());
  const auto all = sent();
  EXPECT_EQ(std::count_if(all.begin(), all.end(),
                          [](const Sent& s) { return s.oid == oid::kVndRtsThresholdSet; }),
            0);
  EXPECT_NE(std::find(all.begin(), all.end(), Set(oid::kVndFragThresholdSet, Word(256))),
            all.end());
}

TEST_F(ConfigurationPushTest, NoEncryptionRemovesTheDefaultKey) {
  profile.EnableSecurity = 0;
  profile.EncryptionAlg = 0;
  profile.defaultKey = 3;
  ASSERT_TRUE(push());
  EXPECT_EQ(sent().back(), Set(oid::k80211RemoveWep, Word(3)));
  EXPECT_TRUE(Has(sent(), Set(oid::k80211WepStatus, Word(1))));
}

TEST_F(ConfigurationPushTest, AFailingSsidSetStopsThePushAfterTheEarlierSettings) {
  ndis.failingOids[oid::k80211Ssid] = 0xC0010015;
  EXPECT_FALSE(push());
  EXPECT_EQ(sent().back().oid, oid::k80211Ssid);
  EXPECT_EQ(sent().size(), 16u);                    // no region, thresholds already held
  EXPECT_EQ(dot1xLibrary.operations().size(), 2u);  // the stop and the WPA switch-off
}

TEST_F(ConfigurationPushTest, AbortingStepsReturnFalseAndIgnoredOnesDoNot) {
  for (std::uint32_t ignored : {oid::kVndFf10000f, oid::kVndCountryCode, oid::kVndWmmConfig,
                                oid::kVndFfff8808, oid::kVndFf00002e}) {
    ndis.failingOids = {{ignored, 1}};
    EXPECT_TRUE(push()) << std::hex << ignored;
  }
  for (std::uint32_t aborting :
       {oid::kVndWirelessMode, oid::k80211InfrastructureMode, oid::kVndPowerSaveSet,
        oid::kVndTxPowerSet, oid::k80211AuthenticationMode, oid::k80211WepStatus}) {
    ndis.failingOids = {{aborting, 1}};
    EXPECT_FALSE(push()) << std::hex << aborting;
  }
  // A preamble the driver cannot report is not set at all.
  ndis.failingOids = {{oid::kVndPreambleGet, 1}};
  ndis.requests.clear();
  EXPECT_TRUE(push());
  for (const Sent& request : sent())
    EXPECT_NE(request.oid, oid::kVndPreambleSet);
}

TEST_F(ConfigurationPushTest, EapProfilesGoThroughTheirMethod) {
  profile.EapSelection = 4;
  profile.AdvancedAuthenticationType = 4;
  profile.LoginName = "tls-user";
  ASSERT_TRUE(push());
  const auto calls = dot1xLibrary.operations();
  EXPECT_EQ(calls[2], "AcContextConfigWpaEx(adapter#1, 1, null, null, 0, 0)");
  EXPECT_EQ(calls[3],
            "AcContextConfigTLSCredentialsA(adapter#1, \"tls-user\", absent, absent, 0, 0, 1)");
  EXPECT_EQ(calls.back(), "AcAdapterAuthenticate(adapter#1, 0)");
}

// --- Rules a regression could break unnoticed ---------------------------------------

bool Sends(const std::vector<Sent>& all, std::uint32_t oidNumber) {
  return std::any_of(all.begin(), all.end(), [&](const Sent& s) { return s.oid == oidNumber; });
}

TEST_F(ConfigurationPushTest, LeapSuppressesTheStaticKeys) {
  profile.EnableSecurity = 1;
  profile.EncryptionAlg = 1;
  profile.WPA = 0;
  profile.SharedKey = {"0102030405", "", "", ""};
  profile.leapEnabled = 1;
  ASSERT_TRUE(push());
  EXPECT_FALSE(Sends(sent(), oid::k80211AddWep));
  EXPECT_FALSE(Sends(sent(), oid::k80211RemoveWep));
  profile.leapEnabled = 0;
  ASSERT_TRUE(push());
  EXPECT_TRUE(Sends(sent(), oid::k80211AddWep));
}

TEST_F(ConfigurationPushTest, FailedSetsOfThresholdsPreambleAndKeysEndThePush) {
  profile.RTSThreshold = 500;
  profile.FragThreshold = 600;
  profile.EncryptionAlg = 0;  // the default key is removed
  for (std::uint32_t aborting : {oid::kVndRtsThresholdSet, oid::kVndFragThresholdSet,
                                 oid::kVndPreambleSet, oid::k80211RemoveWep}) {
    ndis.failingOids = {{aborting, 1}};
    ndis.requests.clear();
    EXPECT_FALSE(push()) << std::hex << aborting;
    EXPECT_EQ(sent().back().oid, aborting) << "nothing is sent after it";
  }
  profile.EnableSecurity = 1;
  profile.EncryptionAlg = 1;
  profile.WPA = 0;
  ndis.failingOids = {{oid::k80211AddWep, 1}};
  ndis.requests.clear();
  EXPECT_FALSE(push());
  const auto all = sent();
  EXPECT_EQ(std::count_if(all.begin(), all.end(),
                          [](const Sent& s) { return s.oid == oid::k80211AddWep; }),
            1)
      << "the first refused key ends it";
}

TEST_F(ConfigurationPushTest, WmmIsSentOnlyAtServicePackLevelTwo) {
  for (std::uint32_t level : {1u, 3u, 0u}) {
    system.servicePackLevel = level;
    ndis.requests.clear();
    ASSERT_TRUE(push());
    EXPECT_FALSE(Sends(sent(), oid::kVndWmmConfig)) << "level " << level;
  }
  system.servicePackLevel = 2;
  ndis.requests.clear();
  ASSERT_TRUE(push());
  EXPECT_TRUE(Sends(sent(), oid::kVndWmmConfig));
}

TEST_F(ConfigurationPushTest, WmmEnabledZeroClearsTheByteAndOtherValuesLeaveIt) {
  const std::pair<std::int32_t, std::uint8_t> cases[] = {{0, 0}, {1, 1}, {5, 7}, {-1, 7}};
  for (const auto& [enabled, byte] : cases) {
    ndis.answers[oid::kVndWmmConfig] = Twelve(8, 7);
    profile.WmmEnabled = enabled;
    ndis.requests.clear();
    ASSERT_TRUE(push());
    EXPECT_TRUE(Has(sent(), Set(oid::kVndWmmConfig, Twelve(8, byte)))) << "WmmEnabled " << enabled;
  }
}

TEST_F(ConfigurationPushTest, ARefusedCountrySetIsIgnored) {
  region("US");
  ndis.failingOids = {{oid::kVndCountryCode, 1}};
  EXPECT_TRUE(push());
  EXPECT_EQ(sent()[1], Set(oid::kVndCountryCode, Word(0x5553)));
  EXPECT_TRUE(Sends(sent(), oid::k80211Ssid));
}

TEST_F(ConfigurationPushTest, AThresholdTheDriverCannotReportIsNotSet) {
  profile.RTSThreshold = 500;
  profile.FragThreshold = 600;
  ndis.failingOids = {{oid::kVndRtsThresholdGet, 1}, {oid::kVndFragThresholdGet, 1}};
  EXPECT_TRUE(push());
  EXPECT_FALSE(Sends(sent(), oid::kVndRtsThresholdSet));
  EXPECT_FALSE(Sends(sent(), oid::kVndFragThresholdSet));
}

TEST_F(ConfigurationPushTest, AStoredKeyLengthAboveSixteenSendsSixteenBytesOfTheKey) {
  profile.EnableSecurity = 1;
  profile.EncryptionAlg = 1;
  profile.WPA = 0;
  profile.SharedKey = {"000102030405060708090A0B0C0D0E0F1011", "", "", ""};
  profile.SharedKeyLength = {900, 16, 16, 16};
  ASSERT_TRUE(push());
  const auto all = sent();
  const Sent& first = all[all.size() - 4];
  ASSERT_EQ(first.oid, oid::k80211AddWep);
  ASSERT_EQ(first.bytes.size(), 31u);
  EXPECT_EQ(std::vector<std::uint8_t>(first.bytes.begin() + 8, first.bytes.begin() + 12), Word(16));
  for (std::uint8_t i = 0; i < 16; ++i)
    EXPECT_EQ(first.bytes[12 + i], i);
}

TEST_F(ConfigurationPushTest, AnEarlierPushsMethodIsNotCarriedIntoTheNext) {
  profile.EnableSecurity = 2;
  profile.WPA = 1;
  profile.EapSelection = 1;
  profile.leapUserName = "leap-user";
  profile.leapUserPasswd = "leap-pw";
  ASSERT_TRUE(push());
  profile.EapSelection = 3;
  profile.LoginName = "peap-identity";
  dot1xLibrary.calls.clear();
  ASSERT_TRUE(push());
  bool peap = false;
  for (const std::string& call : dot1xLibrary.operations()) {
    EXPECT_EQ(call.find("Leap"), std::string::npos) << call;
    peap = peap || call.find("AcContextConfigPeapCredentialsA") != std::string::npos;
  }
  EXPECT_TRUE(peap);
}

TEST_F(ConfigurationPushTest, AlgeriaKeepsNoElevenAMode) {
  region("DZ");
  profile.NetBand = 0x1F;
  ASSERT_TRUE(push());
  EXPECT_EQ(profile.NetBand, 0x1C);
  EXPECT_EQ(sent()[2], Set(oid::kVndWirelessMode, {0x1C, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ConfigurationPushTest, TheRegionIsMatchedOnTheWholeRecordedCode) {
  region("JPN");  // not Japan, although the adapter is given its first two letters
  profile.NetBand = 0x1F;
  ASSERT_TRUE(push());
  EXPECT_EQ(profile.NetBand, 0x1F);
  EXPECT_EQ(sent()[1], Set(oid::kVndCountryCode, Word(0x4A50)));
  EXPECT_EQ(sent()[2], Set(oid::kVndWirelessMode, {0x1F, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ConfigurationPushTest, EncryptionOtherThanWepOrWpaSendsWepDisabled) {
  const std::pair<std::int32_t, std::uint32_t> cases[] = {{0, 1}, {1, 0}, {6, 6}, {2, 1},
                                                          {3, 1}, {4, 1}, {5, 1}, {-1, 1}};
  for (const auto& [algorithm, status] : cases) {
    profile.EncryptionAlg = algorithm;
    ndis.requests.clear();
    ASSERT_TRUE(push()) << algorithm;
    EXPECT_TRUE(Has(sent(), Set(oid::k80211WepStatus, Word(status)))) << algorithm;
  }
}

TEST_F(ConfigurationPushTest, EightOhTwoOneXAuthenticationModeFollowsTheSystemFamily) {
  profile.EapSelection = 4;
  profile.AdvancedAuthenticationType = 4;
  const std::pair<SystemKind, std::uint32_t> cases[] = {
      {{OsKind::Xp, 2}, 8}, {{OsKind::Xp, 1}, 8}, {{OsKind::Win2000, 1}, 8}, {{OsKind::Me, 98}, 3}};
  for (const auto& [kind, mode] : cases) {
    system = kind;
    ndis.requests.clear();
    ASSERT_TRUE(push());
    EXPECT_TRUE(Has(sent(), Set(oid::k80211AuthenticationMode, Word(mode))))
        << static_cast<int>(kind.os);
  }
}

}  // namespace
}  // namespace kestrel
