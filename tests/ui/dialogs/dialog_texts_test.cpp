#include "ui/dialogs/dialog_texts.h"

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
