// The simulated adapter is one machine-wide device: what one process sets through
// DNIN50.dll, other processes (a second copy of this program, kestrel-sim) see. Also runs
// kestrel-sim's install and checks what the utility reads of it.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/core_objects.h"
#include "win32/win32_ports.h"

namespace {

using namespace kestrel;

std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path, length < MAX_PATH ? length : 0);
  return text.substr(0, text.find_last_of(L"\\/") + 1);
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// Runs a program beside this one with `arguments`; its output lands in `output`.
int Run(const std::wstring& program, const std::string& arguments, std::string& output) {
  const std::wstring outputPath = ProgramDirectory() + L"shared_link_check.out";
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
  std::wstring commandLine = L"\"" + ProgramDirectory() + program + L"\" " + Widen(arguments);
  PROCESS_INFORMATION process{};
  DWORD exitCode = static_cast<DWORD>(-1);
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
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

bool Check(bool ok, const char* what, const std::string& detail = {}) {
  std::printf("%s: %s%s%s\n", what, ok ? "ok" : "FAILED", detail.empty() ? "" : " -- ",
              detail.c_str());
  return ok;
}

bool Tool(const std::string& arguments, std::string* output = nullptr) {
  std::string text;
  const int code = Run(L"kestrel-sim.exe", arguments, text);
  if (output != nullptr)
    *output = text;
  return Check(code == 0, ("kestrel-sim " + arguments).c_str(), code == 0 ? "" : text);
}

// The second process: waits up to 5 s for connection state `state` and the SSID.
int Reader(const std::string& ssid, std::uint32_t wanted) {
  Win32Ports ports;
  CoreObjects core(ports.ports());
  AdapterDiscovery& discovery = core.discovery;
  if (ssid == "(absent)") {
    const bool listed = discovery.PickAdapter();
    std::printf("reader: adapter %s\n", listed ? "listed" : "not listed");
    return listed ? 1 : 0;
  }
  if (!discovery.PickAdapter())
    return 3;
  Adapter& adapter = core.adapter;
  std::uint32_t state = 99;
  for (int i = 0; i < 50 && !(adapter.GetConnectionState(state) && state == wanted); ++i)
    Sleep(100);
  SsidRecord record;
  adapter.GetSsid(record);
  std::string channel;
  adapter.GetChannelText(channel);
  std::printf("reader: state %u ssid %s %s\n", state, record.text().c_str(), channel.c_str());
  return state == wanted && record.text() == ssid ? 0 : 1;
}

bool ReaderSees(const std::string& ssid, std::uint32_t state) {
  std::string text;
  const int code =
      Run(L"shared_link_check.exe", "read \"" + ssid + "\" " + std::to_string(state), text);
  return Check(code == 0,
               ("another process sees " + ssid + " in state " + std::to_string(state)).c_str(),
               text);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

int Writer() {
  bool ok = Tool("reset") && Tool("install");

  Win32Ports ports;
  CoreObjects core(ports.ports());
  ok = Check(core.discovery.PickAdapter() && core.discovery.FindAdapterDevice(), "adapter found") &&
       ok;

  DriverParameters& parameters = core.parameters;
  DriverVersion& driverVersion = core.driverVersion;
  std::string version;
  std::string date;
  const bool versionRead = driverVersion.GetDriverVersionAndDate(version, date);
  ok = Check(versionRead && version == "5.1.0.22", "driver version from kwlsvc08's file",
             version + date) &&
       ok;
  std::string country;
  const bool countryRead = parameters.ReadDriverParameter("ccode", country);
  ok = Check(countryRead && country == "JP", "ccode in the class key", country) && ok;

  Adapter& adapter = core.adapter;
  adapter.SetInfrastructureMode(1);
  adapter.SetAuthenticationMode(0);
  adapter.SetWepStatus(1);
  ok = Check(adapter.SetSsid(SsidRecord::FromText("KESTREL_Turbo")), "SSID set") && ok;
  ok = ReaderSees("KESTREL_Turbo", 1) && ok;
  std::string status;
  ok = Tool("status", &status) &&
       Check(Contains(status, "link: connected") && Contains(status, "ssid: KESTREL_Turbo"),
             "kestrel-sim status shows the link") &&
       ok;

  // WPA2-PSK: authenticating until the 802.1X client (here kestrel-sim) reports.
  adapter.SetAuthenticationMode(9);
  adapter.SetWepStatus(6);
  adapter.SetSsid(SsidRecord::FromText("KESTREL_WPA2"));
  ok = ReaderSees("KESTREL_WPA2", 2) && ok;
  ok = Tool("dot1x-passphrase kestrel-wpa2-psk") && ReaderSees("KESTREL_WPA2", 1) && ok;

  ok = Tool("present off") && ReaderSees("(absent)", 0) && ok;
  std::uint32_t hardware = 0;
  ok = Check(adapter.GetHardwareStatus(hardware) && hardware != 0,
             "hardware status not ready while removed") &&
       ok;
  ok = Tool("present on") && ok;

  // Written in the working directory, which kestrel-sim inherits.
  std::ofstream("shared_link_check.scenario") << "network Lab\nrssi strong\n";
  std::string refusal;
  const int code = Run(L"kestrel-sim.exe", "scenario shared_link_check.scenario", refusal);
  ok = Check(code == 1 && Contains(refusal, "line 2: rssi needs"),
             "a malformed scenario is refused naming the line", refusal) &&
       ok;

  ok = Tool("reset") && ok;
  std::printf("shared link: %s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "read")
    return Reader(argv[2], static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)));
  return Writer();
}
