#pragma once
// Port: files beside the program that the system reads once and removes (the installer's
// region file). Paths are byte strings in the system code page.

#include <cstddef>
#include <string>

namespace kestrel {

enum class FileReadResult { Read, CannotOpen, ReadError, TooLarge };

class LocalFiles {
 public:
  virtual ~LocalFiles() = default;
  // The whole file as bytes when it holds at most `maxBytes`; `bytes` is left alone
  // otherwise. A file larger than that is not read at all (TooLarge).
  virtual FileReadResult readWhole(const std::string& path, std::size_t maxBytes,
                                   std::string& bytes) = 0;
  // False when the file could not be deleted (also when it is missing).
  virtual bool remove(const std::string& path) = 0;
};

}  // namespace kestrel
