// The pages' Japanese texts are code page 932 bytes that spell what the comments say.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "ui/information/information_texts.h"
#include "ui/networks/networks_texts.h"

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

TEST(PageTexts, NetworksTexts) {
  EXPECT_EQ(FromCp932(networks_texts::kColumnSpecification),
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
