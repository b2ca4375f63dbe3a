#include "win32_text_files.h"

#include <windows.h>

#include "win32/scoped_handles.h"

namespace kestrel::ctl {

namespace {

// Strict both ways: a byte or character that does not convert fails instead of becoming
// a substitute.
bool Wide(UINT codePage, const std::string& text, std::wstring& wide) {
  wide.clear();
  if (text.empty())
    return true;
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0)
    return false;
  wide.resize(static_cast<std::size_t>(length));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                             static_cast<int>(text.size()), wide.data(), length) == length;
}

bool Narrow(UINT codePage, const std::wstring& wide, std::string& text) {
  text.clear();
  if (wide.empty())
    return true;
  BOOL defaulted = FALSE;
  // UTF-8 takes neither flag nor default-character report.
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* usedDefault = codePage == CP_UTF8 ? nullptr : &defaulted;
  const int length =
      WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                          nullptr, usedDefault);
  if (length <= 0 || defaulted)
    return false;
  text.resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(),
                      length, nullptr, usedDefault);
  return !defaulted;
}

}  // namespace

bool Win32TextCodec::utf8FromCore(const std::string& core, std::string& utf8) {
  std::wstring wide;
  return Wide(CP_ACP, core, wide) && Narrow(CP_UTF8, wide, utf8);
}

bool Win32TextCodec::coreFromUtf8(const std::string& utf8, std::string& core) {
  std::wstring wide;
  return Wide(CP_UTF8, utf8, wide) && Narrow(CP_ACP, wide, core);
}

CtlFiles::ReadResult Win32CtlFiles::readWhole(const std::string& path, std::size_t maxBytes,
                                              std::string& bytes) {
  const UniqueHandle owner(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!owner)
    return ReadResult::CannotOpen;
  HANDLE file = owner.get();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size))
    return ReadResult::CannotOpen;
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
    return ReadResult::TooLarge;
  std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!read.empty() &&
      (!ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &got, nullptr) ||
       got != read.size()))
    return ReadResult::CannotOpen;
  bytes = std::move(read);
  return ReadResult::Read;
}

bool Win32CtlFiles::writeWhole(const std::string& path, const std::string& bytes) {
  const UniqueHandle owner(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!owner)
    return false;
  HANDLE file = owner.get();
  DWORD written = 0;
  return bytes.empty() ||
         (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
          written == bytes.size());
}

}  // namespace kestrel::ctl
