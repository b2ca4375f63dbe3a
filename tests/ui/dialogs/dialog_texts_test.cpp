#include "ui/dialogs/dialog_texts.h"

#include <gtest/gtest.h>

#include "fakes/cp932_text.h"

#include <string>

namespace kestrel {
namespace {

using fakes::FromCp932;

TEST(DialogTexts, Cp932BytesSpellTheTexts) {
  using namespace dialog_texts;
  EXPECT_EQ(FromCp932(kOff), "無効");
  EXPECT_EQ(FromCp932(kOn), "有効");
  EXPECT_EQ(FromCp932(kPowerSaveOff), "オフ");
  EXPECT_EQ(FromCp932(kPowerSaveMaximum), "最大");
  EXPECT_EQ(FromCp932(kPowerSaveNormal), "ノーマル");
  EXPECT_EQ(FromCp932(kAutomatic), "自動");
  EXPECT_EQ(FromCp932(kMinimum), "最小");
  EXPECT_EQ(FromCp932(kSelectOneModeMessage), "少なくとも1つのモードを選択してください。");
}

}  // namespace
}  // namespace kestrel
