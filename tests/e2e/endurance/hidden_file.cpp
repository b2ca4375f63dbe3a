#include "hidden_file.h"

#include <windows.h>

#include <utility>

namespace kestrel::endurance {

namespace {

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

HiddenFile::HiddenFile(std::wstring path) : path_(std::move(path)), aside_(path_ + L".hidden") {
  if (!Exists(path_) && Exists(aside_))
    MoveFileExW(aside_.c_str(), path_.c_str(), 0);
}

HiddenFile::~HiddenFile() {
  restore();
}

bool HiddenFile::hide() {
  if (hidden_)
    return true;
  hidden_ = MoveFileExW(path_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  return hidden_;
}

bool HiddenFile::restore() {
  if (!hidden_)
    return true;
  hidden_ = MoveFileExW(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) == FALSE;
  return !hidden_;
}

bool HiddenFile::present() const {
  return Exists(path_);
}

}  // namespace kestrel::endurance
