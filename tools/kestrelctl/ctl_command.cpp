#include "ctl_command.h"

#include <cstdlib>

namespace kestrel::ctl {

namespace {

// Options a command takes, as bits.
enum Option : unsigned {
  kJson = 1u << 0,
  kCsv = 1u << 1,
  kYes = 1u << 2,
  kAdHoc = 1u << 3,
  kSsid = 1u << 4,
  kSecurity = 1u << 5,  // --wep-key, --passphrase
  kSeconds = 1u << 6,
  kWait = 1u << 7,  // --wait, --no-wait
  kSecrets = 1u << 8,
  kReplace = 1u << 9,
  kCount = 1u << 10,
};

// What a command takes before its options.
enum class Positional { None, Name, File, FileAndNames };

struct CommandEntry {
  const char* topic;  // the words that name it
  Verb verb;
  Positional positional;
  unsigned options;
  const char* synopsis;
  const char* description;
};

constexpr CommandEntry kCommands[] = {
    {"status", Verb::Status, Positional::None, kJson, "status [--json]",
     "link state, network, BSSID, channel, rate and signal, as the status panel shows them"},
    {"scan", Verb::Scan, Positional::None, kJson | kCsv, "scan [--json | --csv]",
     "one survey cycle (about 5 s), then the networks heard"},
    {"profiles list", Verb::ProfilesList, Positional::None, kJson, "profiles list [--json]",
     "the names of the stored profiles"},
    {"profiles show", Verb::ProfilesShow, Positional::Name, kJson, "profiles show NAME [--json]",
     "a profile's settings, never its keys or passphrase"},
    {"profiles apply", Verb::ProfilesApply, Positional::Name, kWait,
     "profiles apply NAME [--wait SECONDS | --no-wait]",
     "applies a stored profile as the settings page does, then waits for its network"},
    {"profiles save", Verb::ProfilesSave, Positional::Name, kSsid | kAdHoc | kSecurity | kYes,
     "profiles save NAME --ssid SSID [--adhoc] [--wep-key HEX | --passphrase TEXT] [--yes]",
     "saves a profile as the settings page does; --yes answers the overwrite question"},
    {"profiles delete", Verb::ProfilesDelete, Positional::Name, kYes,
     "profiles delete NAME [--yes]", "deletes a profile; --yes answers the question"},
    {"connect", Verb::Connect, Positional::Name, kAdHoc | kSecurity | kWait,
     "connect SSID [--adhoc] [--wep-key HEX | --passphrase TEXT] [--wait SECONDS | --no-wait]",
     "applies the network as the settings page does, then waits until the link is up"},
    {"info", Verb::Info, Positional::None, kJson, "info [--json]",
     "region, MAC and IP address, driver and utility versions and dates"},
    {"stats", Verb::Stats, Positional::None, kJson | kSeconds, "stats [--seconds N] [--json]",
     "the statistics page's figures once a second for N seconds (default 5)"},
    {"profiles export", Verb::ProfilesExport, Positional::FileAndNames, kSecrets,
     "profiles export FILE [NAME...] [--include-secrets]",
     "writes profiles (all user profiles when none is named) to a JSON file, - for the "
     "standard output; --include-secrets adds keys and passwords in the clear"},
    {"profiles import", Verb::ProfilesImport, Positional::File, kReplace | kYes,
     "profiles import FILE [--replace] [--yes]",
     "stores every profile of an exported file, or none; --replace --yes overwrites profiles "
     "of the same names"},
    {"monitor", Verb::Monitor, Positional::None, kJson | kSeconds | kCount,
     "monitor [--json] [--seconds N | --count N]",
     "one line per change of card, link, channel, rate or signal bars, polled once a second, "
     "until Ctrl+C, N seconds or N events"},
};

constexpr char kUsageHead[] =
    "usage: kestrelctl COMMAND [OPTIONS]\n"
    "       kestrelctl --help | help [COMMAND] | --version\n";
constexpr char kUsageTail[] =
    "--wait SECONDS  how long connect and profiles apply watch the link (1-3600, default 20)\n"
    "--no-wait       return once the settings are applied\n"
    "exit codes: 0 success, 2 usage, 3 adapter absent, 4 settings refused,\n"
    "            5 not connected when the wait ran out\n";

const CommandEntry* FindEntry(const std::string& topic) {
  for (const CommandEntry& entry : kCommands) {
    if (topic == entry.topic)
      return &entry;
  }
  return nullptr;
}

bool IsHelpWord(const std::string& word) {
  return word == "--help" || word == "-h";
}

bool ParseWholeNumber(const std::string& text, int lowest, int highest, int& value) {
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || end == nullptr || *end != '\0' || number < lowest || number > highest)
    return false;
  value = static_cast<int>(number);
  return true;
}

// Options after the positional words; false with `error` set on anything the command does
// not take.
bool ParseOptions(const std::vector<std::string>& words, std::size_t from,
                  const CommandEntry& entry, Command& command, std::string& error) {
  bool waitGiven = false;
  for (std::size_t i = from; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool hasValue = i + 1 < words.size();
    unsigned needed = 0;
    if (word == "--json" || word == "--csv") {
      needed = word == "--json" ? kJson : kCsv;
      if (command.format != Format::Table) {
        error = "--json and --csv exclude each other";
        return false;
      }
      command.format = word == "--json" ? Format::Json : Format::Csv;
    } else if (word == "--yes") {
      needed = kYes;
      command.yes = true;
    } else if (word == "--adhoc") {
      needed = kAdHoc;
      command.adHoc = true;
    } else if (word == "--ssid" && hasValue) {
      needed = kSsid;
      command.ssid = words[++i];
    } else if (word == "--wep-key" && hasValue) {
      needed = kSecurity;
      command.wepKey = words[++i];
    } else if (word == "--passphrase" && hasValue) {
      needed = kSecurity;
      command.passphrase = words[++i];
    } else if (word == "--seconds" && hasValue) {
      needed = kSeconds;
      if (!ParseWholeNumber(words[++i], 1, 3600, command.seconds)) {
        error = "--seconds takes a whole number from 1 to 3600";
        return false;
      }
      command.secondsGiven = true;
    } else if (word == "--count" && hasValue) {
      needed = kCount;
      if (!ParseWholeNumber(words[++i], 1, 1000000, command.count)) {
        error = "--count takes a whole number from 1 to 1000000";
        return false;
      }
    } else if (word == "--include-secrets") {
      needed = kSecrets;
      command.includeSecrets = true;
    } else if (word == "--replace") {
      needed = kReplace;
      command.replace = true;
    } else if (word == "--wait" && hasValue) {
      needed = kWait;
      if (waitGiven || !ParseWholeNumber(words[++i], 1, kLongestWaitSeconds, command.waitSeconds)) {
        error = "--wait takes one whole number of seconds from 1 to 3600, without --no-wait";
        return false;
      }
      waitGiven = true;
    } else if (word == "--no-wait") {
      needed = kWait;
      if (waitGiven) {
        error = "--no-wait excludes --wait";
        return false;
      }
      command.waitSeconds = 0;
      waitGiven = true;
    } else {
      error = "unknown or incomplete option: " + word;
      return false;
    }
    if ((entry.options & needed) == 0) {
      error = std::string(entry.topic) + " does not take " + word;
      return false;
    }
  }
  if (command.wepKey && command.passphrase) {
    error = "--wep-key and --passphrase exclude each other";
    return false;
  }
  if (command.secondsGiven && command.count > 0) {
    error = "--seconds and --count exclude each other";
    return false;
  }
  return true;
}

std::optional<Command> Help(const std::string& topic, std::string& error) {
  if (!topic.empty() && UsageText(topic).empty()) {
    error = "no such command: " + topic;
    return std::nullopt;
  }
  Command command;
  command.verb = Verb::Help;
  command.helpTopic = topic;
  return command;
}

std::string Joined(const std::vector<std::string>& words, std::size_t from) {
  std::string joined;
  for (std::size_t i = from; i < words.size(); ++i)
    joined += (i > from ? " " : "") + words[i];
  return joined;
}

}  // namespace

