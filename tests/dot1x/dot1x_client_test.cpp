#include "dot1x/dot1x_client.h"

#include <gtest/gtest.h>

#include <new>

#include "dot1x/dot1x_names.h"
#include "dot1x/psk_buffer.h"
#include "fakes/fake_dot1x_library.h"

namespace kestrel {
namespace {

using Calls = std::vector<std::string>;
const std::array<std::uint8_t, 6> kMac{0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};

class RecordingDiagnostics : public Dot1xDiagnostics {
 public:
  void trace(const std::string& line) override { traces.push_back(line); }
  void standardError(const std::string& line) override { errors.push_back(line); }
  bool traced(const std::string& text) const {
    for (const auto& line : traces) {
      if (line.find(text) != std::string::npos)
        return true;
    }
    return false;
  }
  std::vector<std::string> traces;
  std::vector<std::string> errors;
};

class Dot1xClientTest : public ::testing::Test {
 protected:
  Dot1xClientTest() {
    library.adapters = {{{1, 2, 3, 4, 5, 6}}, {kMac}};
    profile.EnableSecurity = 2;
  }
  // Opens, then forgets the calls so far.
  void openReady() {
    ASSERT_TRUE(client.Open(kMac));
    library.calls.clear();
  }

  fakes::FakeDot1xLibrary library;
  RecordingDiagnostics diagnostics;
  Dot1xClient client{library, diagnostics};
  WirelessProfile profile;
};

TEST_F(Dot1xClientTest, OpenFindsTheAdapterWithTheSameMacAndKeepsACopy) {
  EXPECT_TRUE(client.Open(kMac));
  EXPECT_TRUE(client.dot1xAvailable());
  EXPECT_EQ(library.operations(),
            (Calls{"AcGlobalOpenContextA(corvusap, \"a_string\")", "AcIterateAdapters(global)",
                   "AcAdapterGetMacAddress(adapter#1)", "AcAdapterGetMacAddress(adapter#2)",
                   "AcContextCopyHandle(adapter#2)"}));
  // Only the global context and the adapter copy stay held.
  EXPECT_EQ(library.live.size(), 2u);
  client.Close();
  EXPECT_TRUE(library.live.empty());
}

TEST_F(Dot1xClientTest, TheMacMustMatchInAllSixBytes) {
  library.adapters = {{{0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9E}}};
  EXPECT_FALSE(client.Open(kMac));
  EXPECT_TRUE(diagnostics.traced("adapter selection failed"));
  EXPECT_EQ(library.live.size(), 1u);  // the global context only
}

TEST_F(Dot1xClientTest, AnAdapterWhoseMacCannotBeReadIsSkipped) {
  library.adapters = {{kMac, 41}, {kMac}};
  EXPECT_TRUE(client.Open(kMac));
  EXPECT_TRUE(diagnostics.traced("Unable to retrieve adapter Address"));
}

TEST_F(Dot1xClientTest, AnEntryThatIsNotAnAdapterEndsTheSearch) {
  library.adapters = {{{9, 9, 9, 9, 9, 9}}, {kMac, kAcStatusSuccess, kAcStatusType}, {kMac}};
  EXPECT_FALSE(client.Open(kMac));
  EXPECT_EQ(library.live.size(), 1u);
}

TEST_F(Dot1xClientTest, AGlobalContextOfTheWrongTypeIsReported) {
  library.globalType = kAcErrorType;
  EXPECT_FALSE(client.Open(kMac));
  EXPECT_TRUE(diagnostics.traced("test_context type == AcErrorType!\n"));
  library.globalType = kAcGlobalType;
  library.iteratorType = kAcErrorType;
  EXPECT_FALSE(client.Open(kMac));
  EXPECT_EQ(library.live.size(), 1u);  // the first global released, the iterator too
}

TEST_F(Dot1xClientTest, ASecondOpenKeepsTheOldAdapterWhenNoNewOneMatches) {
  ASSERT_TRUE(client.Open(kMac));
  library.adapters = {};
  EXPECT_FALSE(client.Open(kMac));
  library.calls.clear();
  client.StopAuthentication();
  EXPECT_EQ(library.operations()[0], "AcAdapterAuthenticateStop(adapter#2)");
  EXPECT_EQ(library.live.size(), 2u);  // new global, old adapter copy
}

TEST_F(Dot1xClientTest, AMissingLibraryMakesEveryLaterCallANoOpUntilItLoads) {
  const std::pair<Dot1xLoadFailure::Kind, const char*> cases[] = {
      {Dot1xLoadFailure::Kind::LibraryNotFound,
       "ACAPI: Delay Load Exception: DLL not found: aegisE4.dll\n"},
      {Dot1xLoadFailure::Kind::FunctionNotFound,
       "ACAPI: Delay Load Exception: Function AcIterateAdapters was not found in aegisE4.dll\n"},
      {Dot1xLoadFailure::Kind::OrdinalNotFound,
       "ACAPI: Delay Load Exception: Function ordinal 12 was not found in aegisE4.dll\n"},
  };
  for (const auto& [kind, line] : cases) {
    diagnostics.traces.clear();
    library.loadFailure = kind;
    EXPECT_FALSE(client.Open(kMac));
    EXPECT_EQ(diagnostics.traces, std::vector<std::string>({line}));
  }
  client.StopAuthentication();
  client.ConfigureWpaPsk("secret-passphrase", "net");
  client.ConfigureEap(profile);
  EXPECT_TRUE(library.calls.empty());

  library.loadFailure = Dot1xLoadFailure::Kind::None;
  EXPECT_TRUE(client.Open(kMac));
}

TEST_F(Dot1xClientTest, StopSendsTheStopAndSwitchesWpaOff) {
  openReady();
  client.StopAuthentication();
  EXPECT_EQ(library.operations(), (Calls{"AcAdapterAuthenticateStop(adapter#2)",
                                         "AcContextConfigWpaEx(adapter#2, 0, null, null, 0, 0)"}));
  EXPECT_EQ(library.live.size(), 2u);
}

TEST_F(Dot1xClientTest, WpaPskCutsTextsToSixtyThreeBytes) {
  openReady();
  client.ConfigureWpaPsk(std::string(70, 'p'), "kestrel-lab");
  EXPECT_EQ(library.operations(), (Calls{"AcContextConfigWpa(adapter#2, 1)",
                                         "AcContextConfigWpaEx(adapter#2, 1, \"" +
                                             std::string(63, 'p') + "\", \"kestrel-lab\", 0, 0)"}));
}

TEST_F(Dot1xClientTest, PeapWithWpaUsesTheLoginAndAdvancedCredentials) {
  openReady();
  profile.EapSelection = 3;
  profile.AdvancedAuthenticationType = 4;
  profile.LoginName = "outer";
  profile.AdvancedUserName = "alice";
  profile.AdvancedPassword = "pw";
  client.ConfigureEap(profile);
  EXPECT_EQ(library.operations(),
            (Calls{"AcContextConfigWpaEx(adapter#2, 1, null, null, 0, 0)",
                   "AcContextConfigPeapCredentialsA(adapter#2, \"outer\", absent, absent, 0, "
                   "\"alice\", \"pw\", 0, 1, 1)",
                   "AcContextAttachEvent(global)", "AcContextAttachEvent(adapter#2)",
                   "AcAdapterAuthenticate(adapter#2, 0)"}));
  EXPECT_TRUE(diagnostics.traced("Context result of configuring PEAP: AcStatusSuccess"));
  EXPECT_EQ(library.live.size(), 2u);
}

TEST_F(Dot1xClientTest, ClientCertificateIsPassedWithItsLength) {
  openReady();
  profile.EapSelection = 4;
  profile.ClientCertLen = 20;
  profile.Certificate[0] = 0xAB;
  client.ConfigureEap(profile);
  EXPECT_EQ(library.operations()[1],
            "AcContextConfigTLSCredentialsA(adapter#2, \"\", absent, blob20:171, 0, 0, 1)");
}

TEST_F(Dot1xClientTest, LeapLeavesTheCertificateAsItWas) {
  openReady();
  profile.EapSelection = 4;
  profile.ClientCertLen = 20;
  client.ConfigureEap(profile);
  profile.EapSelection = 1;
  profile.AdvancedAuthenticationType = 0;
  profile.leapUserName = "bob";
  profile.leapUserPasswd = "leap-pw";
  library.calls.clear();
  client.credentials().clearMethods();
  client.ConfigureEap(profile);
  EXPECT_EQ(library.operations()[0], "AcContextConfigWpaEx(adapter#2, 0, null, null, 0, 0)");
  EXPECT_EQ(library.operations()[1],
            "AcContextConfigLeapCredentialsA(adapter#2, \"bob\", \"leap-pw\")");
  EXPECT_EQ(client.credentials().clientCertificate.length, 20u);
}

TEST_F(Dot1xClientTest, TtlsAndMd5TakeThisProfilesTextsNeverAnEarlierOnes) {
  openReady();
  profile.EapSelection = 3;
  profile.LoginName = "first-identity";
  profile.AdvancedUserName = "first-user";
  profile.AdvancedPassword = "first-pw";
  client.ConfigureEap(profile);

  WirelessProfile next;
  next.EnableSecurity = 2;
  next.EapSelection = 5;
  next.LoginName = "ttls-identity";
  library.calls.clear();
  client.credentials().clearMethods();
  client.ConfigureEap(next);
  EXPECT_EQ(library.operations()[1],
            "AcContextConfigTTLSCredentialsA(adapter#2, \"ttls-identity\", absent, absent, 0, "
            "\"\", \"\", 0, 1, 1)");

  next.EapSelection = 6;
  next.AdvancedUserName = "md5-user";
  library.calls.clear();
  client.credentials().clearMethods();
  client.ConfigureEap(next);
  EXPECT_EQ(library.operations()[1],
            "AcContextConfigMd5CredentialsA(adapter#2, \"md5-user\", \"\")");
}

TEST_F(Dot1xClientTest, NoPasswordIsKeptAfterTheLibraryHasTakenIt) {
  openReady();
  profile.AdvancedPassword = "advanced-secret";
  profile.leapUserPasswd = "leap-secret";
  for (std::int32_t method : {1, 3, 5, 6}) {
    profile.EapSelection = method;
    library.calls.clear();
    client.credentials().clearMethods();
    client.ConfigureEap(profile);
    EXPECT_NE(library.operations()[1].find("-secret"), std::string::npos) << method;
    EXPECT_TRUE(client.credentials().password.empty()) << method;
  }
}

TEST(PskBuffer, HoldsSixtyThreeBytesAndIsWipedWhenItGoes) {
  alignas(PskBuffer) unsigned char storage[sizeof(PskBuffer)];
  auto* buffer = new (storage) PskBuffer(std::string(70, 'p'));
  EXPECT_EQ(std::string(buffer->data()), std::string(63, 'p'));
  buffer->~PskBuffer();
  for (unsigned char byte : storage)
    EXPECT_EQ(byte, 0);
}

TEST_F(Dot1xClientTest, AnUnknownMethodIsReportedAndAuthenticationStillStarts) {
  openReady();
  profile.EapSelection = 9;
  client.ConfigureEap(profile);
  EXPECT_EQ(diagnostics.errors,
            std::vector<std::string>({"UtilConfigCredentials: unknown authenticate method\n"}));
  EXPECT_EQ(library.operations().back(), "AcAdapterAuthenticate(adapter#2, 0)");
}

TEST_F(Dot1xClientTest, EachStartReplacesTheEventsOfTheLastOne) {
  openReady();
  client.StartAuthentication();
  EXPECT_TRUE(library.eventsClosed.empty());
  client.StartAuthentication();
  EXPECT_EQ(library.eventsClosed.size(), 2u);
}

TEST_F(Dot1xClientTest, CloseTwiceReleasesOnce) {
  openReady();
  client.Close();
  const std::size_t released = library.calls.size();
  EXPECT_EQ(released, 2u);
  client.Close();
  EXPECT_EQ(library.calls.size(), released);
}

TEST_F(Dot1xClientTest, AFailingReleaseIsTracedAndIgnored) {
  openReady();
  library.releaseFails = true;
  client.StopAuthentication();
  EXPECT_TRUE(diagnostics.traced("TestContextRelease: FAILED\n"));
}

TEST_F(Dot1xClientTest, FailedResultsAreTracedWithTheirStatusNames) {
  openReady();
  library.resultStatus = 41;
  client.StopAuthentication();
  EXPECT_TRUE(diagnostics.traced("AcAdapterAuthenticateStop: AcErrorFailure: status text\n"));
}

TEST(Dot1xNames, CoverTheTablesAndTheirEdges) {
  EXPECT_STREQ(StatusName(30), "AcStatusSuccess");
  EXPECT_STREQ(StatusName(76), "AcStatus8021xSpecial1AuthenticationTimeout");
  EXPECT_STREQ(StatusName(17), "?AcStatusEnum?");
  EXPECT_STREQ(StatusName(-1), "?AcStatusEnum?");
  EXPECT_STREQ(CredentialsName(0), "CredentialsTypeUnknown");
  EXPECT_STREQ(CredentialsName(7), "PeapGtcPassword");
  EXPECT_STREQ(CredentialsName(8), "?AcEapMethodEnum?");
  EXPECT_STREQ(CredentialsName(-3), "?AcEapMethodEnum?");
}

}  // namespace
}  // namespace kestrel
