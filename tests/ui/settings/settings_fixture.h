#pragma once
// The settings page over in-memory controls, with the profile store on the in-memory
// registry and the adapter on the NDIS fake.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "adapter/oid_conversions.h"
#include "core/core_objects.h"
#include "fakes/fake_control_surface.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_timers.h"
#include "platform/registry_key.h"
#include "ui/settings/settings_controls.h"
#include "ui/settings/settings_page.h"

namespace kestrel::testing {

using namespace settings_controls;

inline constexpr char kParametersKey[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
inline constexpr char kAdapterDescription[] = "KESTREL LX740N Dual-Band Wireless CardBus Adapter";

class FakeSettingsWindow : public SettingsPageWindow {
 public:
  bool modified = false;
  std::map<ControlId, bool> masked;
  std::vector<ControlId> allSelected;
  std::map<ControlId, int> caret;
  int draws = 0;

  void setPageModified(bool value) override { modified = value; }
  void setPasswordMask(ControlId id, bool value) override { masked[id] = value; }
  void selectAllText(ControlId id) override { allSelected.push_back(id); }
  void setCaret(ControlId id, int position) override { caret[id] = position; }
  void drawPictures() override { ++draws; }
};

// The sheet notes when the popup was shown: how many registry writes had happened then,
// and how many keys had been opened.
class FakeSheet : public SheetControl {
 public:
  explicit FakeSheet(fakes::FakeRegistry& registry) : registry_(registry) {}
  std::map<SheetButton, bool> shown;
  std::vector<std::size_t> popupsAtWrite;
  std::vector<std::size_t> popupsAtOpen;

  void showButton(SheetButton button, bool visible) override { shown[button] = visible; }
  void enableButton(SheetButton, bool) override {}
  void setActivePage(int) override {}
  void showApplyingPopup() override {
    popupsAtWrite.push_back(registry_.written.size());
    popupsAtOpen.push_back(registry_.openedPaths.size());
  }

 private:
  fakes::FakeRegistry& registry_;
};

// The two dialogs: what they were told, and what their OK leaves in the working profile.
class FakeSettingsDialogs : public SettingsDialogs {
 public:
  bool answer = false;
  std::function<void()> onOk;
  NetworkTypeEffect advancedEffect = NetworkTypeEffect::Unchanged;  // what its OK tells
  std::vector<std::pair<bool, bool>> advancedOpenedWith;  // ad hoc chosen, AutoCell checked
  int adHocOpened = 0;

  std::optional<NetworkTypeEffect> openAdvancedSettings(bool adHocChosen,
                                                        bool autoCellChecked) override {
    advancedOpenedWith.emplace_back(adHocChosen, autoCellChecked);
    if (!finish())
      return std::nullopt;
    return advancedEffect;
  }
  bool openAdHocSettings() override {
    ++adHocOpened;
    return finish();
  }

 private:
  bool finish() {
    if (answer && onOk)
      onOk();
    return answer;
  }
};

class SettingsPageTest : public ::testing::Test, protected fakes::FakePorts, protected CoreObjects {
 protected:
  SettingsPageTest() : CoreObjects(ports()) {
    adapterPresent = true;
    startup.dot1xAvailable = true;
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
    registry.putKey(RegistryHive::LocalMachine, kParametersKey);
    registry.putValue(RegistryHive::LocalMachine, kParametersKey, "DriverDesc",
                      RegistryStringValue(kAdapterDescription, true));
    setCountry("JP");
    ndis.answerWord(oid::kVndPreambleGet, 1);
    timers.onTick = [this](std::uint32_t id) { page.onTimer(id); };
  }

  void setCountry(const std::string& letters) {
    ndis.answerWord(oid::kVndCountryCode, PackCountryCode(letters));
  }

  // Stores `profile` under `name` (and lists it), as an earlier session would have.
  void storeProfile(WirelessProfile profile, const std::string& name) {
    profile.ConfigurationName = name;
    ASSERT_TRUE(store.SaveProfile(profile, name));
  }
  void storeVirtualProfile(const WirelessProfile& profile) {
    storeProfile(profile, kVirtualProfileName);
  }

  static WirelessProfile WepProfile(const std::string& key, std::int32_t bytes) {
    WirelessProfile profile;
    profile.NetworkName = "KESTREL_WEP";
    profile.EnableSecurity = 1;
    profile.EapSelection = 0;
    profile.WPA = 0;
    profile.AdvancedAuthenticationType = 3;
    profile.EncryptionAlg = 1;
    profile.Passphrase.clear();
    profile.PassphraseLength = 0;
    profile.SharedKey[0] = key;
    profile.SharedKeyLength[0] = bytes;
    return profile;
  }
  static WirelessProfile OpenProfile(const std::string& ssid) {
    WirelessProfile profile = WepProfile("", 0);
    profile.NetworkName = ssid;
    profile.EnableSecurity = 0;
    profile.AdvancedAuthenticationType = 0;
    profile.EncryptionAlg = 0;
    return profile;
  }

  void open() { page.OnInitDialog(); }

  // The user's actions, as the window reports them.
  // The page's radio buttons do not check themselves: their handlers do.
  void click(ControlId id) { page.onCommand(id, ControlEvent::Clicked); }
  void choose(ControlId id, int index) {
    controls.selectListItem(id, index);
    page.onCommand(id, ControlEvent::SelectionChanged);
  }
  void choose(ControlId id, const std::string& item) {
    const auto& items = controls.at(id).items;
    const auto found = std::find(items.begin(), items.end(), item);
    ASSERT_NE(found, items.end()) << item;
    choose(id, static_cast<int>(found - items.begin()));
  }
  void type(ControlId id, const std::string& text) {
    controls.setText(id, text);
    page.onCommand(id, ControlEvent::TextChanged);
  }
  void openSsidList() { page.onCommand(kSsid, ControlEvent::ListOpened); }

  bool enabled(ControlId id) { return controls.enabled(id); }
  bool checked(ControlId id) { return controls.checked(id); }
  std::string text(ControlId id) { return controls.text(id); }

  // Registry value as text, from the profile key `name`.
  std::string storedText(const std::string& name, const std::string& value) {
    const RegistryValue* stored = registry.value(
        RegistryHive::LocalMachine,
        std::string(kParametersKey) + "\\CustomParams\\Configurations\\" + name, value);
    return stored == nullptr ? "(absent)" : RegistryValueText(*stored);
  }
  std::string configurationsText(const std::string& value) {
    const RegistryValue* stored =
        registry.value(RegistryHive::LocalMachine,
                       std::string(kParametersKey) + "\\CustomParams\\Configurations", value);
    return stored == nullptr ? "(absent)" : RegistryValueText(*stored);
  }

  fakes::FakeControlSurface controls;
  FakeSettingsWindow window;
  fakes::FakeTimers timers;
  FakeSheet sheet{registry};
  FakeSettingsDialogs dialogs;
  SettingsPage page{services, controls, window, timers, sheet, dialogs};
};

}  // namespace kestrel::testing