std::string UsageText(const std::string& topic) {
  if (topic.empty()) {
    std::string usage = std::string(kUsageHead) + "commands:\n";
    for (const CommandEntry& entry : kCommands)
      usage += std::string("  ") + entry.synopsis + "\n      " + entry.description + "\n";
    return usage + kUsageTail;
  }
  std::string usage;
  for (const CommandEntry& entry : kCommands) {
    const std::string name = entry.topic;
    if (name == topic || name.rfind(topic + " ", 0) == 0)
      usage +=
          std::string("usage: kestrelctl ") + entry.synopsis + "\n  " + entry.description + "\n";
  }
  return usage;
}

std::optional<Command> ParseCommand(const std::vector<std::string>& words, std::string& error) {
  if (words.empty()) {
    error = "no command";
    return std::nullopt;
  }
  const std::string& verb = words[0];
  if (IsHelpWord(verb) || verb == "help")
    return Help(Joined(words, 1), error);
  if (verb == "--version") {
    if (words.size() > 1) {
      error = "--version takes nothing more";
      return std::nullopt;
    }
    Command command;
    command.verb = Verb::Version;
    return command;
  }

  std::string topic = verb;
  std::size_t next = 1;
  if (verb == "profiles") {
    // "profiles" alone lists them, as it always has.
    const bool listed = words.size() == 1 || words[1].rfind("--", 0) == 0;
    topic += listed ? " list" : " " + words[1];
    next = listed ? 1 : 2;
  }
  const CommandEntry* entry = FindEntry(topic);
  if (entry == nullptr) {
    error =
        verb == "profiles" ? "unknown profiles command: " + words[1] : "unknown command: " + verb;
    return std::nullopt;
  }
  for (std::size_t i = next; i < words.size(); ++i) {
    if (IsHelpWord(words[i]))
      return Help(entry->topic, error);
  }

  Command command;
  command.verb = entry->verb;
  auto positionalAt = [&](std::size_t at) {
    // "-" alone is a file name (the standard output), not an option.
    return at < words.size() && (words[at] == "-" || words[at].rfind("-", 0) != 0);
  };
  if (entry->positional == Positional::Name) {
    if (words.size() <= next || words[next].rfind("--", 0) == 0) {
      error = std::string(entry->topic) +
              (entry->verb == Verb::Connect ? " needs an SSID" : " needs a profile name");
      return std::nullopt;
    }
    command.name = words[next++];
  } else if (entry->positional != Positional::None) {
    if (!positionalAt(next)) {
      error = std::string(entry->topic) + " needs a file name";
      return std::nullopt;
    }
    command.file = words[next++];
    while (entry->positional == Positional::FileAndNames && positionalAt(next))
      command.names.push_back(words[next++]);
  }
  if (!ParseOptions(words, next, *entry, command, error))
    return std::nullopt;
  if (command.verb == Verb::ProfilesSave && command.ssid.empty()) {
    error = "profiles save needs --ssid";
    return std::nullopt;
  }
  return command;
}

}  // namespace kestrel::ctl
