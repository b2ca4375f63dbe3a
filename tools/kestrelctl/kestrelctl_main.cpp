// kestrelctl.exe: the utility's core on the command line, over the real Windows ports.
#include <windows.h>

#include <io.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "core/core_objects.h"
#include "ctl_runner.h"
#include "shell/os_classification.h"
#include "utility_version.h"
#include "win32/ansi_text.h"
#include "win32/library_search.h"
#include "win32/win32_ports.h"
#include "win32_text_files.h"

namespace {

using namespace kestrel;

// Ctrl+C ends the monitor at its next tick, so it exits 0 with every line written.
std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
    return FALSE;
  interrupted = true;
  return TRUE;
}

std::string Utf8FromCore(const std::string& text) {
  const std::wstring wide = WideFromCore(text);
  if (wide.empty())
    return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                      nullptr, nullptr);
  return utf8;
}

// Written to a console as UTF-16, which it shows whatever its code page; to a file or a
// pipe as UTF-8. Every write is flushed at once, so that `stats` can be read through a pipe
// as it runs.
void WriteOut(FILE* stream, DWORD handleId, const std::string& coreText) {
  if (_isatty(_fileno(stream)) != 0) {
    const std::wstring wide = WideFromCore(coreText);
    DWORD written = 0;
    std::fflush(stream);
    WriteConsoleW(GetStdHandle(handleId), wide.data(), static_cast<DWORD>(wide.size()), &written,
                  nullptr);
    return;
  }
  std::fputs(Utf8FromCore(coreText).c_str(), stream);
  std::fflush(stream);
}

class ConsoleOutput : public ctl::CtlOutput {
 public:
  ConsoleOutput() : terminal_(_isatty(_fileno(stdout)) != 0) {}
  void line(const std::string& text) override { WriteOut(stdout, STD_OUTPUT_HANDLE, text + "\n"); }
  void error(const std::string& text) override { WriteOut(stderr, STD_ERROR_HANDLE, text + "\n"); }
  bool terminal() const override { return terminal_; }
  void progress(const std::string& text) override { WriteOut(stdout, STD_OUTPUT_HANDLE, text); }
  void document(const std::string& utf8) override {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
  }

 private:
  bool terminal_;
};

// The store's questions are answered by --yes; notices go to the error stream.
class ConsolePrompt : public UserPrompt {
 public:
  ConsolePrompt(ConsoleOutput& out, bool yes) : out_(out), yes_(yes) {}
  bool askYesNo(const std::string& text) override {
    out_.error(text);
    out_.error(yes_ ? "-> yes (--yes)" : "-> no (add --yes to answer yes)");
    return yes_;
  }
  void inform(const std::string& text) override { out_.error(text); }

 private:
  ConsoleOutput& out_;
  bool yes_;
};

}  // namespace

int main(int argc, char** argv) {
  RestrictDllSearch();
  std::vector<std::string> words(argv + 1, argv + argc);
  std::string error;
  const auto command = ctl::ParseCommand(words, error);
  if (!command) {
    WriteOut(stderr, STD_ERROR_HANDLE, "kestrelctl: " + error + "\n" + ctl::UsageText());
    return ctl::kExitUsage;
  }

  ConsoleOutput out;
  ConsolePrompt prompt(out, command->yes);
  Win32Ports ports;
  CoreObjects core(ports.ports(prompt, ports.dot1xDiagnostics));
  SystemVersionInfo version;
  if (ports.systemVersion.read(version))
    ClassifyOs(version, core.system);

  ctl::Win32TextCodec codec;
  ctl::Win32CtlFiles ctlFiles;
  ctl::CtlContext context{core.services,       core.discovery,      ports.clock, out,
                          core.adapterPresent, kUtilityReleaseDate, codec,       ctlFiles,
                          ports.registry,      core.channelOpened,  interrupted};
  if (command->verb == ctl::Verb::Monitor)
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  return ctl::RunCommand(*command, context);
}
