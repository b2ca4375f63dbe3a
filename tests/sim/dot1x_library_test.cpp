// The simulated 802.1X client: contexts and their counting, the adapter list, what it tells
// the simulated adapter, its diagnostics and its journal; and the binding driving it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dot1x/dot1x_client.h"
#include "dot1x_model_support.h"
#include "model/dot1x_journal.h"
#include "model/simulated_link.h"
#include "model/status_report.h"

namespace kestrel::sim {
namespace {

constexpr char kCardName[] = "KESTREL LX740N QX-7+ Wireless PC Card";

class Dot1xLibraryTest : public ::testing::Test, protected testing::SimFixture {
 protected:
  // The library's adapter context for the card, found as the binding finds it.
  AcContext card() {
    const AcContext global = library.globalOpenContext("test", "a_string");
    const AcContext iterator = library.iterateAdapters(global);
    AcContext found = nullptr;
    for (AcContext entry = library.iterateAdaptersNext(iterator); entry != nullptr;
         entry = library.iterateAdaptersNext(iterator)) {
      char name[100] = {};
      library.contextRelease(library.adapterGetName(entry, name, sizeof name));
      if (std::string(name) == kCardName && found == nullptr)
        found = entry;
      else
        library.contextRelease(entry);
    }
    library.contextRelease(iterator);
    library.contextRelease(global);
    return found;
  }
  // The status number of a result, which is then released.
  int status(AcContext result) {
    const int number = library.statusNumber(result);
    EXPECT_EQ(library.contextRelease(result), 1);
    return number;
  }
  // Joining a WPA2-PSK network as a push does before the hand-over to the client.
  void joinWpa2(const char* ssid = "KESTREL_WPA2") {
    security(1, 9, 6);
    setSsid(ssid);
  }
  void joinWpa2Eap() {
    security(1, 8, 6);
    setSsid("KESTREL_Corp");
  }
  std::uint32_t stateAfter(std::uint64_t ms) {
    after(ms);
    return state();
  }

