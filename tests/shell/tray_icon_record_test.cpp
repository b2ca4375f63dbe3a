#include "shell/tray_icon_record.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

const int kIconA = 1;
const int kIconB = 2;

TEST(TrayIconRecord, AddsThenModifiesThenDeletes) {
  TrayIconRecord record;
  record.setNotificationWnd(true, 0x0401);
  const std::string tip = "Disconnect";

  auto call = record.prepare(&kIconA, &tip, nullptr);
  ASSERT_TRUE(call);
  EXPECT_EQ(call->action, NotifyAction::Add);
  EXPECT_TRUE(call->iconFlag && call->tipFlag && call->messageFlag);
  record.finished(*call, true);

  call = record.prepare(&kIconB, nullptr, nullptr);
  ASSERT_TRUE(call);
  EXPECT_EQ(call->action, NotifyAction::Modify);
  EXPECT_FALSE(call->tipFlag);
  EXPECT_EQ(call->tip, "Disconnect");  // the tip shown stays
  record.finished(*call, true);
  EXPECT_EQ(record.currentIcon(), &kIconB);

  call = record.prepare(nullptr, nullptr, nullptr);
  ASSERT_TRUE(call);
  EXPECT_EQ(call->action, NotifyAction::Delete);
  EXPECT_FALSE(call->iconFlag);
  record.finished(*call, true);
  EXPECT_EQ(record.currentIcon(), nullptr);
  EXPECT_FALSE(record.prepare(nullptr, nullptr, nullptr));  // nothing left to remove
}

TEST(TrayIconRecord, FailedCallOrRecreatedTaskbarAddsAgain) {
  TrayIconRecord record;
  auto call = record.prepare(&kIconA, nullptr, nullptr);
  record.finished(*call, false);
  EXPECT_EQ(record.prepare(&kIconA, nullptr, nullptr)->action, NotifyAction::Add);

  record.finished(*record.prepare(&kIconA, nullptr, nullptr), true);
  record.forget();
  EXPECT_EQ(record.prepare(&kIconA, nullptr, nullptr)->action, NotifyAction::Add);
}

// Shown once, the same icon and tip need no further call; any change, a failed call, a
// recreated taskbar, a balloon or a new owner does.
TEST(TrayIconRecord, SameIconAndTipAgainNeedNoCall) {
  TrayIconRecord record;
  record.setNotificationWnd(true, 0x0401);
  const std::string tip = "Kestrel LX740N is Connected to Cafe";
  record.finished(*record.prepare(&kIconA, &tip, nullptr), true);
  EXPECT_FALSE(record.prepare(&kIconA, &tip, nullptr));
  EXPECT_FALSE(record.prepare(&kIconA, nullptr, nullptr));
  const std::string longer = std::string(127, 'A') + "B";
  record.finished(*record.prepare(&kIconA, &longer, nullptr), true);
  EXPECT_FALSE(record.prepare(&kIconA, &longer, nullptr));  // compared as cut

  const std::string other = "Disconnect";
  auto call = record.prepare(&kIconA, &other, nullptr);
  ASSERT_TRUE(call);
  EXPECT_EQ(call->action, NotifyAction::Modify);
  EXPECT_EQ(call->tip, "Disconnect");
  record.finished(*call, true);
  call = record.prepare(&kIconB, &other, nullptr);
  ASSERT_TRUE(call);
  EXPECT_TRUE(call->iconFlag);
  record.finished(*call, false);
  EXPECT_EQ(record.prepare(&kIconB, &other, nullptr)->action, NotifyAction::Add);

  record.finished(*record.prepare(&kIconB, &other, nullptr), true);
  const std::string info = "balloon";
  EXPECT_TRUE(record.prepare(&kIconB, nullptr, &info));
  record.setNotificationWnd(true, 0x0402);
  EXPECT_TRUE(record.prepare(&kIconB, nullptr, nullptr));
  record.forget();
  EXPECT_EQ(record.prepare(&kIconB, nullptr, nullptr)->action, NotifyAction::Add);
}

TEST(TrayIconRecord, MessageFlagNeedsOwnerAndCallback) {
  TrayIconRecord record;
  EXPECT_FALSE(record.prepare(&kIconA, nullptr, nullptr)->messageFlag);
  record.setNotificationWnd(false, 0x0401);
  EXPECT_FALSE(record.prepare(&kIconA, nullptr, nullptr)->messageFlag);
  record.setNotificationWnd(true, 0x0401);
  EXPECT_TRUE(record.prepare(&kIconA, nullptr, nullptr)->messageFlag);
}

TEST(TrayIconRecord, EmptyTipSetsNoTipFlag) {
  TrayIconRecord record;
  const std::string empty;
  EXPECT_FALSE(record.prepare(&kIconA, &empty, nullptr)->tipFlag);
}

TEST(TrayIconRecord, LongTipsAreCutWithoutSplittingACharacter) {
  TrayIconRecord record;
  const std::string ascii(300, 'A');
  EXPECT_EQ(record.prepare(&kIconA, &ascii, nullptr)->tip.size(), kTrayTipMaxBytes);

  // 126 ASCII bytes, then "あ" (0x82 0xA0): the pair would end past byte 127.
  const std::string mixed = std::string(126, 'A') + "\x82\xA0" + "B";
  EXPECT_EQ(record.prepare(&kIconA, &mixed, nullptr)->tip, std::string(126, 'A'));
  const std::string fits = std::string(125, 'A') + "\x82\xA0" + "B";
  EXPECT_EQ(record.prepare(&kIconA, &fits, nullptr)->tip, std::string(125, 'A') + "\x82\xA0");
}

TEST(CutCp932, LoneLeadByteAtTheEndCountsAsOneByte) {
  EXPECT_EQ(CutCp932("AB\x82", 3), "AB\x82");
  EXPECT_EQ(CutCp932("", 3), "");
  EXPECT_EQ(CutCp932("\x82\xA0\x82\xA2", 3), "\x82\xA0");
}

}  // namespace
}  // namespace kestrel
