// The profile messages, byte for byte: each constant is the code page 932 spelling of
// its Japanese text. Native only: the texts are converted with glibc's converter.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>
#include <utility>
#include <vector>

#include "profiles/profile_messages.h"

namespace kestrel {
namespace {

std::string ToCp932(const std::string& utf8) {
  iconv_t converter = iconv_open("CP932", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1))
    return "(no CP932 converter)";
  std::string in = utf8;
  std::string out(in.size() * 2, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(converter);
  if (converted == static_cast<std::size_t>(-1))
    return "(not convertible)";
  out.resize(out.size() - outLeft);
  return out;
}

TEST(ProfileMessagesTest, EachMessageIsItsTextInCodePage932) {
  const std::vector<std::pair<const char*, const char*>> messages = {
      {kProfileLimitMessage, "これ以上プロファイルを登録できません。"},
      {kDeleteProfileQuestion, "このプロファイルを削除しますか？"},
      {kKeyLength10Message, "無効な長さ。\n10桁の16進数を入力してください。"},
      {kKeyLength32Message, "無効な長さ。\n32桁の16進数を入力してください。"},
      {kWepPassphraseLengthMessage, "無効な長さ。\n少なくとも1文字を入力してください。"},
      {kWpaPassphraseLengthMessage, "パスフレーズの長さは8桁から63桁です。"},
  };
  for (const auto& [bytes, text] : messages) {
    EXPECT_EQ(std::string(bytes), ToCp932(text)) << text;
  }
}

}  // namespace
}  // namespace kestrel
