#include "win32/help_pane.h"

#include <richedit.h>

#include "win32/executable_path.h"
#include "win32/scoped_handles.h"

namespace kestrel {

namespace {

// The standard messages are the dialog framework's, so they are worded here, not in the
// core; they are shown through the wide API, written in UTF-8.
constexpr char kInvalidFileName[] = "%s\nファイル名が無効です。";
constexpr char kCannotOpen[] = "%s\nファイルを開けません。";
constexpr wchar_t kCaption[] = L"KESTREL Quick Beacon Wireless Utility";

std::wstring Widen(const std::string& text, UINT codePage) {
  if (text.empty())
    return {};
  const int length =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) {
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  }
  return wide;
}

class Win32ReadableFile : public ReadableFile {
 public:
  explicit Win32ReadableFile(UniqueHandle file) : file_(std::move(file)) {}
  bool seek(std::uint64_t offset) override {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file_.get(), distance, nullptr, FILE_BEGIN) != FALSE;
  }
  std::size_t read(std::uint8_t* buffer, std::size_t count) override {
    DWORD got = 0;
    const auto ask = static_cast<DWORD>(count > 0x10000000 ? 0x10000000 : count);
    if (!ReadFile(file_.get(), buffer, ask, &got, nullptr))
      return 0;
    return got;
  }

 private:
  UniqueHandle file_;
};

struct StreamState {
  const HelpChunkSource* source;
};

DWORD CALLBACK StreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* written) {
  const auto* state = reinterpret_cast<const StreamState*>(cookie);
  const std::size_t got =
      capacity > 0 ? (*state->source)(buffer, static_cast<std::size_t>(capacity)) : 0;
  *written = static_cast<LONG>(got);
  return 0;
}

}  // namespace

void RichEditHelpPane::streamIn(HelpTextFormat format, const HelpChunkSource& source) {
  StreamState state{&source};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&state);
  stream.pfnCallback = StreamCallback;
  const WPARAM kind = format == HelpTextFormat::Rtf ? SF_RTF : SF_TEXT;
  SendMessageW(richEdit_, EM_STREAMIN, kind, reinterpret_cast<LPARAM>(&stream));
}

void RichEditHelpPane::reportProblem(HelpFileProblem problem, const std::string& path) {
  const std::string format =
      problem == HelpFileProblem::InvalidFileName ? kInvalidFileName : kCannotOpen;
  std::wstring text = Widen(format, CP_UTF8);
  text.replace(text.find(L"%s"), 2, Widen(path, CP_ACP));
  MessageBoxW(GetAncestor(richEdit_, GA_ROOT), text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
}

FileKind Win32SharedReadFiles::kind(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return FileKind::Missing;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return FileKind::Directory;
  if ((attributes & 0x8) != 0)  // the old volume-label attribute
    return FileKind::VolumeLabel;
  return FileKind::File;
}

std::unique_ptr<ReadableFile> Win32SharedReadFiles::openShared(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return nullptr;
  return std::make_unique<Win32ReadableFile>(std::move(file));
}

bool LoadRichEditLibrary() {
  static const HMODULE library = LoadLibraryW(L"riched20.dll");
  return library != nullptr;
}

HelpLoadResult ShowPageHelp(HWND richEdit, const std::string& fileName) {
  RichEditHelpPane pane(richEdit);
  Win32SharedReadFiles files;
  return LoadHelpText(pane, files, HelpFilePath(ExecutablePath(), fileName));
}

}  // namespace kestrel
