#pragma once
// The command line of kestrelctl, parsed into one command.

#include <optional>
#include <string>
#include <vector>

namespace kestrel::ctl {

enum class Verb {
  Status,
  Scan,
  ProfilesList,
  ProfilesShow,
  ProfilesApply,
  ProfilesSave,
  ProfilesDelete,
  Connect,
  Info,
  Stats,
};

struct Command {
  Verb verb = Verb::Status;
  std::string name;  // profile name or SSID
  bool json = false;
  bool yes = false;    // answers the store's overwrite and delete questions
  bool adHoc = false;  // profiles save: ad hoc network
  std::string ssid;    // profiles save: the network name
  std::optional<std::string> wepKey;
  std::optional<std::string> passphrase;
  int seconds = 5;
};

// Nothing when the words do not make a command; `error` then says why.
std::optional<Command> ParseCommand(const std::vector<std::string>& words, std::string& error);

extern const char kUsage[];

}  // namespace kestrel::ctl
