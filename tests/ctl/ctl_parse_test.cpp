// The command line: help and version, the options each command takes, and the refusals.
#include <gtest/gtest.h>

#include "ctl_command.h"

namespace kestrel::ctl {
namespace {

std::optional<Command> Parse(std::vector<std::string> words) {
  std::string error;
  return ParseCommand(words, error);
}

TEST(ParseCommand, HelpComesInEveryUsualSpellingAndNamesItsTopic) {
  const struct {
    std::vector<std::string> words;
    std::string topic;
  } cases[] = {{{"--help"}, ""},
               {{"-h"}, ""},
               {{"help"}, ""},
               {{"help", "connect"}, "connect"},
               {{"help", "profiles", "save"}, "profiles save"},
               {{"connect", "--help"}, "connect"},
               {{"connect", "Lab", "--wep-key", "x", "-h"}, "connect"},
               {{"profiles", "apply", "--help"}, "profiles apply"},
               {{"stats", "--seconds", "0", "--help"}, "stats"}};
  for (const auto& c : cases) {
    const auto command = Parse(c.words);
    ASSERT_TRUE(command) << c.words[0];
    EXPECT_EQ(command->verb, Verb::Help) << c.words[0];
    EXPECT_EQ(command->helpTopic, c.topic) << c.words[0];
  }
  EXPECT_FALSE(Parse({"help", "reboot"}));
  EXPECT_EQ(Parse({"--version"})->verb, Verb::Version);
  EXPECT_FALSE(Parse({"--version", "now"}));
}

TEST(ParseCommand, UsageNamesEveryCommandAndOneCommandsUsageOnlyItself) {
  const std::string usage = UsageText();
  for (const char* name :
       {"status", "scan", "profiles list", "profiles show", "profiles apply", "profiles save",
        "profiles delete", "connect", "info", "stats", "--wait", "--no-wait", "5 not connected"}) {
    EXPECT_NE(usage.find(name), std::string::npos) << name;
  }
  const std::string connect = UsageText("connect");
  EXPECT_NE(connect.find("--wait SECONDS"), std::string::npos);
  EXPECT_EQ(connect.find("profiles"), std::string::npos);
  const std::string profiles = UsageText("profiles");
  EXPECT_NE(profiles.find("profiles save"), std::string::npos);
  EXPECT_NE(profiles.find("profiles delete"), std::string::npos);
  EXPECT_TRUE(UsageText("reboot").empty());
}

TEST(ParseCommand, ConnectAndApplyWaitTwentySecondsUnlessTold) {
  EXPECT_EQ(Parse({"connect", "Lab"})->waitSeconds, 20);
  EXPECT_EQ(Parse({"connect", "Lab", "--wait", "8"})->waitSeconds, 8);
  EXPECT_EQ(Parse({"connect", "Lab", "--no-wait"})->waitSeconds, 0);
  EXPECT_EQ(Parse({"profiles", "apply", "Home", "--wait", "3600"})->waitSeconds, 3600);
  EXPECT_EQ(Parse({"profiles", "apply", "Home", "--no-wait"})->waitSeconds, 0);
  EXPECT_TRUE(Parse({"connect", "Lab", "--adhoc"})->adHoc);
}

TEST(ParseCommand, MachineFormatsWhereTheyAreOffered) {
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"status", "--json"},
                                             {"info", "--json"},
                                             {"stats", "--json", "--seconds", "3"},
                                             {"profiles", "list", "--json"},
                                             {"profiles", "--json"},
                                             {"profiles", "show", "Lab", "--json"},
                                             {"scan", "--json"}}) {
    const auto command = Parse(words);
    ASSERT_TRUE(command) << words[0];
    EXPECT_EQ(command->format, Format::Json) << words[0];
  }
  EXPECT_EQ(Parse({"profiles", "--json"})->verb, Verb::ProfilesList);
  EXPECT_EQ(Parse({"scan", "--csv"})->format, Format::Csv);
  EXPECT_EQ(Parse({"scan"})->format, Format::Table);
}

TEST(ParseCommand, RefusesWhatNoCommandTakesWithAReason) {
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {},
           {"reboot"},
           {"--verbose"},
           {"connect"},
           {"connect", "--passphrase", "x"},
           {"connect", "n", "--wep-key", "00", "--passphrase", "p"},
           {"connect", "n", "--wep-key"},
           {"connect", "n", "--wait"},
           {"connect", "n", "--wait", "0"},
           {"connect", "n", "--wait", "3601"},
           {"connect", "n", "--wait", "8s"},
           {"connect", "n", "--wait", "8", "--no-wait"},
           {"connect", "n", "--no-wait", "--wait", "8"},
           {"connect", "n", "--json"},
           {"profiles", "save", "Lab"},
           {"profiles", "save", "Lab", "--ssid", "x", "--wait", "3"},
           {"profiles", "delete"},
           {"profiles", "rename", "a"},
           {"profiles", "list", "--csv"},
           {"stats", "--seconds", "0"},
           {"stats", "--seconds", "5x"},
           {"status", "--verbose"},
           {"status", "--csv"},
           {"status", "--yes"},
           {"info", "--wait", "3"},
           {"scan", "--json", "--csv"}}) {
    std::string error;
    EXPECT_FALSE(ParseCommand(bad, error)) << (bad.empty() ? "(empty)" : bad.back());
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace kestrel::ctl