  testing::LocalAccess access{adapter};
  SimulatedDot1xLibrary library{access, clock, 4242};
};

TEST_F(Dot1xLibraryTest, ListsAnotherAdapterThenTheCardWithTheSharedStatesMac) {
  shared.mac[5] = 0x77;  // the address is read when asked, not when loaded
  const AcContext global = library.globalOpenContext("test", "a_string");
  EXPECT_EQ(library.contextType(global), kAcGlobalType);
  const AcContext iterator = library.iterateAdapters(global);
  EXPECT_EQ(library.contextType(iterator), kAcAdapterIteratorType);

  std::vector<std::array<std::uint8_t, 6>> macs;
  for (AcContext entry = library.iterateAdaptersNext(iterator); entry != nullptr;
       entry = library.iterateAdaptersNext(iterator)) {
    EXPECT_EQ(library.contextType(entry), kAcAdapterType);
    std::array<std::uint8_t, 6> mac{};
    EXPECT_EQ(status(library.adapterGetMacAddress(entry, mac.data())), kAcStatusSuccess);
    macs.push_back(mac);
    library.contextRelease(entry);
  }
  ASSERT_EQ(macs.size(), 2u);
  EXPECT_NE(std::memcmp(macs[0].data(), shared.mac, 6), 0);
  EXPECT_EQ(std::memcmp(macs[1].data(), shared.mac, 6), 0);
  EXPECT_EQ(library.iterateAdaptersNext(iterator), nullptr);  // stays at the end
}

TEST_F(Dot1xLibraryTest, ARemovedCardIsNotListedAndCannotBeReadOrAuthenticated) {
  const AcContext held = card();
  adapter.setPresent(false);
  EXPECT_EQ(card(), nullptr);
  std::uint8_t mac[6] = {};
  EXPECT_EQ(status(library.adapterGetMacAddress(held, mac)), kAcErrorFailure);
  library.contextRelease(library.contextConfigWpaEx(held, 1, "kestrel-wpa2-psk", "X", 0, 0));
  EXPECT_EQ(status(library.adapterAuthenticate(held, 0)), kAcErrorFailure);
  EXPECT_EQ(shared.dot1xReported, 0u);
}

TEST_F(Dot1xLibraryTest, BadContextsAnswerErrorContextsWithTheirNumbers) {
  const AcContext global = library.globalOpenContext("test", "a_string");
  const AcContext adapterContext = card();
  const AcContext released = library.globalOpenContext("test", "a_string");
  library.contextRelease(released);

  const AcContext nullResult = library.adapterAuthenticateStop(nullptr);
  EXPECT_EQ(library.contextType(nullResult), kAcErrorType);
  EXPECT_EQ(status(nullResult), kAcErrorNullContext);
  EXPECT_EQ(status(library.contextConfigWpa(global, 1)), kAcErrorNotAdapterContext);
  EXPECT_EQ(status(library.adapterAuthenticate(released, 0)), kAcErrorNotCorrectContext);
  EXPECT_EQ(status(library.iterateAdapters(adapterContext)), kAcErrorNotGlobalContext);
  EXPECT_EQ(status(library.iterateAdaptersNext(global)), kAcErrorNotIteratorContext);
  EXPECT_EQ(status(library.adapterGetMacAddress(adapterContext, nullptr)),
            kAcErrorNullFunctionParameter);
  EXPECT_EQ(status(library.contextConfigWpa(adapterContext, 2)), kAcErrorInvalidParameter);

  const AcContext ok = library.contextConfigWpa(adapterContext, 1);
  EXPECT_EQ(library.contextType(ok), kAcStatusType);
  EXPECT_EQ(status(library.contextAttachEvent(ok, this)), kAcErrorNotCorrectContextForEvent);
  EXPECT_EQ(status(library.contextAttachEvent(global, nullptr)), kAcErrorNullFunctionParameter);
  EXPECT_EQ(status(library.contextAttachEvent(global, this)), kAcStatusSuccess);
  EXPECT_EQ(status(ok), kAcStatusSuccess);

  EXPECT_EQ(library.statusNumber(nullptr), kAcErrorNullContext);
  EXPECT_EQ(library.statusNumber(global), kAcErrorNotCorrectContext);
  EXPECT_EQ(library.contextType(nullptr), kAcUnknownType);
  EXPECT_EQ(library.contextType(released), kAcUnknownType);
}

TEST_F(Dot1xLibraryTest, EveryHandleIsReleasedOnceAndObjectsLiveWhileAHandleDoes) {
  const std::size_t objectsAtStart = library.liveObjects();
  const AcContext result = library.globalOpenContext("test", "a_string");
  const AcContext copy = library.contextCopyHandle(result);
  EXPECT_NE(copy, result);
  EXPECT_EQ(library.openHandles(), 2u);
  EXPECT_EQ(library.contextRelease(result), 1);
  EXPECT_EQ(library.contextRelease(result), 0);  // twice
  EXPECT_EQ(library.contextType(copy), kAcGlobalType);
  EXPECT_EQ(library.contextRelease(copy), 1);
  EXPECT_EQ(library.liveObjects(), objectsAtStart);
  EXPECT_EQ(library.contextRelease(nullptr), 0);
  int stranger = 0;
  EXPECT_EQ(library.contextRelease(&stranger), 0);
  EXPECT_EQ(status(library.contextCopyHandle(nullptr)), kAcErrorNullContext);

  // The library keeps its adapters: a released adapter handle can be found again.
  const AcContext first = card();
  EXPECT_EQ(library.contextRelease(first), 1);
  const AcContext again = card();
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again, first);  // handles are never reused
  library.contextRelease(again);
  EXPECT_EQ(library.openHandles(), 0u);
}

TEST_F(Dot1xLibraryTest, TheRightWpaPassphraseConnectsAndAWrongOneFallsBack) {
  const AcContext cardContext = card();
  joinWpa2();
  library.contextRelease(library.contextConfigWpa(cardContext, 1));
  EXPECT_EQ(
      status(library.contextConfigWpaEx(cardContext, 1, "kestrel-wpa2-psk", "KESTREL_WPA2", 0, 0)),
      kAcStatusSuccess);
  EXPECT_EQ(status(library.adapterAuthenticate(cardContext, 0)), kAcStatusSuccess);
  EXPECT_EQ(stateAfter(1100), 2u);  // authenticating for its least time
  EXPECT_EQ(stateAfter(500), 1u);

  library.contextRelease(
      library.contextConfigWpaEx(cardContext, 1, "not-the-passphrase", "KESTREL_WPA2", 0, 0));
  joinWpa2();
  library.contextRelease(library.adapterAuthenticate(cardContext, 0));
  EXPECT_EQ(stateAfter(1600), 0u);
  EXPECT_EQ(shared.lastFailure, LinkFailure::WrongKey);
}

TEST_F(Dot1xLibraryTest, StopWithdrawsTheReportSoTheLinkWaits) {
  const AcContext cardContext = card();
  joinWpa2();
  library.contextRelease(
      library.contextConfigWpaEx(cardContext, 1, "kestrel-wpa2-psk", "KESTREL_WPA2", 0, 0));
  library.contextRelease(library.adapterAuthenticate(cardContext, 0));
  EXPECT_EQ(status(library.adapterAuthenticateStop(cardContext)), kAcStatusSuccess);
  EXPECT_EQ(stateAfter(5000), 2u);
  EXPECT_FALSE(library.adapters()[1].configuration.authenticating);
}

TEST_F(Dot1xLibraryTest, PassphrasesAndNamesOutOfBoundsAreRefusedAndLeaveTheConfiguration) {
  const AcContext cardContext = card();
  library.contextRelease(library.contextConfigWpaEx(cardContext, 1, "kestrel-wpa2-psk", "A", 0, 0));
  EXPECT_EQ(status(library.contextConfigWpaEx(cardContext, 1, "short", "A", 0, 0)),
            kAcErrorInvalidParameter);
  // 64 bytes with no terminator: only 64 are read.
  char unterminated[64];
  std::memset(unterminated, 'p', sizeof unterminated);
  EXPECT_EQ(status(library.contextConfigWpaEx(cardContext, 1, unterminated, "A", 0, 0)),
            kAcErrorInvalidParameter);
  const std::string longName(33, 'n');
  EXPECT_EQ(status(library.contextConfigWpaEx(cardContext, 1, nullptr, longName.c_str(), 0, 0)),
            kAcErrorInvalidParameter);
  const AdapterConfiguration& configuration = library.adapters()[1].configuration;
  EXPECT_EQ(configuration.passphrase, "kestrel-wpa2-psk");
  EXPECT_EQ(configuration.networkName, "A");

  // Switching WPA off forgets the passphrase.
  EXPECT_EQ(status(library.contextConfigWpaEx(cardContext, 0, nullptr, nullptr, 0, 0)),
            kAcStatusSuccess);
  EXPECT_FALSE(configuration.wpa);
  EXPECT_EQ(configuration.passphrase, "");
  EXPECT_EQ(status(library.adapterAuthenticate(cardContext, 0)), kAcErrorFailure);
}

TEST_F(Dot1xLibraryTest, EapPasswordsAreReportedAndTlsOffersNothingANetworkAccepts) {
  const AcContext cardContext = card();
  const CertificateBlob thumbprint{20, {1, 2, 3}};
  EXPECT_EQ(status(library.configPeapCredentials(cardContext, "outer", nullptr, &thumbprint, 0,
                                                 "alice", "corp-password", 0, 1, 1)),
            kAcStatusSuccess);
  EXPECT_EQ(library.credentialsNumber(cardContext), 6);  // Peap
  EXPECT_EQ(library.adapters()[1].configuration.clientCertificateLength, 20u);
  joinWpa2Eap();
  library.contextRelease(library.adapterAuthenticate(cardContext, 0));
  EXPECT_EQ(stateAfter(1600), 1u);

  EXPECT_EQ(status(library.configLeapCredentials(cardContext, "bob", "wrong-password")),
            kAcStatusSuccess);
  joinWpa2Eap();
  library.contextRelease(library.adapterAuthenticate(cardContext, 0));
  EXPECT_EQ(stateAfter(1600), 0u);

  EXPECT_EQ(status(library.configTlsCredentials(cardContext, "outer", nullptr, nullptr, 0, 0, 1)),
            kAcStatusSuccess);
  EXPECT_EQ(library.adapters()[1].configuration.password, "");
  joinWpa2Eap();
  library.contextRelease(library.adapterAuthenticate(cardContext, 0));
  EXPECT_EQ(stateAfter(1600), 0u);
  EXPECT_EQ(shared.lastFailure, LinkFailure::WrongKey);
}

TEST_F(Dot1xLibraryTest, CredentialCallsRefuseMissingOversizedAndOverlongInput) {
  const AcContext cardContext = card();
  library.contextRelease(library.configMd5Credentials(cardContext, "carol", "secret"));
  EXPECT_EQ(status(library.configMd5Credentials(cardContext, "carol", nullptr)),
            kAcErrorNullFunctionParameter);
  EXPECT_EQ(status(library.configTtlsCredentials(cardContext, nullptr, nullptr, nullptr, 0, "u",
                                                 "p", 0, 1, 1)),
            kAcErrorNullFunctionParameter);
  const CertificateBlob oversized{21, {}};
  EXPECT_EQ(status(library.configPeapCredentials(cardContext, "i", nullptr, &oversized, 0, "u", "p",
                                                 0, 1, 1)),
            kAcErrorInvalidParameter);
  const std::string overlong(257, 'x');
  EXPECT_EQ(status(library.configLeapCredentials(cardContext, overlong.c_str(), "p")),
            kAcErrorInvalidParameter);
  const AdapterConfiguration& configuration = library.adapters()[1].configuration;
  EXPECT_EQ(configuration.method, EapMethod::Md5);
  EXPECT_EQ(configuration.user, "carol");
  EXPECT_EQ(configuration.password, "secret");
}

TEST_F(Dot1xLibraryTest, DiagnosticsStayInsideTheirBuffersAndNameTheAdapter) {
  const AcContext cardContext = card();
  char small[8];
  std::memset(small, '#', sizeof small);
  EXPECT_EQ(status(library.adapterGetName(cardContext, small, 5)), kAcErrorBufferTooSmall);
  EXPECT_STREQ(small, "KEST");
  EXPECT_EQ(small[5], '#');
  EXPECT_EQ(status(library.adapterGetName(cardContext, small, 0)), kAcErrorNullFunctionParameter);
  EXPECT_EQ(small[0], 'K');
  EXPECT_EQ(status(library.adapterGetName(cardContext, nullptr, 100)),
            kAcErrorNullFunctionParameter);

  const AcContext result = library.contextConfigWpaEx(cardContext, 1, "x", nullptr, 0, 0);
  char text[1000];
  EXPECT_EQ(status(library.statusFormat(result, text, sizeof text)), kAcStatusSuccess);
  EXPECT_STREQ(text, "a passphrase has 8 to 63 characters");
  char log[1000];
  EXPECT_EQ(status(library.getLogError(result, log, sizeof log)), kAcStatusSuccess);
  EXPECT_STREQ(log,
               "AcContextConfigWpaEx: AcErrorInvalidParameter: a passphrase has 8 to 63 "
               "characters");
  library.contextRelease(result);

  const AcContext ok = library.contextConfigWpa(cardContext, 1);
  const AcContext related = library.statusRelatedContext(ok);
  EXPECT_EQ(library.contextType(related), kAcAdapterType);
  char name[1000];
  EXPECT_EQ(status(library.adapterGetName(related, name, sizeof name)), kAcStatusSuccess);
  EXPECT_STREQ(name, kCardName);
  library.contextRelease(related);
  EXPECT_EQ(status(library.statusFormat(cardContext, text, sizeof text)),
            kAcErrorNotCorrectContext);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(library.credentialsNumber(ok), 0);
  library.contextRelease(ok);
  EXPECT_EQ(library.statusRelatedContext(nullptr), nullptr);
}

TEST_F(Dot1xLibraryTest, TheJournalKeepsTheLastCallsForKestrelSimStatus) {
  const AcContext cardContext = card();  // open, iterate: 2 entries
  joinWpa2();
  library.contextRelease(
      library.contextConfigWpaEx(cardContext, 1, "kestrel-wpa2-psk", "KESTREL_WPA2", 0, 0));
  library.contextRelease(library.adapterAuthenticate(cardContext, 0));
  library.contextRelease(library.adapterAuthenticateStop(nullptr));
  EXPECT_EQ(shared.dot1xCallCount, 5u);
  const std::string report = StatusReport(shared);
  EXPECT_NE(report.find("802.1x calls: 5\n"), std::string::npos) << report;
  EXPECT_NE(report.find("802.1x call: pid 4242 AcGlobalOpenContextA status 30 AcStatusSuccess -- "
                        "application test\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("AcContextConfigWpaEx status 30 AcStatusSuccess -- enable 1, ssid "
                        "KESTREL_WPA2, passphrase 16 bytes\n"),
            std::string::npos);
  EXPECT_NE(report.find("AcAdapterAuthenticate status 30 AcStatusSuccess -- reported WPA-PSK "
                        "passphrase (16 bytes)\n"),
            std::string::npos);
  EXPECT_NE(report.find("AcAdapterAuthenticateStop status 52 AcErrorNullContext\n"),
            std::string::npos);
  EXPECT_EQ(report.find("kestrel-wpa2-psk"), std::string::npos);  // never the secret

  for (int i = 0; i < 30; ++i)
    library.contextRelease(library.contextConfigWpa(cardContext, i % 2));
  const std::string later = Dot1xJournalReport(shared);
  std::size_t lines = 0;
  for (std::size_t at = later.find("802.1x call:"); at != std::string::npos;
       at = later.find("802.1x call:", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, kDot1xJournalSize);
  EXPECT_EQ(later.find("AcGlobalOpenContextA"), std::string::npos);
  EXPECT_EQ(later.substr(later.size() - 9), "enable 1\n");  // the newest last
  adapter.reset(DefaultScenario());
  EXPECT_EQ(shared.dot1xCallCount, 0u);
}

TEST_F(Dot1xLibraryTest, FailingEveryCallAnswersErrorsAndChangesNothingUntilSwitchedOff) {
  const AcContext cardContext = card();
  joinWpa2();
  library.contextRelease(
      library.contextConfigWpaEx(cardContext, 1, "kestrel-wpa2-psk", "KESTREL_WPA2", 0, 0));
  const std::size_t handles = library.openHandles();
  const std::uint32_t calls = shared.dot1xCallCount;
  adapter.failDot1xCalls(true);

  const AcContext global = library.globalOpenContext("test", "a_string");
  EXPECT_EQ(library.contextType(global), kAcErrorType);
  EXPECT_EQ(status(global), kAcErrorInitializationFailure);
  std::uint8_t mac[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(status(library.adapterGetMacAddress(cardContext, mac)), kAcErrorFailure);
  EXPECT_EQ(mac[0], 1);
  EXPECT_EQ(status(library.iterateAdapters(nullptr)), kAcErrorFailure);
  EXPECT_EQ(status(library.iterateAdaptersNext(nullptr)), kAcErrorFailure);
  EXPECT_EQ(status(library.contextCopyHandle(cardContext)), kAcErrorFailure);
  EXPECT_EQ(status(library.contextConfigWpa(cardContext, 0)), kAcErrorFailure);
  EXPECT_EQ(status(library.contextConfigWpaEx(cardContext, 0, nullptr, nullptr, 0, 0)),
            kAcErrorFailure);
  EXPECT_EQ(status(library.configLeapCredentials(cardContext, "user", "secret")), kAcErrorFailure);
  EXPECT_EQ(status(library.configTlsCredentials(cardContext, "id", nullptr, nullptr, 0, 0, 1)),
            kAcErrorFailure);
  EXPECT_EQ(status(library.contextAttachEvent(cardContext, this)), kAcErrorFailure);
  EXPECT_EQ(status(library.adapterAuthenticateStop(cardContext)), kAcErrorFailure);
  EXPECT_EQ(status(library.adapterAuthenticate(cardContext, 0)), kAcErrorFailure);
  EXPECT_EQ(shared.dot1xReported, 0u);  // nothing reached the card
  EXPECT_EQ(library.credentialsNumber(cardContext), 0);

  const AcContext failed = library.contextConfigWpa(cardContext, 1);
  const AcContext related = library.statusRelatedContext(failed);
  EXPECT_EQ(library.contextType(related), kAcErrorType);
  char text[16] = "untouched";
  EXPECT_EQ(status(library.statusFormat(failed, text, sizeof text)), kAcErrorFailure);
  EXPECT_STREQ(text, "");
  std::strcpy(text, "untouched");
  EXPECT_EQ(status(library.adapterGetName(cardContext, text, sizeof text)), kAcErrorFailure);
  EXPECT_STREQ(text, "");
  std::strcpy(text, "untouched");
  EXPECT_EQ(status(library.getLogError(cardContext, text, 0)), kAcErrorFailure);
  EXPECT_STREQ(text, "untouched");  // a buffer of size 0 is not written
  EXPECT_EQ(status(related), kAcErrorFailure);
  EXPECT_EQ(status(failed), kAcErrorFailure);
  EXPECT_EQ(library.openHandles(), handles);  // every error context could be released

  const std::string report = StatusReport(shared);
  EXPECT_NE(report.find("802.1x client: failing every call\n"), std::string::npos) << report;
  EXPECT_NE(report.find("AcGlobalOpenContextA status 42 AcErrorInitializationFailure\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("AcAdapterAuthenticate status 41 AcErrorFailure\n"), std::string::npos);
  EXPECT_EQ(shared.dot1xCallCount, calls + 11);

  // Switched off, the configuration from before answers as if nothing had been asked.
  adapter.failDot1xCalls(false);
  EXPECT_EQ(status(library.adapterAuthenticate(cardContext, 0)), kAcStatusSuccess);
  EXPECT_EQ(stateAfter(1600), 1u);
  adapter.failDot1xCalls(true);
  adapter.reset(DefaultScenario());
  EXPECT_FALSE(adapter.failingDot1xCalls());
  library.contextRelease(cardContext);
}

TEST(Dot1xJournal, ADetailFilledToTheEdgeIsReadWithinItsBytes) {
  SharedAdapterState state{};
  RecordDot1xCall(state, 1, 7, Dot1xCall::AdapterAuthenticate, 30, std::string(200, 'd'));
  EXPECT_EQ(std::strlen(state.dot1xJournal[0].detail), kDot1xJournalDetailBytes - 1);
  std::memset(state.dot1xJournal[0].detail, 'e', kDot1xJournalDetailBytes);  // torn write
  state.dot1xJournal[0].call = 999;
  const std::string report = Dot1xJournalReport(state);
  EXPECT_NE(report.find("pid 7 ? status 30 AcStatusSuccess -- " +
                        std::string(kDot1xJournalDetailBytes, 'e') + "\n"),
            std::string::npos)
      << report;
}

// The system's binding driving the simulated library.
class BindingOverModelTest : public Dot1xLibraryTest {
 protected:
  std::array<std::uint8_t, 6> cardMac() const {
    std::array<std::uint8_t, 6> mac{};
    std::memcpy(mac.data(), shared.mac, 6);
    return mac;
  }
  testing::ModelPort port{library};
  DiscardingDot1xDiagnostics diagnostics;
};

TEST_F(BindingOverModelTest, OpenFindsTheCardAndAPskHandOverConnectsWithNothingLeftOpen) {
  {
    Dot1xClient client(port, diagnostics);
    ASSERT_TRUE(client.Open(cardMac()));
    joinWpa2();
    client.StopAuthentication();
    client.ConfigureWpaPsk("kestrel-wpa2-psk", "KESTREL_WPA2");
    client.StartAuthentication();
    EXPECT_EQ(stateAfter(1600), 1u);
    EXPECT_EQ(library.openHandles(), 2u);  // the global and the adapter
    client.Close();
  }
  EXPECT_EQ(library.openHandles(), 0u);
}

TEST_F(BindingOverModelTest, OpenFailsForAnotherMacAndWhileTheCardIsRemoved) {
  Dot1xClient client(port, diagnostics);
  std::array<std::uint8_t, 6> other = cardMac();
  other[5] ^= 1;
  EXPECT_FALSE(client.Open(other));
  adapter.setPresent(false);
  EXPECT_FALSE(client.Open(cardMac()));
  client.Close();
  EXPECT_EQ(library.openHandles(), 0u);
}

TEST_F(BindingOverModelTest, AFailingLibraryMakesOpenFalseAndPushesHarmlessUntilItAnswers) {
  Dot1xClient client(port, diagnostics);
  ASSERT_TRUE(client.Open(cardMac()));
  adapter.failDot1xCalls(true);
  EXPECT_FALSE(client.Open(cardMac()));  // the card found again while the library fails
  joinWpa2();
  client.StopAuthentication();
  client.ConfigureWpaPsk("kestrel-wpa2-psk", "KESTREL_WPA2");
  client.StartAuthentication();
  EXPECT_EQ(stateAfter(5000), 2u);  // authenticating, with nothing reported
  // The earlier adapter and the error kept as the global: nothing else was left open.
  EXPECT_EQ(library.openHandles(), 2u);

  adapter.failDot1xCalls(false);
  EXPECT_TRUE(client.Open(cardMac()));
  joinWpa2();
  client.StopAuthentication();
  client.ConfigureWpaPsk("kestrel-wpa2-psk", "KESTREL_WPA2");
  client.StartAuthentication();
  EXPECT_EQ(stateAfter(1600), 1u);
  client.Close();
  EXPECT_EQ(library.openHandles(), 0u);
}

}  // namespace
}  // namespace kestrel::sim
