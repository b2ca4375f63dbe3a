#pragma once
// The command line of kestrelctl, parsed into one command.

#include <optional>
#include <string>
#include <vector>

namespace kestrel::ctl {

enum class Verb {
  Help,
  Version,
  Status,
  Scan,
  ProfilesList,
  ProfilesShow,
  ProfilesApply,
  ProfilesSave,
  ProfilesDelete,
  ProfilesExport,
  ProfilesImport,
  Connect,
  Info,
  Stats,
  Monitor,
};

enum class Format { Table, Json, Csv };

inline constexpr int kDefaultWaitSeconds = 20;
inline constexpr int kLongestWaitSeconds = 3600;

struct Command {
  Verb verb = Verb::Status;
  std::string helpTopic;  // help: "" for the whole usage, else a command such as "connect"
  std::string name;       // profile name or SSID
  Format format = Format::Table;
  bool yes = false;    // answers the store's overwrite and delete questions
  bool adHoc = false;  // profiles save, connect: ad hoc network
  std::string ssid;    // profiles save: the network name
  std::optional<std::string> wepKey;
  std::optional<std::string> passphrase;
  int seconds = 5;
  bool secondsGiven = false;
  int count = 0;                   // monitor: events before it ends; 0 = no limit
  std::string file;                // profiles export, import: "-" is the standard output
  std::vector<std::string> names;  // profiles export: none = every user profile
  bool includeSecrets = false;
  bool replace = false;  // profiles import: names already stored may be replaced
  // connect, profiles apply: how long to watch for the link; 0 = do not wait.
  int waitSeconds = kDefaultWaitSeconds;
};

// Nothing when the words do not make a command; `error` then says why.
std::optional<Command> ParseCommand(const std::vector<std::string>& words, std::string& error);

// The whole usage, or one command's ("connect", "profiles save", "profiles"); empty for a
// topic that is no command.
std::string UsageText(const std::string& topic = "");

}  // namespace kestrel::ctl
