#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace kestrel::deploy {

// A child program's output as its bytes come through a pipe, cut into the lines that go to
// the installation's log: each ends at LF (a CR before it dropped); a line longer than
// kMaxLineBytes is cut there, never inside a UTF-8 character; after kMaxLines lines the rest
// is counted, not given, so that a runaway program cannot fill the log.
class OutputLines {
 public:
  static constexpr std::size_t kMaxLineBytes = 1024;
  static constexpr std::size_t kMaxLines = 500;

  explicit OutputLines(std::function<void(const std::string&)> onLine);

  void feed(const char* data, std::size_t size);
  // Gives the unterminated rest and, if lines were left out, a line that says how many.
  void finish();

 private:
  void give(std::string line);
  void cutOverlongPending();

  std::function<void(const std::string&)> onLine_;
  std::string pending_;
  std::size_t given_ = 0;
  std::size_t leftOut_ = 0;
};

}  // namespace kestrel::deploy
