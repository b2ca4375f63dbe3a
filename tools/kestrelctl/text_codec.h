#pragma once
// Port: the system code page's texts (core texts, code page 932) to and from UTF-8, the
// encoding of the files kestrelctl writes and reads.

#include <string>

namespace kestrel::ctl {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // False when a byte sequence is no character of the code page; `utf8` is then unset.
  virtual bool utf8FromCore(const std::string& core, std::string& utf8) = 0;
  // False when the text is not UTF-8 or holds a character the code page lacks (no
  // best-fit substitutes); `core` is then unset.
  virtual bool coreFromUtf8(const std::string& utf8, std::string& core) = 0;
};

// Port: whole files named on the command line (paths in the system code page).
class CtlFiles {
 public:
  virtual ~CtlFiles() = default;
  enum class ReadResult { Read, CannotOpen, TooLarge };
  // The whole file when it holds at most `maxBytes`.
  virtual ReadResult readWhole(const std::string& path, std::size_t maxBytes,
                               std::string& bytes) = 0;
  // Replaces the file with exactly these bytes; false when it could not be written.
  virtual bool writeWhole(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace kestrel::ctl
