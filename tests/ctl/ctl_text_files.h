#pragma once
// kestrelctl's text codec for the tests: natively over the C library's converter (code page
// 932, strict both ways), under Wine the program's own; and its files in memory.

#include <map>
#include <string>

#include "text_codec.h"

#ifdef _WIN32
#include "win32_text_files.h"
#else
#include <iconv.h>
#endif

namespace kestrel::ctl {

#ifdef _WIN32
using TestTextCodec = Win32TextCodec;
#else

class IconvTextCodec : public TextCodec {
 public:
  bool utf8FromCore(const std::string& core, std::string& utf8) override {
    return convert("UTF-8", "CP932", core, utf8);
  }
  bool coreFromUtf8(const std::string& utf8, std::string& core) override {
    return convert("CP932", "UTF-8", utf8, core);
  }

 private:
  static bool convert(const char* to, const char* from, const std::string& in, std::string& out) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
      return false;
    std::string source = in;
    std::string target(source.size() * 4 + 4, '\0');
    char* inAt = source.data();
    char* outAt = target.data();
    std::size_t inLeft = source.size();
    std::size_t outLeft = target.size();
    const std::size_t converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1) || inLeft != 0)
      return false;
    target.resize(target.size() - outLeft);
    out = target;
    return true;
  }
};

using TestTextCodec = IconvTextCodec;
#endif

class MemoryCtlFiles : public CtlFiles {
 public:
  ReadResult readWhole(const std::string& path, std::size_t maxBytes, std::string& bytes) override {
    const auto found = files.find(path);
    if (found == files.end())
      return ReadResult::CannotOpen;
    if (found->second.size() > maxBytes)
      return ReadResult::TooLarge;
    bytes = found->second;
    return ReadResult::Read;
  }
  bool writeWhole(const std::string& path, const std::string& bytes) override {
    if (path == unwritable)
      return false;
    files[path] = bytes;
    return true;
  }
  std::map<std::string, std::string> files;
  std::string unwritable;
};

}  // namespace kestrel::ctl
