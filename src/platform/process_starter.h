#pragma once
// Port: starting another program and leaving it to run.

#include <string>

namespace kestrel {

class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // Starts the program at `path` (its command line is the path itself), inheriting no
  // handles, with default start-up information, and does not wait for it. False when it
  // could not be started, for instance because the file is missing.
  virtual bool start(const std::string& path) = 0;
};

}  // namespace kestrel
