#include "ui/sheet/sheet_texts.h"

#include <gtest/gtest.h>

#include "fakes/cp932_text.h"

#include <string>

namespace kestrel {
namespace {

using fakes::FromCp932;

TEST(SheetTexts, Cp932BytesSpellTheTexts) {
  EXPECT_EQ(FromCp932(sheet_texts::kClose), "閉じる");
  EXPECT_EQ(FromCp932(sheet_texts::kScan), "スキャン");
  EXPECT_EQ(FromCp932(sheet_texts::kConnect), "接続");
  EXPECT_EQ(FromCp932(sheet_texts::kCancel), "キャンセル");
  EXPECT_EQ(FromCp932(sheet_texts::kHelp), "ヘルプ");
  EXPECT_EQ(FromCp932(sheet_texts::kCloseHelp), "ヘルプを閉じる");
}

}  // namespace
}  // namespace kestrel
