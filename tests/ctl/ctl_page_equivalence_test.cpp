// A profile saved from the command line is the one the settings page stores for the same
// inputs: every registry value of the profile, and its secrets deciphered.
#include <map>

#include "ctl_machine.h"
#include "ctl_runner.h"
#include "fakes/fake_shell_ports.h"
#include "settings_fixture.h"

namespace kestrel::ctl {
namespace {

using namespace settings_controls;

class NoOutput : public CtlOutput {
 public:
  void line(const std::string&) override {}
  void error(const std::string& text) override { errors.push_back(text); }
  bool terminal() const override { return false; }
  void progress(const std::string&) override {}
  void document(const std::string&) override {}
  std::vector<std::string> errors;
};

// One machine: the adapter found as the programs find it, and a "VirtualProfile" left by
// earlier settings whose radio values a new profile takes over.
struct Machine : CtlMachine {
  Machine() {
    discovery.FindAdapterDevice();
    adapterPresent = discovery.PickAdapter();

    WirelessProfile earlier;
    earlier.NetworkName = "Elsewhere";
    earlier.NetBand = 4;
    earlier.FragThreshold = 1500;
    earlier.RTSThreshold = 900;
    earlier.PowerManagement = 0;
    earlier.WmmEnabled = 0;
    earlier.tpc = 2;
    earlier.AdHocChannel = 2437;
    earlier.AdHocBand = 0;
    earlier.ConfigurationName = kVirtualProfileName;
    store.SaveProfile(earlier, kVirtualProfileName);
  }

  // The profile's values as last written, by name.
  std::map<std::string, RegistryValue> storedValues(const std::string& name) const {
    std::string tail = "\\configurations\\" + name;
    for (char& c : tail)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::map<std::string, RegistryValue> values;
    for (const auto& write : registry.written) {
      if (write.key.size() >= tail.size() &&
          write.key.compare(write.key.size() - tail.size(), tail.size(), tail) == 0)
        values[write.name] = write.value;
    }
    return values;
  }
};

// The settings page on its own machine, worked by a user's hand.
class PageAtHand {
 public:
  explicit PageAtHand(Machine& machine) : machine_(machine) {
    machine_.dot1x.Open(kMac);  // the start-up checks do this before any sheet opens
    page_.OnInitDialog();
  }
  void click(ControlId id) {
    ASSERT_TRUE(controls_.enabled(id)) << id;
    page_.onCommand(id, ControlEvent::Clicked);
  }
  void type(ControlId id, const std::string& text) {
    controls_.setText(id, text);
    page_.onCommand(id, ControlEvent::TextChanged);
  }
  void choose(ControlId id, int index) {
    controls_.selectListItem(id, index);
    page_.onCommand(id, ControlEvent::SelectionChanged);
  }
  bool save() { return page_.saveProfile(); }

