// corvusap.exe end to end under Wine: the real program against the simulated adapter, on a
// virtual display. Each case starts from a power-on adapter and no running instance.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "core/core_objects.h"
#include "platform/registry_key.h"
#include "profiles/registry_helpers.h"
#include "win32/win32_ports.h"

namespace kestrel {
namespace {

std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path, length < MAX_PATH ? length : 0);
  return text.substr(0, text.find_last_of(L"\\/") + 1);
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// A program beside this one, started with `arguments`, output discarded.
class Process {
 public:
  Process(const std::wstring& program, const std::string& arguments) {
    std::wstring commandLine = L"\"" + ProgramDirectory() + program + L"\" " + Widen(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
      CloseHandle(process.hThread);
      handle_ = process.hProcess;
    }
  }
  ~Process() {
    if (handle_ != nullptr) {
      if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT)
        TerminateProcess(handle_, 99);
      CloseHandle(handle_);
    }
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return handle_ != nullptr; }
  bool exitsWithin(DWORD ms) const {
    return handle_ != nullptr && WaitForSingleObject(handle_, ms) == WAIT_OBJECT_0;
  }

 private:
  HANDLE handle_ = nullptr;
};

int RunToEnd(const std::wstring& program, const std::string& arguments) {
  std::wstring commandLine = L"\"" + ProgramDirectory() + program + L"\" " + Widen(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, 30000);
  DWORD code = static_cast<DWORD>(-1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

int Sim(const std::string& arguments) {
  return RunToEnd(L"kestrel-sim.exe", arguments);
}

bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition())
      return true;
    if (GetTickCount() - start > ms)
      return false;
    Sleep(100);
  }
}

// Icons of the virtual display's standalone tray: windows of Wine's tray icon class.
BOOL CALLBACK CountTrayIcon(HWND window, LPARAM count) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpW(name, L"__winex11_tray_icon") == 0 && IsWindowVisible(window))
    ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountTrayIcon, count);
  return TRUE;
}

int TrayIcons() {
  int count = 0;
  EnumWindows(CountTrayIcon, reinterpret_cast<LPARAM>(&count));
  return count;
}

