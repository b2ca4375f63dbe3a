// The profile messages, byte for byte: each constant is the code page 932 spelling of
// its Japanese text. Native only: the texts are converted with glibc's converter.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/cp932_text.h"
#include "profiles/profile_messages.h"

namespace kestrel {
namespace {

using fakes::ToCp932;

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