 private:
  Machine& machine_;
  fakes::FakeControlSurface controls_;
  testing::FakeSettingsWindow window_;
  fakes::FakeTimers timers_;
  testing::FakeSheet sheet_{machine_.registry};
  testing::FakeSettingsDialogs dialogs_;
  SettingsPage page_{machine_.services, controls_, window_, timers_, sheet_, dialogs_};
};

int RunCtl(Machine& machine, const std::vector<std::string>& words) {
  std::string error;
  const auto command = ParseCommand(words, error);
  EXPECT_TRUE(command) << error;
  NoOutput out;
  CtlContext context{
      machine.services,       machine.discovery,     machine.clock,      out,
      machine.adapterPresent, "Jun 30 2005",         machine.codec,      machine.ctlFiles,
      machine.registry,       machine.channelOpened, machine.interrupted};
  const int code = command ? RunCommand(*command, context) : -1;
  EXPECT_TRUE(out.errors.empty()) << out.errors.front();
  return code;
}

void ExpectSameProfile(Machine& page, Machine& ctl, const std::string& name) {
  const auto pageValues = page.storedValues(name);
  const auto ctlValues = ctl.storedValues(name);
  ASSERT_FALSE(pageValues.empty());
  ASSERT_EQ(pageValues.size(), ctlValues.size());
  for (const auto& [value, data] : pageValues) {
    const auto other = ctlValues.find(value);
    ASSERT_NE(other, ctlValues.end()) << value;
    EXPECT_EQ(data.type, other->second.type) << value;
    EXPECT_EQ(RegistryValueText(data), RegistryValueText(other->second)) << value;
  }

  WirelessProfile fromPage;
  WirelessProfile fromCtl;
  ASSERT_TRUE(page.store.LoadProfile(fromPage, name));
  ASSERT_TRUE(ctl.store.LoadProfile(fromCtl, name));
  EXPECT_EQ(fromPage.SharedKey, fromCtl.SharedKey);
  EXPECT_EQ(fromPage.SharedKeyLength, fromCtl.SharedKeyLength);
  EXPECT_EQ(fromPage.Passphrase, fromCtl.Passphrase);
  EXPECT_EQ(fromPage.AdvancedPassword, fromCtl.AdvancedPassword);
  EXPECT_EQ(fromPage.leapUserPasswd, fromCtl.leapUserPasswd);
  EXPECT_EQ(RegistryValueText(*page.registry.value(
                RegistryHive::LocalMachine,
                std::string(testing::kParametersKey) + "\\CustomParams\\Configurations",
                "ConfigurationProfileName")),
            name);
}

TEST(PageEquivalence, AWepProfileSavedFromTheCommandLineIsThePagesOwn) {
  Machine page;
  {
    PageAtHand user(page);
    user.type(kProfile, "Lab");
    user.click(kWep);
    user.click(kManualEntry);
    user.choose(kManualSize, 1);
    user.type(kKey, "00112233445566778899AABBCC");
    user.type(kSsid, "Lab Net");
    ASSERT_TRUE(user.save());
  }
  Machine ctl;
  ASSERT_EQ(RunCtl(ctl, {"profiles", "save", "Lab", "--ssid", "Lab Net", "--wep-key",
                         "00112233445566778899AABBCC"}),
            kExitSuccess);
  ExpectSameProfile(page, ctl, "Lab");
  WirelessProfile saved;
  ctl.store.LoadProfile(saved, "Lab");
  EXPECT_EQ(saved.AdvancedAuthenticationType, 3);  // WEP, as the page sets it
  EXPECT_EQ(saved.FragThreshold, 1500);            // taken over from the applied settings
}

TEST(PageEquivalence, AWpaPskProfileSavedFromTheCommandLineIsThePagesOwn) {
  Machine page;
  {
    PageAtHand user(page);
    user.type(kSsid, "KESTREL_WPA2");
    user.click(kWpaPsk);
    user.type(kPassphrase, "correct horse");
    user.type(kProfile, "Home");
    ASSERT_TRUE(user.save());
  }
  Machine ctl;
  ASSERT_EQ(RunCtl(ctl, {"profiles", "save", "Home", "--ssid", "KESTREL_WPA2", "--passphrase",
                         "correct horse"}),
            kExitSuccess);
  ExpectSameProfile(page, ctl, "Home");
}

TEST(PageEquivalence, AnOpenAdHocProfileSavedFromTheCommandLineIsThePagesOwn) {
  Machine page;
  {
    PageAtHand user(page);
    user.click(kAdHoc);
    user.type(kSsid, "Party");
    user.click(kNoSecurity);
    user.type(kProfile, "Party");
    ASSERT_TRUE(user.save());
  }
  Machine ctl;
  ASSERT_EQ(RunCtl(ctl, {"profiles", "save", "Party", "--ssid", "Party", "--adhoc"}), kExitSuccess);
  ExpectSameProfile(page, ctl, "Party");
}

}  // namespace
}  // namespace kestrel::ctl
