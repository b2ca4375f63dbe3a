// The pages' Japanese texts are code page 932 bytes that spell what the comments say.
#include <gtest/gtest.h>

#include "fakes/cp932_text.h"

#include <string>

#include "ui/information/information_texts.h"
#include "ui/networks/networks_texts.h"

namespace kestrel {
namespace {

using fakes::FromCp932;

TEST(PageTexts, NetworksTexts) {
  EXPECT_EQ(FromCp932(networks_texts::kColumnLayout),
            "ネットワーク名(SSID),100;XR,100;チャンネル,100;セキュリティ,100;信号,100;"
            "MACアドレス,100;モード,100");
  EXPECT_EQ(FromCp932(networks_texts::kNewProfileName), "新しいプロファイル");
}

TEST(PageTexts, RegionNames) {
  const char* expected[] = {
      " アフリカ",   " アジア", " オーストラリア", " カナダ",     " ヨーロッパ", " フランス",
      " イスラエル", " 日本",   " メキシコ",       " 南アメリカ", " 米国"};
  ASSERT_EQ(std::size(information_texts::kRegions), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i)
    EXPECT_EQ(FromCp932(information_texts::kRegions[i].name), expected[i]);
}

}  // namespace
}  // namespace kestrel
