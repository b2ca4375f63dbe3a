// kestrel-sim: installs the simulated adapter as a driver installer would and drives it.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "installer/device_installer.h"
#include "model/scenario_parser.h"
#include "model/simulated_adapter.h"
#include "model/status_report.h"
#include "store/shared_adapter_store.h"

namespace {

using kestrel::sim::SharedAdapterState;
using kestrel::sim::SimulatedAdapter;

constexpr char kUsage[] =
    "usage: kestrel-sim COMMAND\n"
    "  install                 write the driver's registry keys and file\n"
    "  present on|off          insert or remove the card\n"
    "  scenario FILE           load the networks and facts of a scenario file\n"
    "  rssi SSID DBM           set the signal of the networks named SSID\n"
    "  dot1x-passphrase TEXT   report TEXT as the 802.1X client would\n"
    "  dot1x-fail on|off       make the 802.1X client fail every call, or answer again\n"
    "  fail-requests MS        fail every request for MS milliseconds (at most 600000)\n"
    "  reset                   power-on state with the built-in scenario\n"
    "  status                  print the adapter, the link and the last requests\n";

// Scenario files are small; anything larger is not one.
constexpr std::streamoff kMaxScenarioBytes = 256 * 1024;

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

int Unreachable() {
  std::fputs("kestrel-sim: the simulated adapter's shared state cannot be opened\n", stderr);
  return 1;
}

// Runs `work` on the model of the shared adapter.
template <typename Work>
bool WithModel(kestrel::sim::SharedAdapterStore& store, Work work) {
  return store.withState([&](SharedAdapterState& state) {
    SimulatedAdapter model(state, store.clock(), store.random());
    work(model);
  });
}

std::wstring BesideProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path, length < MAX_PATH ? length : 0);
  const std::size_t slash = text.find_last_of(L"\\/");
  return (slash == std::wstring::npos ? std::wstring() : text.substr(0, slash + 1)) + name;
}

int Install(kestrel::sim::SharedAdapterStore& store) {
  std::string country = "JP";
  store.withState([&](SharedAdapterState& state) {
    const char letters[3] = {static_cast<char>(state.countryCode >> 8 & 0xFF),
                             static_cast<char>(state.countryCode & 0xFF), 0};
    country = letters;
  });
  std::string error;
  if (!kestrel::sim::InstallSimulatedDevice(country, error)) {
    std::fprintf(stderr, "kestrel-sim: device: %s\n", error.c_str());
    return 1;
  }
  std::printf("device: installed\n");
  if (!kestrel::sim::InstallDriverService(BesideProgram(L"kwlsvc08.sys"), error)) {
    std::fprintf(stderr, "kestrel-sim: driver service: %s\n", error.c_str());
    return 1;
  }
  std::printf("driver service: kwlsvc08\n");
  return 0;
}

int Present(kestrel::sim::SharedAdapterStore& store, const std::string& word) {
  if (word != "on" && word != "off")
    return Usage();
  const bool present = word == "on";
  if (!WithModel(store, [&](SimulatedAdapter& model) { model.setPresent(present); }))
    return Unreachable();
  std::printf("adapter: %s\n", present ? "present" : "removed");
  return 0;
}

int LoadScenarioFile(kestrel::sim::SharedAdapterStore& store, const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "kestrel-sim: %s: cannot be read\n", path);
    return 1;
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (static_cast<std::streamoff>(text.str().size()) > kMaxScenarioBytes) {
    std::fprintf(stderr, "kestrel-sim: %s: larger than a scenario file can be\n", path);
    return 1;
  }
  kestrel::sim::Scenario scenario;
  std::string error;
  if (!kestrel::sim::ParseScenario(text.str(), scenario, error)) {
    std::fprintf(stderr, "kestrel-sim: %s: %s\n", path, error.c_str());
    return 1;
  }
  if (!WithModel(store, [&](SimulatedAdapter& model) { model.loadScenario(scenario); }))
    return Unreachable();
  std::printf("scenario: %zu networks\n", scenario.networks.size());
  return 0;
}

int SetRssi(kestrel::sim::SharedAdapterStore& store, const std::string& ssid, const char* dbm) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(dbm, &end, 10);
  if (errno != 0 || end == dbm || *end != '\0' || value < -120 || value > -10) {
    std::fprintf(stderr, "kestrel-sim: rssi needs a whole number of dBm from -120 to -10\n");
    return 2;
  }
  int changed = 0;
  if (!WithModel(store, [&](SimulatedAdapter& model) {
        changed = model.setNetworkLevel(ssid, static_cast<std::int32_t>(value));
      })) {
    return Unreachable();
  }
  if (changed == 0) {
    std::fprintf(stderr, "kestrel-sim: no network named \"%s\"\n", ssid.c_str());
    return 1;
  }
  std::printf("rssi: %s %ld dBm\n", ssid.c_str(), value);
  return 0;
}

int FailRequests(kestrel::sim::SharedAdapterStore& store, const char* text) {
  char* end = nullptr;
  errno = 0;
  const unsigned long ms = std::strtoul(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || text[0] == '-' ||
      ms > kestrel::sim::kMaxFailRequestsMs) {
    std::fprintf(stderr, "kestrel-sim: fail-requests needs milliseconds from 0 to 600000\n");
    return 2;
  }
  if (!WithModel(store, [&](SimulatedAdapter& model) {
        model.failRequestsFor(static_cast<std::uint32_t>(ms));
      })) {
    return Unreachable();
  }
  std::printf("requests: failing for %lu ms\n", ms);
  return 0;
}

int FailDot1x(kestrel::sim::SharedAdapterStore& store, const std::string& word) {
  if (word != "on" && word != "off")
    return Usage();
  const bool failing = word == "on";
  if (!WithModel(store, [&](SimulatedAdapter& model) { model.failDot1xCalls(failing); }))
    return Unreachable();
  std::printf("802.1x client: %s\n", failing ? "failing every call" : "answering");
  return 0;
}

int Status(kestrel::sim::SharedAdapterStore& store) {
  std::string report;
  if (!WithModel(store, [&](SimulatedAdapter& model) {
        model.advance();
        report = kestrel::sim::StatusReport(model.state());
      })) {
    return Unreachable();
  }
  std::fputs(report.c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2)
    return Usage();
  const std::string command = argv[1];
  kestrel::sim::SharedAdapterStore store;
  if (command == "install" && argc == 2)
    return Install(store);
  if (command == "present" && argc == 3)
    return Present(store, argv[2]);
  if (command == "scenario" && argc == 3)
    return LoadScenarioFile(store, argv[2]);
  if (command == "rssi" && argc == 4)
    return SetRssi(store, argv[2], argv[3]);
  if (command == "fail-requests" && argc == 3)
    return FailRequests(store, argv[2]);
  if (command == "dot1x-fail" && argc == 3)
    return FailDot1x(store, argv[2]);
  if (command == "status" && argc == 2)
    return Status(store);
  if (command == "reset" && argc == 2) {
    if (!WithModel(store,
                   [](SimulatedAdapter& model) { model.reset(kestrel::sim::DefaultScenario()); })) {
      return Unreachable();
    }
    std::printf("adapter: reset\n");
    return 0;
  }
  if (command == "dot1x-passphrase" && argc == 3) {
    const std::string passphrase = argv[2];
    if (!WithModel(store,
                   [&](SimulatedAdapter& model) { model.reportDot1xPassphrase(passphrase); })) {
      return Unreachable();
    }
    std::printf("802.1x report: sent\n");
    return 0;
  }
  return Usage();
}
