// The registry value helpers on the in-memory registry.
#include <gtest/gtest.h>

#include <climits>

#include "fakes/fake_registry.h"
#include "platform/registry_key.h"
#include "profiles/registry_helpers.h"

namespace kestrel {
namespace {

constexpr RegistryHive kHklm = RegistryHive::LocalMachine;
constexpr char kKey[] = "Software\\Kestrel\\Helpers";

class RegistryHelpersTest : public ::testing::Test {
 protected:
  fakes::FakeRegistry registry;
};

TEST_F(RegistryHelpersTest, NumbersAreTextExceptOnNt4) {
  for (OsKind os : {OsKind::Xp, OsKind::Win2000, OsKind::Win95, OsKind::Me}) {
    ASSERT_TRUE(RegWriteNumber(registry, os, kHklm, kKey, "n", -42));
    const RegistryValue* value = registry.value(kHklm, kKey, "n");
    EXPECT_EQ(value->type, RegistryType::String);
    EXPECT_EQ(RegistryValueText(*value), "-42");
    std::int32_t back = 0;
    ASSERT_TRUE(RegReadNumber(registry, os, kHklm, kKey, "n", back));
    EXPECT_EQ(back, -42);
  }
  ASSERT_TRUE(RegWriteNumber(registry, OsKind::Nt4, kHklm, kKey, "n", 2346));
  EXPECT_EQ(registry.value(kHklm, kKey, "n")->type, RegistryType::Dword);
  std::int32_t back = 0;
  ASSERT_TRUE(RegReadNumber(registry, OsKind::Nt4, kHklm, kKey, "n", back));
  EXPECT_EQ(back, 2346);
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(RegistryHelpersTest, NumberTextIsReadBase10AndBounded) {
  const std::pair<const char*, std::int32_t> cases[] = {{"017", 17},
                                                        {"12abc", 12},
                                                        {"abc", 0},
                                                        {"", 0},
                                                        {"99999999999", INT32_MAX},
                                                        {"-99999999999", INT32_MIN}};
  for (const auto& [text, number] : cases) {
    registry.putValue(kHklm, kKey, "n", RegistryStringValue(text, true));
    std::int32_t back = -1;
    ASSERT_TRUE(RegReadNumber(registry, OsKind::Xp, kHklm, kKey, "n", back));
    EXPECT_EQ(back, number) << text;
  }
}

TEST_F(RegistryHelpersTest, DwordReadTakesShortBinaryButNotText) {
  std::int32_t number = 7;
  registry.putValue(kHklm, kKey, "short", RegistryValue{RegistryType::Binary, {0x34, 0x12}});
  ASSERT_TRUE(RegReadDword(registry, kHklm, kKey, "short", number));
  EXPECT_EQ(number, 0x1234);
  registry.putValue(kHklm, kKey, "text", RegistryStringValue("5", true));
  EXPECT_FALSE(RegReadDword(registry, kHklm, kKey, "text", number));
  registry.putValue(kHklm, kKey, "long", RegistryValue{RegistryType::Binary, {1, 2, 3, 4, 5}});
  EXPECT_FALSE(RegReadDword(registry, kHklm, kKey, "long", number));
  EXPECT_EQ(number, 0x1234);
}

TEST_F(RegistryHelpersTest, StringReadStaysWithinItsCapacity) {
  std::string text = "unchanged";
  registry.putValue(kHklm, kKey, "big", RegistryStringValue(std::string(259, 'x'), true));
  EXPECT_FALSE(RegReadString(registry, kHklm, kKey, "big", text));
  EXPECT_EQ(text, "unchanged");
  // 259 bytes without a terminating zero: cut to leave room for one.
  registry.putValue(kHklm, kKey, "full", RegistryStringValue(std::string(259, 'y'), false));
  ASSERT_TRUE(RegReadString(registry, kHklm, kKey, "full", text));
  EXPECT_EQ(text, std::string(258, 'y'));
  EXPECT_FALSE(RegReadString(registry, kHklm, kKey, "missing", text));
  EXPECT_FALSE(RegReadString(registry, kHklm, "Software\\Nowhere", "big", text));
}

TEST_F(RegistryHelpersTest, WritesCreateTheKeyWithItsParents) {
  ASSERT_TRUE(RegWriteString(registry, kHklm, "Software\\A\\B\\C", "s", "text"));
  EXPECT_TRUE(registry.hasKey(kHklm, "Software\\A\\B"));
  EXPECT_EQ(registry.value(kHklm, "Software\\A\\B\\C", "s")->data.size(), 5u);
  ASSERT_TRUE(RegWriteDword(registry, kHklm, "Software\\A", "d", -1));
  EXPECT_EQ(registry.value(kHklm, "Software\\A", "d")->data,
            (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(RegistryHelpersTest, DeleteTreeRefusesAnEmptyPath) {
  registry.putKey(kHklm, "Software\\A\\B");
  EXPECT_FALSE(RegDeleteTree(registry, kHklm, ""));
  EXPECT_TRUE(registry.hasKey(kHklm, "Software"));
  EXPECT_TRUE(RegDeleteTree(registry, kHklm, "Software\\A"));
  EXPECT_FALSE(registry.hasKey(kHklm, "Software\\A\\B"));
}

}  // namespace
}  // namespace kestrel
