#pragma once
// Port: files beside the program read while others may still write them (the help files).
// Paths are byte strings in the system code page.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kestrel {

enum class FileKind { Missing, File, Directory, VolumeLabel };

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Moves the read position to `offset` bytes from the start; false on failure.
  virtual bool seek(std::uint64_t offset) = 0;
  // Reads up to `count` bytes; the number read, 0 at the end or on a read error.
  virtual std::size_t read(std::uint8_t* buffer, std::size_t count) = 0;
};

class SharedReadFiles {
 public:
  virtual ~SharedReadFiles() = default;
  // What the path names; Missing also when its status cannot be read.
  virtual FileKind kind(const std::string& path) = 0;
  // Opens for binary reading without denying others read or write; null on failure.
  virtual std::unique_ptr<ReadableFile> openShared(const std::string& path) = 0;
};

}  // namespace kestrel
