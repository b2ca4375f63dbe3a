#pragma once
// The ports and services of kestrelctl over fakes, wired as its main wires the real ones:
// one adapter present at a known device, its MAC and country (JP) answered.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "adapter/adapter_discovery.h"
#include "adapter/oid_conversions.h"
#include "core/core_objects.h"
#include "ctl_text_files.h"
#include "fakes/fake_ports.h"
#include "platform/clock.h"

namespace kestrel::ctl {

inline const std::string kDevice = "\\DEVICE\\{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}";
inline constexpr char kParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
inline constexpr std::array<std::uint8_t, 6> kMac = {0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};

// A clock whose sleeps run what the test scheduled for that moment.
class ScriptedClock : public Clock {
 public:
  std::uint32_t now = 1000;
  std::uint32_t slept = 0;
  std::vector<std::pair<std::uint32_t, std::function<void()>>> at;  // slept ms, action
  std::uint32_t tickCountMs() override { return now; }
  void sleepMs(std::uint32_t ms) override {
    now += ms;
    slept += ms;
    for (auto& [when, action] : at) {
      if (action && slept >= when) {
        action();
        action = nullptr;
      }
    }
  }
};

struct CtlMachine : fakes::FakePorts, CoreObjects {
  CtlMachine() : CoreObjects(ports()) {
    ndis.adapters = {{kModelDescription, kDevice}};
    devices.devices = {{"PCI\\VEN_168C&DEV_0013&SUBSYS_5C3B2E9D\\4&1",
                        "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007"}};
    registry.putKey(RegistryHive::LocalMachine, kParameters);
    ndis.answers[oid::k8023CurrentAddress] = {kMac.begin(), kMac.end()};
    ndis.answerWord(oid::kVndPreambleGet, 1);
    ndis.answerWord(oid::kVndCountryCode, PackCountryCode("JP"));
    dot1xLibrary.adapters = {{kMac}};
  }

  ScriptedClock clock;
  TestTextCodec codec;
  MemoryCtlFiles ctlFiles;
  std::atomic<bool> interrupted{false};
};

}  // namespace kestrel::ctl
