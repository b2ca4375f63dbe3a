#pragma once
// The application's services over the fakes, with a recording sheet and settings page,
// for the tests of the networks, statistics and information pages.

#include <string>
#include <vector>

#include "core/core_objects.h"
#include "fakes/fake_ports.h"
#include "platform/registry_key.h"
#include "ui/sheet_services.h"

namespace kestrel::testing {

inline constexpr char kParametersKey[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";

// Every call as one line: "show Scan 1", "enable Connect 0", "page 0", "popup".
class RecordingSheet : public SheetControl {
 public:
  std::vector<std::string> calls;
  bool connectEnabled = false;

  void showButton(SheetButton button, bool visible) override {
    calls.push_back("show " + Name(button) + (visible ? " 1" : " 0"));
  }
  void enableButton(SheetButton button, bool enabled) override {
    if (button == SheetButton::Connect)
      connectEnabled = enabled;
    calls.push_back("enable " + Name(button) + (enabled ? " 1" : " 0"));
  }
  void setActivePage(int index) override { calls.push_back("page " + std::to_string(index)); }
  void showApplyingPopup() override { calls.push_back("popup"); }

  static std::string Name(SheetButton button) {
    switch (button) {
      case SheetButton::Close:
        return "Close";
      case SheetButton::Apply:
        return "Apply";
      case SheetButton::Cancel:
        return "Cancel";
      case SheetButton::Help:
        return "Help";
      case SheetButton::Scan:
        return "Scan";
      case SheetButton::Connect:
        return "Connect";
    }
    return "?";
  }
};

class RecordingSettingsLink : public SettingsPageLink {
 public:
  std::vector<std::string> calls;
  void reload() override { calls.push_back("reload"); }
  void fillFromWorkingProfile() override { calls.push_back("fill"); }
  void chooseWep() override { calls.push_back("wep"); }
  void chooseWpaPskPassphrase() override { calls.push_back("wpa-psk passphrase"); }
  void showProfileName(const std::string& name) override { calls.push_back("name " + name); }
};

struct PageServices : fakes::FakePorts, CoreObjects {
  PageServices() : CoreObjects(ports()) {
    identity.current.deviceName = "{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}";
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";
    registry.putKey(RegistryHive::LocalMachine, kParametersKey);
    adapterPresent = true;
    startup.dot1xAvailable = true;
  }
  void putParameter(const std::string& name, const std::string& text) {
    registry.putValue(RegistryHive::LocalMachine, kParametersKey, name,
                      RegistryStringValue(text, true));
  }
  // The requests of one OID, in order.
  std::vector<fakes::LoggedRequest> requestsOf(std::uint32_t oidValue) const {
    std::vector<fakes::LoggedRequest> found;
    for (const auto& request : ndis.requests) {
      if (request.oid == oidValue)
        found.push_back(request);
    }
    return found;
  }
};

}  // namespace kestrel::testing
