#include "controls/help_text.h"

#include <cctype>

namespace kestrel {

namespace {

constexpr char kRtfSignature[] = "{\\rtf";
constexpr std::size_t kSignatureSize = 5;

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

std::string HelpFilePath(const std::string& executablePath, const std::string& fileName) {
  std::size_t start = 0;
  if (executablePath.size() >= 2 && executablePath[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(executablePath[0])) != 0) {
    start = 2;
  }
  // End of the directory: just past the last separator that is a whole character.
  std::size_t directoryEnd = start;
  for (std::size_t i = start; i < executablePath.size(); ++i) {
    const auto byte = static_cast<unsigned char>(executablePath[i]);
    if (IsCp932LeadByte(byte)) {
      ++i;
      continue;
    }
    if (IsSeparator(executablePath[i]))
      directoryEnd = i + 1;
  }
  if (directoryEnd == start)
    return {};
  return executablePath.substr(0, directoryEnd) + fileName;
}

HelpTextFormat DetectHelpTextFormat(const std::uint8_t* head, std::size_t size) {
  if (size < kSignatureSize)
    return HelpTextFormat::PlainText;
  for (std::size_t i = 0; i < kSignatureSize; ++i) {
    if (std::tolower(head[i]) != kRtfSignature[i])
      return HelpTextFormat::PlainText;
  }
  return HelpTextFormat::Rtf;
}

HelpLoadResult LoadHelpText(HelpPane& pane, SharedReadFiles& files, const std::string& path) {
  if (path.empty() || files.kind(path) != FileKind::File) {
    pane.reportProblem(HelpFileProblem::InvalidFileName, path);
    return HelpLoadResult::InvalidFileName;
  }
  const std::unique_ptr<ReadableFile> file = files.openShared(path);
  if (!file) {
    pane.reportProblem(HelpFileProblem::CannotOpen, path);
    return HelpLoadResult::CannotOpen;
  }

  std::uint8_t head[kSignatureSize] = {};
  std::size_t headSize = 0;
  if (file->seek(0)) {
    while (headSize < kSignatureSize) {
      const std::size_t got = file->read(head + headSize, kSignatureSize - headSize);
      if (got == 0)
        break;
      headSize += got;
    }
  }
  const HelpTextFormat format = DetectHelpTextFormat(head, headSize);

  std::uint64_t offset = 0;
  pane.streamIn(format, [&file, &offset](std::uint8_t* buffer, std::size_t capacity) {
    if (!file->seek(offset))
      return std::size_t{0};
    const std::size_t got = file->read(buffer, capacity);
    offset += got;
    return got;
  });
  return HelpLoadResult::Loaded;
}

}  // namespace kestrel