// The stand-in for the system's wireless configuration service, installed and running
// for one test and removed after it.
class StandInService {
 public:
  StandInService() {
    manager_ = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    const std::wstring path = L"\"" + ProgramDirectory() + L"wzcsvc_standin.exe\"";
    service_ =
        CreateServiceW(manager_, L"WZCSVC", L"Wireless configuration stand-in", SERVICE_ALL_ACCESS,
                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                       path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (service_ == nullptr)
      service_ = OpenServiceW(manager_, L"WZCSVC", SERVICE_ALL_ACCESS);
    if (service_ != nullptr)
      StartServiceW(service_, 0, nullptr);
  }
  ~StandInService() {
    SERVICE_STATUS status{};
    ControlService(service_, SERVICE_CONTROL_STOP, &status);
    WaitFor([&] { return state() == SERVICE_STOPPED; }, 5000);
    DeleteService(service_);
    CloseServiceHandle(service_);
    CloseServiceHandle(manager_);
  }
  StandInService(const StandInService&) = delete;
  StandInService& operator=(const StandInService&) = delete;

  DWORD state() const {
    SERVICE_STATUS status{};
    return QueryServiceStatus(service_, &status) ? status.dwCurrentState : 0;
  }

 private:
  SC_HANDLE manager_ = nullptr;
  SC_HANDLE service_ = nullptr;
};

constexpr wchar_t kPromptTitle[] = L"Windows XP 設定マネージャを無効にする";

std::wstring ControlText(HWND dialog, int id) {
  wchar_t text[512] = {};
  GetWindowTextW(GetDlgItem(dialog, id), text, 512);
  return text;
}

// The prompt's title exists before its controls do: wait until it is shown and filled.
HWND FindFilledPrompt() {
  const HWND prompt = FindWindowW(nullptr, kPromptTitle);
  if (prompt == nullptr || !IsWindowVisible(prompt) || ControlText(prompt, IDNO).empty())
    return nullptr;
  return prompt;
}

class ShellEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Sim("install"), 0);
    ASSERT_EQ(Sim("reset"), 0);
    RunToEnd(L"corvusap.exe", "STOP");  // ends an instance left over, if any
    ASSERT_TRUE(WaitFor([] { return TrayIcons() == 0; }, 5000));
    ASSERT_TRUE(discovery.PickAdapter());
    ASSERT_TRUE(discovery.FindAdapterDevice());
    path = parameters.GetDriverParametersPath();
    DeleteFileW(oemPath().c_str());
  }
  void TearDown() override {
    RunToEnd(L"corvusap.exe", "STOP");
    DeleteFileW(oemPath().c_str());
  }

  static std::wstring oemPath() { return ProgramDirectory() + L"oem.tmp"; }
  static void writeOem(const std::string& text) {
    std::ofstream(oemPath().c_str(), std::ios::binary) << text;
  }
  static bool oemExists() {
    return GetFileAttributesW(oemPath().c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // The driver parameters key as a first run finds it.
  void forgetFirstRun() {
    RegDeleteTree(registry, RegistryHive::LocalMachine, path + "\\CustomParams");
    ScopedRegistryKey key(registry);
    ASSERT_TRUE(key.open(RegistryHive::LocalMachine, path, RegistryAccess::Full));
    registry.deleteValue(key.get(), "CheckDP");
    registry.deleteValue(key.get(), "CardCfgId");
  }
  std::string flagsKey() const {
    return "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\" + identity.interfaceGuid;
  }
  std::int32_t controlFlags() {
    std::int32_t flags = -1;
    RegReadDword(registry, RegistryHive::LocalMachine, flagsKey(), "ControlFlags", flags);
    return flags;
  }
  void forgetPromptAnswer() {
    ScopedRegistryKey key(registry);
    ASSERT_TRUE(key.open(RegistryHive::LocalMachine, path, RegistryAccess::Full));
    registry.deleteValue(key.get(), "MessageShow");
    registry.deleteValue(key.get(), "CheckZeroConfig");
  }
  std::string parameter(const char* name) {
    std::string value = "(none)";
    parameters.ReadDriverParameter(name, value);
    return value;
  }
  bool hasKey(const std::string& subKey) {
    ScopedRegistryKey key(registry);
    return key.open(RegistryHive::LocalMachine, path + subKey, RegistryAccess::Query);
  }
  // A channel of its own, opened afresh for each question.
  std::string adapterCountry() {
    bool opened = false;
    Adapter adapter(ports.ndis, ports.events, opened, identity.current);
    std::string code = "(none)";
    adapter.GetCountryCode(code);
    return code;
  }

  Win32Ports ports;
  CoreObjects core{ports.ports()};
  Win32Registry& registry = ports.registry;
  const AdapterIdentity& identity = core.identity;
  AdapterDiscovery& discovery = core.discovery;
  DriverParameters& parameters = core.parameters;
  std::string path;
};

TEST_F(ShellEndToEnd, FirstRunLeavesTheDefaultsAndTheTrayIcon) {
  forgetFirstRun();
  Process utility(L"corvusap.exe", "");
  ASSERT_TRUE(utility.started());
  ASSERT_TRUE(WaitFor([&] { return parameter("CheckDP") == "1"; }, 15000));
  EXPECT_TRUE(hasKey("\\CustomParams\\Configurations\\Default"));
  EXPECT_TRUE(hasKey("\\CustomParams\\Configurations\\VirtualProfile"));
  EXPECT_EQ(parameter("CardCfgId").size(), 36u);
  EXPECT_TRUE(WaitFor([] { return TrayIcons() == 1; }, 15000));
  EXPECT_FALSE(utility.exitsWithin(0));
}

TEST_F(ShellEndToEnd, FirstStartWithStopEndsAtOnce) {
  forgetFirstRun();
  Process utility(L"corvusap.exe", "STOP");
  EXPECT_TRUE(utility.exitsWithin(5000));
  EXPECT_EQ(parameter("CheckDP"), "(none)");  // no start-up checks ran
  EXPECT_EQ(TrayIcons(), 0);
}

TEST_F(ShellEndToEnd, SecondStartWithStopEndsTheFirst) {
  Process first(L"corvusap.exe", "START");
  ASSERT_TRUE(WaitFor([] { return TrayIcons() == 1; }, 15000));
  Process second(L"corvusap.exe", "/quiet STOPPING");  // "STOP" inside a longer word counts
  EXPECT_TRUE(second.exitsWithin(10000));
  EXPECT_TRUE(first.exitsWithin(10000));
  EXPECT_TRUE(WaitFor([] { return TrayIcons() == 0; }, 5000));
}

TEST_F(ShellEndToEnd, SecondStartWithStartLeavesTheFirstAlone) {
  Process first(L"corvusap.exe", "");
  ASSERT_TRUE(WaitFor([] { return TrayIcons() == 1; }, 15000));
  Process second(L"corvusap.exe", "START");
  EXPECT_TRUE(second.exitsWithin(10000));
  EXPECT_FALSE(first.exitsWithin(1500));
  EXPECT_EQ(TrayIcons(), 1);
}

TEST_F(ShellEndToEnd, CardRemovedAndInsertedAgain) {
  Process utility(L"corvusap.exe", "");
  ASSERT_TRUE(WaitFor([] { return TrayIcons() == 1; }, 15000));

  ASSERT_EQ(Sim("present off"), 0);
  const DWORD removedAt = GetTickCount();
  ASSERT_TRUE(WaitFor([] { return TrayIcons() == 0; }, 4000));
  std::printf("icon gone %lu ms after the card\n", GetTickCount() - removedAt);
  EXPECT_LE(GetTickCount() - removedAt, 2500u);  // two monitor ticks, and a little

  // The start-up checks running again show in the region file they consume.
  parameters.WriteDriverParameter("ccode", "JP");
  writeOem("US");
  ASSERT_EQ(Sim("present on"), 0);
  EXPECT_TRUE(WaitFor([] { return !oemExists(); }, 6000));
  EXPECT_EQ(parameter("ccode"), "US");
  EXPECT_TRUE(WaitFor([] { return TrayIcons() == 1; }, 15000));
  EXPECT_EQ(adapterCountry(), "US");
  EXPECT_FALSE(utility.exitsWithin(0));
}

TEST_F(ShellEndToEnd, RegionFileBesideTheProgramSetsTheCountryAndGoes) {
  const std::wstring scenario = ProgramDirectory() + L"shell_e2e_us.scenario";
  std::ofstream(scenario.c_str()) << "country US\nnetwork Lab\n";
  ASSERT_EQ(RunToEnd(L"kestrel-sim.exe",
                     "scenario \"" + std::string(scenario.begin(), scenario.end()) + "\""),
            0);
  DeleteFileW(scenario.c_str());
  ASSERT_EQ(adapterCountry(), "US");
  parameters.WriteDriverParameter("ccode", "US");
  writeOem("JP");
  Process utility(L"corvusap.exe", "");
  ASSERT_TRUE(WaitFor([] { return !oemExists(); }, 15000));
  EXPECT_EQ(parameter("ccode"), "JP");
  EXPECT_EQ(adapterCountry(), "JP");
}

TEST_F(ShellEndToEnd, ServiceInControlIsAskedOnceAndYesTakesTheAdapter) {
  StandInService service;
  ASSERT_TRUE(WaitFor([&] { return service.state() == SERVICE_RUNNING; }, 5000));
  ASSERT_TRUE(
      RegWriteDword(registry, RegistryHive::LocalMachine, flagsKey(), "ControlFlags", 0x8002));
  forgetPromptAnswer();

  Process utility(L"corvusap.exe", "");
  HWND prompt = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (prompt = FindFilledPrompt()) != nullptr; }, 15000));
  EXPECT_NE(ControlText(prompt, 4500).find(L"LX740N"), std::wstring::npos);
  EXPECT_EQ(ControlText(prompt, IDYES), L"はい");
  EXPECT_EQ(ControlText(prompt, IDNO), L"いいえ");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(prompt, 4501)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(prompt, 4501)));

  PostMessageW(GetDlgItem(prompt, IDYES), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return parameter("CheckZeroConfig") == "1"; }, 40000));
  EXPECT_EQ(parameter("MessageShow"), "1");
  EXPECT_TRUE(WaitFor([&] { return controlFlags() == 0x0002; }, 5000));
  EXPECT_TRUE(WaitFor([&] { return service.state() == SERVICE_RUNNING; }, 5000));  // restarted
  EXPECT_FALSE(utility.exitsWithin(0));
  RegDeleteTree(registry, RegistryHive::LocalMachine, flagsKey());
}

