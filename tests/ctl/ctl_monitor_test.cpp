// kestrelctl monitor over the fakes: the first tick tells the state found, later ticks
// only what changed, at the tray's period, until the count, the seconds or Ctrl+C.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ctl_machine.h"
#include "ctl_runner.h"

namespace kestrel::ctl {
namespace {

class Lines : public CtlOutput {
 public:
  void line(const std::string& text) override { lines.push_back(text); }
  void error(const std::string& text) override { errors.push_back(text); }
  bool terminal() const override { return false; }
  void progress(const std::string&) override {}
  void document(const std::string&) override {}
  std::vector<std::string> lines;
  std::vector<std::string> errors;
};

class MonitorTest : public ::testing::Test, public CtlMachine {
 protected:
  MonitorTest() { ndis.answerWord(oid::kGenHardwareStatus, 0); }

  void connect(const std::string& name, std::int32_t rssi, std::uint32_t rate = 54) {
    ndis.answerWord(oid::kVndConnectionState, 1);
    std::vector<std::uint8_t> ssid(36, 0);
    ssid[0] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), ssid.begin() + 4);
    ndis.answers[oid::k80211Ssid] = ssid;
    ndis.answers[oid::k80211Bssid] = {0x00, 0x14, 0x6C, 0x5E, 0x00, 0x01};
    ndis.answerWord(oid::kVndChannelInfo, 2437 | (0x0400u << 16));
    ndis.answerWord(oid::kVndTxRate, rate);
    ndis.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(rssi));
    ndis.answerWord(oid::k80211InfrastructureMode, 1);
  }
  void removeCard() {
    ndis.answerWord(oid::kGenHardwareStatus, 4);
    ndis.adapters.clear();
  }
  void putCardBack() {
    ndis.answerWord(oid::kGenHardwareStatus, 0);
    ndis.adapters = {{kModelDescription, kDevice}};
  }

  int run(std::vector<std::string> words) {
    std::string error;
    const auto command = ParseCommand(words, error);
    EXPECT_TRUE(command) << error;
    CtlContext context{services, discovery, clock,    out,           adapterPresent, "Jun 30 2005",
                       codec,    ctlFiles,  registry, channelOpened, interrupted};
    return command ? RunCommand(*command, context) : -1;
  }

  Lines out;
};

TEST_F(MonitorTest, TellsTheStateFoundThenEachChangeAsItHappens) {
  connect("KESTREL_11g", -50);
  clock.at.push_back({2000, [&] { connect("KESTREL_11g", -80); }});
  clock.at.push_back({3000, [&] { removeCard(); }});
  clock.at.push_back({5000, [&] { putCardBack(); }});
  clock.at.push_back({7000, [&] { ndis.answerWord(oid::kVndConnectionState, 0); }});
  clock.at.push_back({8000, [&] { connect("Second Floor", -50, 11); }});
  EXPECT_EQ(run({"monitor", "--seconds", "10"}), kExitSuccess);
  EXPECT_EQ(out.lines, (std::vector<std::string>{
                           "0.000 card found",
                           "0.000 link connected KESTREL_11g 00:14:6C:5E:00:01",
                           "0.000 channel 6 (G, 2437 MHz)",
                           "0.000 rate 54 Mbps",
                           "0.000 signal 7 of 8 bars (92%)",
                           "2.000 signal 5 of 8 bars (36%)",
                           "3.000 card removed",
                           "5.000 card found",
                           "5.000 link connected KESTREL_11g 00:14:6C:5E:00:01",
                           "5.000 channel 6 (G, 2437 MHz)",
                           "5.000 rate 54 Mbps",
                           "5.000 signal 5 of 8 bars (36%)",
                           "7.000 link lost",
                           "8.000 link connected Second Floor 00:14:6C:5E:00:01",
                           "8.000 channel 6 (G, 2437 MHz)",
                           "8.000 rate 11 Mbps",
                           "8.000 signal 7 of 8 bars (92%)",
                       }));
  EXPECT_EQ(clock.slept, 10000u);
  EXPECT_TRUE(out.errors.empty());
}

TEST_F(MonitorTest, JsonGivesOneTypedObjectALine) {
  connect("Lab \"5G\"", -50);
  clock.at.push_back({1000, [&] { ndis.answerWord(oid::kVndConnectionState, 3); }});
  EXPECT_EQ(run({"monitor", "--json", "--count", "6"}), kExitSuccess);
  ASSERT_EQ(out.lines.size(), 6u);
  EXPECT_EQ(out.lines[0], R"({"time_s": 0.000, "event": "card", "state": "found"})");
  EXPECT_EQ(out.lines[1],
            R"({"time_s": 0.000, "event": "link", "state": "connected", "ssid": "Lab \"5G\"", )"
            R"("ssid_hex": "4C61622022354722", "bssid": "00:14:6C:5E:00:01"})");
  EXPECT_EQ(out.lines[2], R"({"time_s": 0.000, "event": "channel", "channel": 6, "band": "G", )"
                          R"("frequency_mhz": 2437})");
  EXPECT_EQ(out.lines[3], R"({"time_s": 0.000, "event": "rate", "rate_mbps": 54})");
  EXPECT_EQ(out.lines[4],
            R"({"time_s": 0.000, "event": "signal", "signal_bars": 7, "signal_percent": 92})");
  EXPECT_EQ(out.lines[5], R"({"time_s": 1.000, "event": "link", "state": "lost"})");
  EXPECT_EQ(clock.slept, 1000u);
}

TEST_F(MonitorTest, AnAbsentCardIsAnEventNotAnError) {
  removeCard();
  clock.at.push_back({3000, [&] { putCardBack(); }});
  EXPECT_EQ(run({"monitor", "--count", "3"}), kExitSuccess);
  EXPECT_EQ(out.lines, (std::vector<std::string>{"0.000 card absent", "3.000 card found",
                                                 "3.000 link not associated"}));
}

TEST_F(MonitorTest, NothingChangingWritesNothingAfterTheFirstTick) {
  connect("KESTREL_11g", -60);
  EXPECT_EQ(run({"monitor", "--seconds", "30"}), kExitSuccess);
  EXPECT_EQ(out.lines.size(), 5u);
  EXPECT_EQ(clock.slept, 30000u);
}

TEST_F(MonitorTest, CtrlCEndsAtTheNextTickWithExitZero) {
  connect("KESTREL_11g", -60);
  clock.at.push_back({4000, [&] { interrupted = true; }});
  EXPECT_EQ(run({"monitor"}), kExitSuccess);
  EXPECT_EQ(clock.slept, 4000u);
}

TEST(MonitorCommand, SecondsAndCountExcludeEachOther) {
  std::string error;
  EXPECT_FALSE(ParseCommand({"monitor", "--seconds", "5", "--count", "2"}, error));
  EXPECT_EQ(error, "--seconds and --count exclude each other");
  EXPECT_FALSE(ParseCommand({"monitor", "--count", "0"}, error));
  EXPECT_FALSE(ParseCommand({"monitor", "--csv"}, error));
}

}  // namespace
}  // namespace kestrel::ctl
