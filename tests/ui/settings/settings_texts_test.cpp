#include "ui/settings/settings_texts.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace kestrel {
namespace {

std::string FromCp932(const std::string& bytes) {
  iconv_t converter = iconv_open("UTF-8", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1))
    return "(no CP932 converter)";
  std::string in = bytes;
  std::string out(in.size() * 4, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(converter);
  if (converted == static_cast<std::size_t>(-1))
    return "(not CP932)";
  out.resize(out.size() - outLeft);
  return out;
}

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
