#pragma once
// A file moved aside for a while, so that a program finds it missing. It is put back by
// restore() or, at the latest, when this object ends; one an earlier run left aside (it
// died before it could put it back) is put back first.

#include <string>

namespace kestrel::endurance {

class HiddenFile {
 public:
  explicit HiddenFile(std::wstring path);
  ~HiddenFile();
  HiddenFile(const HiddenFile&) = delete;
  HiddenFile& operator=(const HiddenFile&) = delete;

  // False when the file is not there or cannot be moved.
  bool hide();
  // False when a hidden file could not be moved back.
  bool restore();
  bool present() const;

 private:
  std::wstring path_;
  std::wstring aside_;
  bool hidden_ = false;
};

}  // namespace kestrel::endurance
