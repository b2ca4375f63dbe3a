#pragma once
// kestrelctl's commands over the same core objects the tray utility uses.

#include <atomic>
#include <functional>
#include <string>

#include "adapter/adapter_discovery.h"
#include "ctl_command.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "text_codec.h"
#include "ui/app_services.h"

namespace kestrel::ctl {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitAdapterAbsent = 3;
inline constexpr int kExitRefused = 4;
inline constexpr int kExitNotConnected = 5;

// Where the command writes. Texts are core texts (CP932); the console side converts.
class CtlOutput {
 public:
  virtual ~CtlOutput() = default;
  virtual void line(const std::string& text) = 0;
  virtual void error(const std::string& text) = 0;
  // True when the standard output is a terminal, not a file or a pipe: only then are
  // progress and "nothing found" shown.
  virtual bool terminal() const = 0;
  // Progress on the current line, without a line end; called only on a terminal.
  virtual void progress(const std::string& text) = 0;
  // A whole UTF-8 document for the standard output, written as it stands.
  virtual void document(const std::string& utf8) = 0;
};

struct CtlContext {
  AppServices& services;
  AdapterDiscovery& discovery;
  Clock& clock;
  CtlOutput& out;
  // Set by the runner once the adapter was found; the driver mirror reads it.
  bool& adapterFound;
  // The release date ("Jun 30 2005"), as the information page shows it.
  std::string releaseDate;
  // profiles export and import: the file, its encoding, and the registry an import
  // restores when a write fails half-way.
  TextCodec& codec;
  CtlFiles& files;
  Registry& registry;
  // monitor: the adapter's request channel, opened afresh after a loss, and Ctrl+C.
  bool& channelOpened;
  const std::atomic<bool>& interrupted;
};

int RunCommand(const Command& command, CtlContext& context);

}  // namespace kestrel::ctl
