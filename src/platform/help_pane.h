#pragma once
// Port: the read-only rich-text box of a page's help and the messages it may raise.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace kestrel {

enum class HelpTextFormat { Rtf, PlainText };
enum class HelpFileProblem { InvalidFileName, CannotOpen };

// Hands over up to `capacity` bytes into `buffer`; returns how many, 0 to end the stream.
using HelpChunkSource = std::function<std::size_t(std::uint8_t* buffer, std::size_t capacity)>;

class HelpPane {
 public:
  virtual ~HelpPane() = default;
  // Replaces the whole content with the streamed bytes, read as `format`. The pane asks
  // for chunks until the source gives 0 bytes.
  virtual void streamIn(HelpTextFormat format, const HelpChunkSource& source) = 0;
  // The standard message for a help file that cannot be used; the content stays as it was.
  virtual void reportProblem(HelpFileProblem problem, const std::string& path) = 0;
};

}  // namespace kestrel
