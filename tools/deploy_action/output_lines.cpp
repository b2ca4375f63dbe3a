#include "output_lines.h"

#include <utility>

namespace kestrel::deploy {

namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Where to cut `text` at most `limit` bytes in: before the character that would straddle
// the limit. A run of continuation bytes with no lead byte (not UTF-8) is cut at the limit.
std::size_t CutPoint(const std::string& text, std::size_t limit) {
  std::size_t cut = limit;
  while (cut > 0 && IsContinuationByte(text[cut]))
    --cut;
  return cut == 0 ? limit : cut;
}

}  // namespace

OutputLines::OutputLines(std::function<void(const std::string&)> onLine)
    : onLine_(std::move(onLine)) {}

void OutputLines::feed(const char* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '\n') {
      pending_.push_back(data[i]);
      if (pending_.size() > kMaxLineBytes)
        cutOverlongPending();
      continue;
    }
    if (!pending_.empty() && pending_.back() == '\r')
      pending_.pop_back();
    give(std::move(pending_));
    pending_.clear();
  }
}

void OutputLines::finish() {
  if (!pending_.empty()) {
    give(std::move(pending_));
    pending_.clear();
  }
  if (leftOut_ > 0) {
    onLine_("(" + std::to_string(leftOut_) + " further lines of output left out)");
    leftOut_ = 0;
  }
}

void OutputLines::cutOverlongPending() {
  const std::size_t cut = CutPoint(pending_, kMaxLineBytes);
  give(pending_.substr(0, cut));
  pending_.erase(0, cut);
}

void OutputLines::give(std::string line) {
  if (given_ >= kMaxLines) {
    ++leftOut_;
    return;
  }
  ++given_;
  onLine_(line);
}

}  // namespace kestrel::deploy
