#include "activation/activation.h"

#include <gtest/gtest.h>

#include "fakes/fake_dot1x_library.h"
#include "fakes/fake_guid_source.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_user_prompt.h"
#include "platform/registry_key.h"

namespace kestrel {
namespace {

constexpr char kParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";

class ActivationTest : public ::testing::Test {
 protected:
  ActivationTest() {
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";
    registry.putKey(RegistryHive::LocalMachine, kParameters);
    ndis.answerWord(oid::kVndPreambleGet, 1);
    records.working.NetworkName = "KESTREL_WPA2";
    records.working.Passphrase = "right passphrase";
  }
  bool activate(const std::string& name) {
    return ActivateWorkingProfile({records, mirror, {adapter, dot1x, parameters, system}, store},
                                  name);
  }
  // Index of the first write of `name` into a key whose path ends with `keyTail`.
  std::ptrdiff_t writeIndex(const std::string& keyTail, const std::string& name) const {
    for (std::size_t i = 0; i < registry.written.size(); ++i) {
      const auto& write = registry.written[i];
      const bool keyMatches =
          write.key.size() >= keyTail.size() &&
          write.key.compare(write.key.size() - keyTail.size(), keyTail.size(), keyTail) == 0;
      if (keyMatches && write.name == name)
        return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
  }

  fakes::FakeRegistry registry;
  fakes::FakeNdisLibrary ndis;
  fakes::FakeCompletionEvents events;
  fakes::FakeDot1xLibrary dot1xLibrary;
  fakes::FakeGuidSource guids;
  fakes::FakeUserPrompt prompt;
  DiscardingDot1xDiagnostics diagnostics;
  Dot1xClient dot1x{dot1xLibrary, diagnostics};
  SystemKind system;
  AdapterIdentity identity;
  bool opened = false;
  bool adapterFound = true;
  ProfileRecords records;
  Adapter adapter{ndis, events, opened, identity.current};
  DriverParameters parameters{ndis, registry, system, identity};
  CardConfigId cardConfigId{parameters, guids};
  DriverParameterMirror mirror{registry, parameters, cardConfigId, system, adapterFound};
  ProfileStore store{registry, parameters, cardConfigId, prompt, system, records.list};
};

TEST_F(ActivationTest, MirrorsPushesThenRecordsVirtualProfileAndTheNames) {
  ASSERT_TRUE(activate("New Profile"));

  EXPECT_EQ(records.current.NetworkName, "KESTREL_WPA2");
  EXPECT_EQ(records.current.ConfigurationName, "VirtualProfile");
  EXPECT_EQ(records.working.ConfigurationName, "Default");  // the working record is untouched

  // Registry effects in order: mirror, then the profile, then the two names.
  const auto ssid = writeIndex("0042", "SSID");
  const auto profile = writeIndex("configurations\\virtualprofile", "NetworkName");
  const auto selected = writeIndex("configurations", "SelectedConfigurationName");
  const auto ofRecord = writeIndex("configurations", "ConfigurationProfileName");
  ASSERT_GE(ssid, 0);
  EXPECT_LT(ssid, profile);
  EXPECT_LT(profile, selected);
  EXPECT_LT(selected, ofRecord);
  EXPECT_EQ(RegistryValueText(registry.written[static_cast<std::size_t>(ofRecord)].value),
            "New Profile");
  EXPECT_TRUE(prompt.questions.empty());  // "VirtualProfile" is saved without a question

  // The push reached the adapter with the working profile's SSID.
  EXPECT_EQ(ndis.requests.back().oid, oid::k80211Ssid);
  EXPECT_EQ(
      std::string(ndis.requests.back().bytes.begin() + 4, ndis.requests.back().bytes.begin() + 16),
      "KESTREL_WPA2");
}

TEST_F(ActivationTest, AFailedPushStillRecordsTheProfile) {
  ndis.openFails = true;
  EXPECT_FALSE(activate("Office"));
  EXPECT_GE(writeIndex("configurations\\virtualprofile", "NetworkName"), 0);
  EXPECT_GE(writeIndex("configurations", "ConfigurationProfileName"), 0);
}

TEST_F(ActivationTest, AFailedMirrorStillPushesAndRecordsTheProfile) {
  registry.failWriteNumber = 2;  // the mirror's first write fails after the card id
  EXPECT_TRUE(activate("Office"));
  EXPECT_EQ(writeIndex("0042", "SSID"), -1);
  ASSERT_FALSE(ndis.requests.empty());
  EXPECT_EQ(ndis.requests.back().oid, oid::k80211Ssid);
  EXPECT_GE(writeIndex("configurations\\virtualprofile", "NetworkName"), 0);
  EXPECT_GE(writeIndex("configurations", "SelectedConfigurationName"), 0);
  EXPECT_GE(writeIndex("configurations", "ConfigurationProfileName"), 0);
}

}  // namespace
}  // namespace kestrel
