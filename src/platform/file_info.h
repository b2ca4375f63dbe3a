#pragma once
// Port: what the system reads about files: version resources, modification dates and
// where Windows lives.

#include <cstdint>
#include <string>

namespace kestrel {

// The fixed file information's file version: most and least significant words.
struct FileVersion {
  std::uint32_t mostSignificant = 0;
  std::uint32_t leastSignificant = 0;
};

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

class FileInfo {
 public:
  virtual ~FileInfo() = default;
  // False when the file has no version resource or its fixed block is empty.
  virtual bool fileVersion(const std::string& path, FileVersion& version) = 0;
  // The file's last modification as a local date; false when its status cannot be read.
  virtual bool lastModifiedLocalDate(const std::string& path, CalendarDate& date) = 0;
  // The Windows directory, without a trailing separator.
  virtual std::string windowsDirectory() = 0;
};

}  // namespace kestrel
