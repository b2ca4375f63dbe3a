#include "ctl_command.h"

#include <cstdlib>

namespace kestrel::ctl {

const char kUsage[] =
    "usage: kestrelctl COMMAND\n"
    "  status                          link state, network, channel, rate, signal\n"
    "  scan [--json]                   one survey cycle and the networks heard\n"
    "  profiles list\n"
    "  profiles show NAME              the profile's settings, without its secrets\n"
    "  profiles apply NAME\n"
    "  profiles save NAME --ssid SSID [--adhoc] [--wep-key HEX | --passphrase TEXT] [--yes]\n"
    "  profiles delete NAME [--yes]\n"
    "  connect SSID [--wep-key HEX | --passphrase TEXT]\n"
    "  info                            region, MAC, IP, driver and utility versions\n"
    "  stats [--seconds N]             the statistics page's figures once a second\n"
    "exit codes: 0 success, 2 usage, 3 adapter absent, 4 settings refused\n";

namespace {

// Options after the positional words; false with `error` set on anything unknown.
bool ParseOptions(const std::vector<std::string>& words, std::size_t from, Command& command,
                  std::string& error) {
  for (std::size_t i = from; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool hasValue = i + 1 < words.size();
    if (word == "--json") {
      command.json = true;
    } else if (word == "--yes") {
      command.yes = true;
    } else if (word == "--adhoc") {
      command.adHoc = true;
    } else if (word == "--ssid" && hasValue) {
      command.ssid = words[++i];
    } else if (word == "--wep-key" && hasValue) {
      command.wepKey = words[++i];
    } else if (word == "--passphrase" && hasValue) {
      command.passphrase = words[++i];
    } else if (word == "--seconds" && hasValue) {
      char* end = nullptr;
      const long seconds = std::strtol(words[++i].c_str(), &end, 10);
      if (end == nullptr || *end != '\0' || seconds < 1 || seconds > 3600) {
        error = "--seconds takes a number from 1 to 3600";
        return false;
      }
      command.seconds = static_cast<int>(seconds);
    } else {
      error = "unknown or incomplete option: " + word;
      return false;
    }
  }
  if (command.wepKey && command.passphrase) {
    error = "--wep-key and --passphrase exclude each other";
    return false;
  }
  return true;
}

}  // namespace

std::optional<Command> ParseCommand(const std::vector<std::string>& words, std::string& error) {
  if (words.empty()) {
    error = "no command";
    return std::nullopt;
  }
  Command command;
  const std::string& verb = words[0];
  std::size_t options = 1;
  if (verb == "status") {
    command.verb = Verb::Status;
  } else if (verb == "scan") {
    command.verb = Verb::Scan;
  } else if (verb == "info") {
    command.verb = Verb::Info;
  } else if (verb == "stats") {
    command.verb = Verb::Stats;
  } else if (verb == "connect") {
    if (words.size() < 2 || words[1].rfind("--", 0) == 0) {
      error = "connect needs an SSID";
      return std::nullopt;
    }
    command.verb = Verb::Connect;
    command.name = words[1];
    options = 2;
  } else if (verb == "profiles") {
    const std::string sub = words.size() > 1 ? words[1] : "list";
    options = 2;
    if (sub == "list") {
      command.verb = Verb::ProfilesList;
    } else if (sub == "show" || sub == "apply" || sub == "save" || sub == "delete") {
      if (words.size() < 3 || words[2].rfind("--", 0) == 0) {
        error = "profiles " + sub + " needs a profile name";
        return std::nullopt;
      }
      command.verb = sub == "show"    ? Verb::ProfilesShow
                     : sub == "apply" ? Verb::ProfilesApply
                     : sub == "save"  ? Verb::ProfilesSave
                                      : Verb::ProfilesDelete;
      command.name = words[2];
      options = 3;
    } else {
      error = "unknown profiles command: " + sub;
      return std::nullopt;
    }
  } else {
    error = "unknown command: " + verb;
    return std::nullopt;
  }
  if (!ParseOptions(words, options, command, error))
    return std::nullopt;
  if (command.verb == Verb::ProfilesSave && command.ssid.empty()) {
    error = "profiles save needs --ssid";
    return std::nullopt;
  }
  return command;
}

}  // namespace kestrel::ctl
