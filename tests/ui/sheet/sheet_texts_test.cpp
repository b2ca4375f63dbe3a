#include "ui/sheet/sheet_texts.h"

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