TEST_F(ShellEndToEnd, AnsweringNoLeavesTheServiceInControlAndIsNotAskedAgain) {
  StandInService service;
  ASSERT_TRUE(WaitFor([&] { return service.state() == SERVICE_RUNNING; }, 5000));
  ASSERT_TRUE(
      RegWriteDword(registry, RegistryHive::LocalMachine, flagsKey(), "ControlFlags", 0x8002));
  forgetPromptAnswer();
  {
    Process utility(L"corvusap.exe", "");
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (prompt = FindFilledPrompt()) != nullptr; }, 15000));
    PostMessageW(GetDlgItem(prompt, IDNO), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return parameter("CheckZeroConfig") == "0"; }, 5000));
    EXPECT_EQ(parameter("MessageShow"), "1");
    EXPECT_EQ(controlFlags(), 0x8002);
    RunToEnd(L"corvusap.exe", "STOP");
    EXPECT_TRUE(utility.exitsWithin(10000));
  }
  Process again(L"corvusap.exe", "");
  ASSERT_TRUE(WaitFor([] { return TrayIcons() == 1; }, 15000));
  EXPECT_FALSE(WaitFor([] { return FindWindowW(nullptr, kPromptTitle) != nullptr; }, 3000));
  RegDeleteTree(registry, RegistryHive::LocalMachine, flagsKey());
}

}  // namespace
}  // namespace kestrel
