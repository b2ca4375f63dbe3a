#pragma once
// In-memory help files and help pane: files by path with their kind and bytes, a pane that
// keeps what was streamed into it and the problems it was asked to report.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/help_pane.h"
#include "platform/shared_read_files.h"

namespace kestrel::fakes {

struct FakeFile {
  FileKind kind = FileKind::File;
  std::string bytes;
  bool openFails = false;
  std::size_t failReadAt = std::string::npos;  // a read from this offset on fails
};

class FakeSharedReadFiles : public SharedReadFiles {
 public:
  std::map<std::string, FakeFile> files;
  std::vector<std::string> opened;

  FileKind kind(const std::string& path) override {
    const auto it = files.find(path);
    return it == files.end() ? FileKind::Missing : it->second.kind;
  }

  std::unique_ptr<ReadableFile> openShared(const std::string& path) override {
    opened.push_back(path);
    const auto it = files.find(path);
    if (it == files.end() || it->second.openFails || it->second.kind != FileKind::File)
      return nullptr;
    return std::make_unique<Reader>(it->second);
  }

 private:
  class Reader : public ReadableFile {
   public:
    explicit Reader(const FakeFile& file) : file_(file) {}
    bool seek(std::uint64_t offset) override {
      position_ = static_cast<std::size_t>(offset);
      return true;
    }
    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
      if (position_ >= file_.bytes.size() || position_ >= file_.failReadAt)
        return 0;
      const std::size_t got = std::min(count, file_.bytes.size() - position_);
      std::copy_n(file_.bytes.data() + position_, got, buffer);
      position_ += got;
      return got;
    }

   private:
    const FakeFile& file_;
    std::size_t position_ = 0;
  };
};

class FakeHelpPane : public HelpPane {
 public:
  std::size_t chunkCapacity = 4096;  // what the pane asks for each time
  std::string content = "previous content";
  HelpTextFormat lastFormat = HelpTextFormat::PlainText;
  int streams = 0;
  std::vector<std::pair<HelpFileProblem, std::string>> problems;

  void streamIn(HelpTextFormat format, const HelpChunkSource& source) override {
    ++streams;
    lastFormat = format;
    content.clear();
    std::vector<std::uint8_t> buffer(chunkCapacity);
    for (;;) {
      const std::size_t got = source(buffer.data(), buffer.size());
      if (got == 0)
        break;
      content.append(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
    }
  }

  void reportProblem(HelpFileProblem problem, const std::string& path) override {
    problems.emplace_back(problem, path);
  }
};

}  // namespace kestrel::fakes
