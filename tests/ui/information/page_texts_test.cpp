// The pages' Japanese texts are code page 932 bytes that spell what the comments say.
#include <gtest/gtest.h>

#include "fakes/cp932_text.h"

#include <string>
#include <utility>

#include "ui/information/identity_texts.h"
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

// Each code with its own name, looked up as the page does: a swap in the table fails.
TEST(PageTexts, EveryCountryCodeNamesItsRegion) {
  const std::pair<const char*, const char*> expected[] = {
      {"DZ", " アフリカ"},   {"CN", " アジア"},     {"AU", " オーストラリア"},
      {"CA", " カナダ"},     {"GB", " ヨーロッパ"}, {"FR", " フランス"},
      {"IL", " イスラエル"}, {"JP", " 日本"},       {"MX", " メキシコ"},
      {"BR", " 南アメリカ"}, {"US", " 米国"}};
  ASSERT_EQ(std::size(information_texts::kRegions), std::size(expected));
  for (const auto& [code, name] : expected)
    EXPECT_EQ(FromCp932(RegionName(code)), name) << code;
  for (const char* other : {"NA", "DE", "jp", "J", ""})
    EXPECT_EQ(RegionName(other), " UnKnown") << other;
}

}  // namespace
}  // namespace kestrel
