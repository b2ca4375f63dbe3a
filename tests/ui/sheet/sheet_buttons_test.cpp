#include "ui/sheet/sheet_buttons.h"

#include <gtest/gtest.h>

#include "recording_sheet_control.h"

namespace kestrel {
namespace {

struct Expected {
  SheetPage page;
  bool apply, cancel, scan, connect;
};

TEST(ButtonSets, EachPageShowsItsButtonsAndHidesTheOthers) {
  const Expected table[] = {
      {SheetPage::Settings, true, true, false, false},
      {SheetPage::Networks, false, false, true, true},
      {SheetPage::Statistics, false, false, false, false},
      {SheetPage::Information, false, false, false, false},
  };
  fakes::RecordingSheetControl sheet;
  for (const Expected& row : table) {
    ShowButtonSet(sheet, row.page);
    EXPECT_EQ(sheet.visible[SheetButton::Apply], row.apply);
    EXPECT_EQ(sheet.visible[SheetButton::Cancel], row.cancel);
    EXPECT_EQ(sheet.visible[SheetButton::Scan], row.scan);
    EXPECT_EQ(sheet.visible[SheetButton::Connect], row.connect);
    EXPECT_TRUE(sheet.visible[SheetButton::Close]);
    EXPECT_EQ(sheet.visible.count(SheetButton::Help), 0u);  // Help is the sheet's own
  }
}

TEST(ButtonSets, ChangingPagesNeverTouchesEnabling) {
  // Connect stays disabled until the networks page enables it.
  fakes::RecordingSheetControl sheet;
  ShowButtonSet(sheet, SheetPage::Networks);
  ShowButtonSet(sheet, SheetPage::Settings);
  EXPECT_TRUE(sheet.enabledState.empty());
}

TEST(PageSets, FourPagesInTabOrderOrOnlyStatisticsAndInformation) {
  EXPECT_EQ(PageSet(true), (std::vector<SheetPage>{SheetPage::Settings, SheetPage::Networks,
                                                   SheetPage::Statistics, SheetPage::Information}));
  EXPECT_EQ(PageSet(false),
            (std::vector<SheetPage>{SheetPage::Statistics, SheetPage::Information}));
}

TEST(OpeningPage, InformationIsTheLastPageOfEitherSet) {
  EXPECT_EQ(OpeningPageIndex(PageSet(true), false), 0);
  EXPECT_EQ(OpeningPageIndex(PageSet(false), false), 0);
  EXPECT_EQ(OpeningPageIndex(PageSet(true), true), 3);
  EXPECT_EQ(OpeningPageIndex(PageSet(false), true), 1);
  // A sheet built without an information page opens on its first page.
  EXPECT_EQ(OpeningPageIndex({SheetPage::Settings, SheetPage::Networks}, true), 0);
}

}  // namespace
}  // namespace kestrel
