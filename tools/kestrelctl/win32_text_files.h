#pragma once
// The text codec and file ports of kestrelctl over the Windows API.

#include "text_codec.h"

namespace kestrel::ctl {

class Win32TextCodec : public TextCodec {
 public:
  bool utf8FromCore(const std::string& core, std::string& utf8) override;
  bool coreFromUtf8(const std::string& utf8, std::string& core) override;
};

class Win32CtlFiles : public CtlFiles {
 public:
  ReadResult readWhole(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
  bool writeWhole(const std::string& path, const std::string& bytes) override;
};

}  // namespace kestrel::ctl
