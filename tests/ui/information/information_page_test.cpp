#include "ui/information/information_page.h"

#include <gtest/gtest.h>

#include <regex>

#include "adapter/oid_conversions.h"
#include "fakes/fake_control_surface.h"
#include "fakes/fake_timers.h"
#include "ui/information/identity_texts.h"
#include "ui/page_fixture.h"
#include "utility_version.h"

namespace kestrel {
namespace {

const std::string kJapan = " \x93\xFA\x96\x7B";  // " 日本"

class InformationPageTest : public ::testing::Test {
 protected:
  InformationPageTest() {
    services.putParameter("DriverDesc", "KESTREL LX740N QX-7+ Wireless PC Card");
    services.ndis.answerWord(oid::kVndCountryCode, PackCountryCode("JP"));
    services.ndis.answers[oid::k8023CurrentAddress] = {0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};
    const std::string autoCell = "v4.0.1.23 Jun2005";
    services.ndis.answers[oid::kVndAutoCellVersion].assign(autoCell.begin(), autoCell.end());
    services.registry.putValue(RegistryHive::LocalMachine,
                               "SYSTEM\\CurrentControlSet\\Services\\kwlsvc08", "ImagePath",
                               RegistryStringValue("system32\\DRIVERS\\kwlsvc08.sys", true));
    const std::string file = "C:\\WINDOWS\\system32\\DRIVERS\\kwlsvc08.sys";
    services.files.versions[file] = {(5u << 16) | 1u, (0u << 16) | 22u};
    services.files.dates[file] = {2005, 6, 3};
    services.ipHelper.list = {
        {"KESTREL LX740N QX-7+ Wireless PC Card - Packet Scheduler", "192.168.11.20"}};
  }
  void open() { page.OnInitDialog(controls); }

