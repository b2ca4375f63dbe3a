#include "monitor/monitor_texts.h"

#include <gtest/gtest.h>

#include "fakes/cp932_text.h"

#include <string>

namespace kestrel {
namespace {

using fakes::FromCp932;

TEST(MonitorTexts, Cp932BytesSpellTheTexts) {
  EXPECT_EQ(FromCp932(monitor_texts::kScanning), "<<< スキャン中... >>>");
  EXPECT_EQ(FromCp932(monitor_texts::kScanFinished), "スキャン終了");
  EXPECT_EQ(FromCp932(monitor_texts::kAccessPoint), "アクセス・ポイント");
  EXPECT_EQ(FromCp932(monitor_texts::kLinkScanning), "スキャン中…");
  EXPECT_EQ(FromCp932(monitor_texts::kConnecting), "接続しています…");
  EXPECT_EQ(FromCp932(monitor_texts::kAuthenticating), "認証しています…");
  EXPECT_EQ(FromCp932(monitor_texts::kRateUnknown), "不明");
  EXPECT_EQ(FromCp932(monitor_texts::kSignalLabel), "信号");
}

}  // namespace
}  // namespace kestrel
