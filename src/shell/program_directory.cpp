#include "shell/program_directory.h"

#include <cctype>
#include <vector>

namespace kestrel {

namespace {

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

std::string ProgramDirectory(const std::string& path, bool keepTrailing) {
  std::size_t start = 0;
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])) != 0)
    start = 2;
  // Separators that are whole characters, not the second byte of a double-byte one.
  std::vector<std::size_t> separators;
  for (std::size_t i = start; i < path.size(); ++i) {
    if (IsCp932LeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;
      continue;
    }
    if (IsSeparator(path[i]))
      separators.push_back(i);
  }
  std::size_t end = separators.empty() ? start : separators.back() + 1;
  if (!keepTrailing) {
    while (!separators.empty() && separators.back() + 1 == end) {
      end = separators.back();
      separators.pop_back();
    }
  }
  return path.substr(0, end);
}

}  // namespace kestrel