  testing::PageServices services;
  testing::RecordingSheet sheet;
  fakes::FakeTimers timers;
  fakes::FakeControlSurface controls;
  InformationPage page{services.services, sheet, timers, "Jun  3 2005"};
};

TEST_F(InformationPageTest, FillsTheIdentityOfAdapterAndUtility) {
  open();
  EXPECT_TRUE(timers.isRunning(kIpRefreshTimerId));
  EXPECT_EQ(controls.text(kRegionId), kJapan);
  EXPECT_EQ(controls.text(kMacAddressId), " 00:0B:6B:3C:2E:9D");
  EXPECT_EQ(controls.text(kIpAddressId), " 192.168.11.20");
  EXPECT_EQ(controls.text(kDriverVersionId), " 5.1.0.22");
  EXPECT_EQ(controls.text(kDriverDateId), " Jun. 03, 2005");
  EXPECT_EQ(controls.text(kAutoCellVersionId), " 4.0.1.23");
  EXPECT_EQ(controls.text(kAutoCellDateId), " Jun. 20, 2005");
  EXPECT_EQ(controls.text(kUtilityVersionId), " 2.0.0.6");
  EXPECT_EQ(controls.text(kUtilityDateId), " Jun. 03, 2005");
  EXPECT_EQ(controls.at(kAdapterChoiceId).items.size(), 1u);
}

TEST_F(InformationPageTest, NaTakesTheRegionFromTheInstallersCountry) {
  services.ndis.answerWord(oid::kVndCountryCode, PackCountryCode("NA"));
  services.putParameter("ccode", "JP");
  open();
  EXPECT_EQ(controls.text(kRegionId), kJapan);
}

TEST_F(InformationPageTest, RegionsOutsideTheTableAreUnknown) {
  services.ndis.answerWord(oid::kVndCountryCode, PackCountryCode("DE"));
  open();
  EXPECT_EQ(controls.text(kRegionId), " UnKnown");

  // "NA" without "ccode" stays "NA", which is not in the table either.
  services.ndis.answerWord(oid::kVndCountryCode, PackCountryCode("NA"));
  open();
  EXPECT_EQ(controls.text(kRegionId), " UnKnown");

  // A failed country query leaves the field as it was.
  services.ndis.answers.erase(oid::kVndCountryCode);
  controls.setText(kRegionId, "");
  open();
  EXPECT_EQ(controls.text(kRegionId), "");
}

TEST_F(InformationPageTest, DriverFallsBackToTheParametersThenToUnknown) {
  services.files.versions.clear();
  services.putParameter("DriverVersion", "5.1.0.21");
  services.putParameter("DriverDate", "6-1-2005");
  open();
  EXPECT_EQ(controls.text(kDriverVersionId), " 5.1.0.21");
  EXPECT_EQ(controls.text(kDriverDateId), "6-1-2005");

  testing::PageServices bare;
  bare.putParameter("DriverDesc", "x");
  fakes::FakeControlSurface bareControls;
  InformationPage barePage{bare.services, sheet, timers, "Jun 30 2005"};
  barePage.OnInitDialog(bareControls);
  EXPECT_EQ(bareControls.text(kDriverVersionId), " UnKnown");
  EXPECT_EQ(bareControls.text(kDriverDateId), " UnKnown");
  EXPECT_EQ(bareControls.text(kAutoCellVersionId), " UnKnown");
  EXPECT_EQ(bareControls.text(kMacAddressId), " 00:00:00:00:00:00");
  EXPECT_EQ(bareControls.text(kIpAddressId), " ");
}

TEST_F(InformationPageTest, WithTheAdapterAbsentOnlyTheTimerFillsTheIpAddress) {
  services.adapterPresent = false;
  open();
  for (ControlId id : {kRegionId, kMacAddressId, kDriverVersionId, kUtilityVersionId,
                       kUtilityDateId, kAutoCellDateId, kIpAddressId})
    EXPECT_EQ(controls.text(id), "") << id;
  EXPECT_TRUE(controls.at(kAdapterChoiceId).items.empty());

  EXPECT_TRUE(page.OnTimer(kIpRefreshTimerId));
  EXPECT_EQ(controls.text(kIpAddressId), " 192.168.11.20");
  EXPECT_FALSE(page.OnTimer(132));
}

TEST_F(InformationPageTest, ActivationHidesTheOtherPagesButtons) {
  page.OnSetActive();
  EXPECT_EQ(sheet.calls, (std::vector<std::string>{"show Scan 0", "show Connect 0", "show Apply 0",
                                                   "show Cancel 0"}));
  EXPECT_TRUE(InformationPage::SwallowsKey({true, 'N'}));
  EXPECT_FALSE(InformationPage::SwallowsKey({true, 'B'}));
}

TEST(IdentityTexts, AutoCellCutsStayInsideTheText) {
  const AutoCellTexts full = AutoCellTextsOf("V1.2.3.45 Jun30 2005");
  EXPECT_EQ(full.version, " 1.2.3.45");
  EXPECT_EQ(full.date, " Jun. 30, 2005");
  // The shortest text holding every part.
  EXPECT_EQ(AutoCellTextsOf("v12345678 Jun01").date, " Jun. 01, un01");
  for (const std::string& odd :
       {std::string(), std::string("v1"), std::string("v12345678 Jun0"),
        std::string("v1.2.3.4\x01 Jun30 2005"), std::string("v1.2.3.4 \x93\xFA\x96\x7B 30 2005")}) {
    const AutoCellTexts cut = AutoCellTextsOf(odd);
    EXPECT_EQ(cut.version, " UnKnown") << odd;
    EXPECT_EQ(cut.date, " UnKnown") << odd;
  }
}

TEST(IdentityTexts, UtilityVersionAndDate) {
  EXPECT_EQ(UtilityVersionText(), " 2.0.0.6");
  EXPECT_EQ(UtilityDateText("Jun 30 2005"), " Jun. 30, 2005");
  EXPECT_EQ(UtilityDateText("Dec  1 2024"), " Dec. 01, 2024");
  EXPECT_EQ(UtilityDateText("Jun 30"), " UnKnown");
}

// The release's date is fixed with its version, in the form the page cuts.
TEST(IdentityTexts, TheReleaseDateIsFixedWithTheVersion) {
  const std::string shown = UtilityDateText(kUtilityReleaseDate);
  ASSERT_EQ(shown.size(), 14u) << shown;
  EXPECT_TRUE(std::regex_match(shown, std::regex(R"( [A-Z][a-z]{2}\. [0-9]{2}, [0-9]{4})")))
      << shown;
  EXPECT_EQ(UtilityVersionText(), std::string(" ") + kUtilityVersion);
}

TEST(IdentityTexts, EveryRegionOfTheTable) {
  EXPECT_EQ(RegionName("US"), " \x95\xC4\x8D\x91");
  EXPECT_EQ(RegionName("GB"), " \x83\x88\x81\x5B\x83\x8D\x83\x62\x83\x70");
  EXPECT_EQ(RegionName("jp"), " UnKnown");
  EXPECT_EQ(RegionName(""), " UnKnown");
}

}  // namespace
}  // namespace kestrel
