// The profile store and driver mirror on the real registry, the GUID source and the text
// conversion of the message boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "profiles/profile_messages.h"
#include "profiles/store_cases.h"
#include "win32/ansi_text.h"
#include "win32/win32_guid_source.h"
#include "win32/win32_registry.h"

namespace kestrel {

struct RealRegistryEnvironment {
  RealRegistryEnvironment()
      : root("SOFTWARE\\KestrelTests\\" + std::to_string(GetCurrentProcessId())) {
    base = root + "\\profiles";
  }
  ~RealRegistryEnvironment() { registry.deleteTree(RegistryHive::LocalMachine, root); }

  Win32Registry registry;
  std::string root;
  std::string base;
};

INSTANTIATE_TYPED_TEST_SUITE_P(RealRegistry, ProfileStoreCases, RealRegistryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(RealRegistry, DriverMirrorCases, RealRegistryEnvironment);

namespace {

TEST(Win32GuidSourceTest, GivesFreshLowerCaseGuidTexts) {
  Win32GuidSource guids;
  std::set<std::string> seen;
  for (int i = 0; i < 3; ++i) {
    std::string text;
    ASSERT_TRUE(guids.createGuidText(text));
    ASSERT_EQ(text.size(), 36u);
    for (std::size_t at : {8u, 13u, 18u, 23u}) {
      EXPECT_EQ(text[at], '-');
    }
    EXPECT_EQ(text.find_first_not_of("0123456789abcdef-"), std::string::npos) << text;
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 3u);
}

TEST(WideTextTest, JapaneseMessagesBecomeUtf16) {
  EXPECT_EQ(WideFromCore(kProfileMissingMessage), L"プロファイルが存在しません。");
  EXPECT_EQ(WideFromCore(kKeyLength26Message), L"無効な長さ。\n26桁の16進数を入力してください。");
  EXPECT_EQ(WideFromCore(kOverwriteProfileQuestion),
            L"このプロファイルは存在します。上書きしますか？");
  EXPECT_EQ(WideFromCore(""), L"");
}

}  // namespace
}  // namespace kestrel
