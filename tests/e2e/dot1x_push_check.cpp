// A configuration push end to end under the Windows loader: the real request library
// binding over the simulated DNIN50.dll, the real 802.1X binding over the simulated
// AegisE5.dll, the real registry. A WPA2-PSK profile connects with its passphrase and not
// with another. Also which library files the 802.1X binding accepts.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "activation/configuration_push.h"
#include "adapter/oid_conversions.h"
#include "core/core_objects.h"
#include "win32/library_search.h"
#include "win32/win32_dot1x_library.h"
#include "win32/win32_ndis_library.h"
#include "win32/win32_ports.h"

namespace {

using namespace kestrel;

constexpr char kCardName[] = "KESTREL LX740N QX-7+ Wireless PC Card";

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : 0);
}

std::wstring ProgramDirectory() {
  const std::wstring path = ProgramPath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// Runs `program` with `arguments` in `directory`; its output lands in `output`.
int Run(const std::wstring& program, const std::string& arguments, const std::wstring& directory,
        std::string& output) {
  const std::wstring outputPath = ProgramDirectory() + L"dot1x_push_check.out";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return -1;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = file;
  startup.hStdError = file;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring commandLine = L"\"" + program + L"\" " + Widen(arguments);
  PROCESS_INFORMATION process{};
  DWORD exitCode = static_cast<DWORD>(-1);
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(file);
  std::ifstream in(outputPath.c_str());
  output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return static_cast<int>(exitCode);
}

bool Check(bool ok, const std::string& what, const std::string& detail = {}) {
  std::printf("%s: %s%s%s\n", what.c_str(), ok ? "ok" : "FAILED", detail.empty() ? "" : " -- ",
              detail.c_str());
  return ok;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool Tool(const std::string& arguments, std::string* output = nullptr) {
  std::string text;
  const int code = Run(ProgramDirectory() + L"kestrel-sim.exe", arguments, {}, text);
  if (output != nullptr)
    *output = text;
  return Check(code == 0, "kestrel-sim " + arguments, code == 0 ? "" : text);
}

// The lines of `text` that contain `part`.
std::string LinesWith(const std::string& text, const std::string& part) {
  std::string found;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    const std::string line = text.substr(start, end - start);
    if (Contains(line, part))
      found += "  " + line + "\n";
    start = end + 1;
  }
  return found;
}

class RecordingDiagnostics : public Dot1xDiagnostics {
 public:
  std::vector<std::string> lines;
  void trace(const std::string& line) override { lines.push_back(line); }
  void standardError(const std::string& line) override { lines.push_back(line); }
  bool has(const std::string& part) const {
    for (const std::string& line : lines) {
      if (Contains(line, part))
        return true;
    }
    return false;
  }
};

// The child: binds the 802.1X library from wherever it was started and tells the outcome.
// `mode` "probe" restricts the DLL search first, as the programs do; "probe-unrestricted"
// leaves the search as the system has it, so only the binding's own care counts;
// "probe-search" restricts the search and then asks the loader for the bare name.
int Probe(const std::string& mode) {
  if (mode != "probe-unrestricted")
    RestrictDllSearch();
  if (mode == "probe-search") {
    std::printf("probe: bare name %s\n",
                LoadLibraryW(L"AegisE5.dll") != nullptr ? "found" : "not found");
    return 0;
  }
  Win32Dot1xLibrary library;
  Dot1xLoadFailure failure;
  const Win32NdisLibrary requests;
  std::printf("probe: requests %s; ", requests.loaded() ? "loaded" : "absent");
  if (library.load(failure)) {
    std::printf("bound\n");
    return 0;
  }
  const char* kind = failure.kind == Dot1xLoadFailure::Kind::LibraryNotFound    ? "LibraryNotFound"
                     : failure.kind == Dot1xLoadFailure::Kind::FunctionNotFound ? "FunctionNotFound"
                                                                                : "other";
  std::printf("%s %s %s\n", kind, failure.library.c_str(), failure.function.c_str());
  return 0;
}

// A copy of this program in a directory of its own, beside only the given library files,
// each copied there under its new name; started in `current`, or else in its directory.
bool ProbeSees(const std::wstring& directory,
               const std::vector<std::pair<std::wstring, std::wstring>>& libraries,
               const std::string& what, const std::string& expected,
               const std::wstring& current = {}, const char* mode = "probe") {
  const std::wstring libraryDirectory = current.empty() ? directory : current;
  for (const auto& [from, as] : libraries)
    CopyFileW((ProgramDirectory() + from).c_str(), (libraryDirectory + as).c_str(), FALSE);
  std::string output;
  Run(directory + L"dot1x_probe.exe", mode, libraryDirectory, output);
  for (const auto& library : libraries)
    DeleteFileW((libraryDirectory + library.second).c_str());
  while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
    output.pop_back();
  return Check(output == expected, "binding beside " + what, output);
}

bool LibraryFiles() {
  wchar_t temp[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, temp);
  const std::wstring directory =
      std::wstring(temp, length < MAX_PATH ? length : 0) + L"kestrel_dot1x_probe\\";
  CreateDirectoryW(directory.c_str(), nullptr);
  const std::wstring probe = directory + L"dot1x_probe.exe";
  bool ok = Check(CopyFileW(ProgramPath().c_str(), probe.c_str(), FALSE) != 0, "probe copied");
  ok = ProbeSees(directory, {}, "no library",
                 "probe: requests absent; LibraryNotFound AegisE5.dll ") &&
       ok;
  const std::wstring planted = directory + L"planted\\";
  CreateDirectoryW(planted.c_str(), nullptr);
  // Libraries planted in the current directory are not the program's: neither through
  // the binding, which names the program's directory, nor through the restricted search.
  const std::vector<std::pair<std::wstring, std::wstring>> both = {{L"AegisE5.dll", L"AegisE5.dll"},
                                                                   {L"DNIN50.dll", L"DNIN50.dll"}};
  for (const char* mode : {"probe", "probe-unrestricted"}) {
    ok = ProbeSees(
             directory, both,
             std::string("nothing, with both libraries in the current directory (") + mode + ")",
             "probe: requests absent; LibraryNotFound AegisE5.dll ", planted, mode) &&
         ok;
  }
  ok = ProbeSees(directory, both, "nothing by bare name once the search is restricted",
                 "probe: bare name not found", planted, "probe-search") &&
       ok;
  RemoveDirectoryW(planted.c_str());
  // A library without the functions: the request library under the last fallback name.
  ok = ProbeSees(directory, {{L"DNIN50.dll", L"aegisE4.dll"}}, "aegisE4.dll without the functions",
                 "probe: requests absent; FunctionNotFound aegisE4.dll AcGlobalOpenContextA") &&
       ok;
  ok = ProbeSees(directory, {{L"AegisE5.dll", L"aegisE2.dll"}}, "AegisE5.dll named aegisE2.dll",
                 "probe: requests absent; bound") &&
       ok;
  DeleteFileW(probe.c_str());
  RemoveDirectoryW(directory.c_str());
  return ok;
}

// Polls the connection state for up to `limitMs`; the time it first was `wanted`, or -1.
int MsUntilState(Adapter& adapter, std::uint32_t wanted, int limitMs, std::uint32_t& last) {
  const DWORD start = GetTickCount();
  for (;;) {
    const int elapsed = static_cast<int>(GetTickCount() - start);
    if (adapter.GetConnectionState(last) && last == wanted)
      return elapsed;
    if (elapsed >= limitMs)
      return -1;
    Sleep(50);
  }
}

WirelessProfile Wpa2PskProfile(const std::string& passphrase) {
  WirelessProfile profile;
  profile.NetworkName = "KESTREL_WPA2";
  profile.NetworkConnectionType = 1;
  profile.NetBand = 0x1F;
  profile.EnableSecurity = 2;
  profile.WPA = 1;
  profile.EapSelection = 7;
  profile.EncryptionAlg = 6;
  profile.Passphrase = passphrase;
  profile.PassphraseLength = static_cast<std::int32_t>(passphrase.size());
  return profile;
}

int Push() {
  bool ok = Tool("reset") && Tool("install");

  Win32Ports ports;
  RecordingDiagnostics diagnostics;
  CoreObjects core(ports.ports(ports.prompt, diagnostics));
  core.system.servicePackLevel = 2;
  ok = Check(core.discovery.PickAdapter() && core.discovery.FindAdapterDevice(), "adapter found") &&
       ok;
  Adapter& adapter = core.adapter;
  MacAddress mac{};
  const bool macRead = adapter.GetMacAddress(mac);
  ok = Check(macRead, "MAC address read", MacAddressText(mac)) && ok;

  Dot1xClient& dot1x = core.dot1x;
  ok = Check(dot1x.Open(mac), "802.1X binding: AegisE5.dll bound and the card selected") && ok;

  const PushTargets targets = core.services.activationTargets().push;
  WirelessProfile right = Wpa2PskProfile("kestrel-wpa2-psk");
  ok = Check(ApplyConfiguration(targets, right), "push with the right passphrase") && ok;
  ok = Check(right.NetBand == 0x0D, "NetBand narrowed by the region JP",
             std::to_string(right.NetBand)) &&
       ok;
  std::uint32_t state = 99;
  const int connectedMs = MsUntilState(adapter, 1, 5000, state);
  const bool media = adapter.IsMediaConnected();
  std::printf("wpa2-psk right passphrase: %s after %d ms (connection state %u, media %s)\n",
              connectedMs >= 0 ? "connected" : "NOT connected", connectedMs, state,
              media ? "connected" : "disconnected");
  ok = Check(connectedMs >= 0 && media, "the right passphrase connects within 5 s") && ok;
  ok = Check(diagnostics.has(std::string("AcAdapterAuthenticate: AcStatusSuccess on '") +
                             kCardName + "': authentication started"),
             "the authenticate result traced with the card's name") &&
       ok;

  WirelessProfile wrong = Wpa2PskProfile("not-the-wpa2-psk");
  ok = Check(ApplyConfiguration(targets, wrong), "push with a wrong passphrase") && ok;
  const int wrongMs = MsUntilState(adapter, 1, 3000, state);
  std::string status;
  Tool("status", &status);
  std::string failure = LinesWith(status, "last failure");
  failure = failure.size() > 3 ? failure.substr(2, failure.size() - 3) : "no failure shown";
  std::printf("wpa2-psk wrong passphrase: %s (connection state %u after 3000 ms, %s)\n",
              wrongMs >= 0 ? "CONNECTED" : "not connected", state, failure.c_str());
  ok = Check(wrongMs < 0 && !adapter.IsMediaConnected() && Contains(status, "wrong key"),
             "a wrong passphrase does not connect") &&
       ok;

  const std::string pid = std::to_string(GetCurrentProcessId());
  std::printf("kestrel-sim status, the 802.1X journal:\n%s",
              LinesWith(status, "802.1x call").c_str());
  ok = Check(Contains(status, "802.1x call: pid " + pid +
                                  " AcAdapterAuthenticate status 30 AcStatusSuccess -- reported "
                                  "WPA-PSK passphrase (16 bytes)"),
             "kestrel-sim status shows this process's calls") &&
       ok;

  dot1x.Close();
  ok = LibraryFiles() && ok;
  ok = Tool("reset") && ok;
  std::printf("dot1x push: %s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]).rfind("probe", 0) == 0)
    return Probe(argv[1]);
  return Push();
}
