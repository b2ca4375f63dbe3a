#include "ui/settings/settings_texts.h"

#include <gtest/gtest.h>

#include "fakes/cp932_text.h"

#include <string>

namespace kestrel {
namespace {

using fakes::FromCp932;

TEST(SettingsTexts, Cp932BytesSpellTheTexts) {
  using namespace settings_texts;
  EXPECT_EQ(FromCp932(kNewProfileJapanese), "新しいプロファイル");
  EXPECT_EQ(FromCp932(kAdHocSsidEmptyMessage),
            "無効な SSID の長さ。\nAd Hoc モードでは、少なくとも1文字を入力してください。");
  EXPECT_EQ(FromCp932(kInvalidSsidMessageFormat),
            "無効な SSID。\n\"%s\"は、SSIDに使用できません。");
  EXPECT_EQ(FromCp932(kEnterNewProfileNameMessage), "新しいプロファイル名を入力してください。");
  EXPECT_EQ(FromCp932(kEnterProfileNameMessage),
            "プロファイル名フィールドに少なくとも1文字を入力してください。");
  EXPECT_EQ(FromCp932(kCannotSaveDefaultMessage),
            "プロファイル名 Default では保存することができません!!");
  EXPECT_EQ(FromCp932(kSelectProfileToDeleteMessage), "削除するプロファイル名を選択してください。");
  EXPECT_EQ(FromCp932(kCannotDeleteDefaultMessage), "この設定ファイルを削除することはできません。");
}

}  // namespace
}  // namespace kestrel
