#include "win32/active_window_hook.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

int hookCalls = 0;
LRESULT CALLBACK CountingHook(int code, WPARAM w, LPARAM l) {
  ++hookCalls;
  return CallNextHookEx(nullptr, code, w, l);
}

HWND MakeTopLevel() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// Whether a message posted to this thread now passes the hook.
bool PostedMessagePassesHook(HWND window) {
  hookCalls = 0;
  PostMessageW(window, WM_NULL, 0, 0);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    DispatchMessageW(&message);
  return hookCalls > 0;
}

class ActiveWindowHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet = MakeTopLevel();
    other = MakeTopLevel();
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(other, nullptr);
  }
  void TearDown() override {
    hook.stop();
    if (sheet != nullptr)
      DestroyWindow(sheet);
    DestroyWindow(other);
  }

  HWND sheet = nullptr;
  HWND other = nullptr;
  ActiveWindowHook hook{WH_GETMESSAGE, CountingHook};
};

TEST_F(ActiveWindowHookTest, HookedOnlyWhileTheWindowIsActive) {
  SetActiveWindow(other);
  hook.start(sheet);
  EXPECT_FALSE(hook.hooked());
  EXPECT_FALSE(PostedMessagePassesHook(sheet));

  SetActiveWindow(sheet);
  EXPECT_TRUE(hook.hooked());
  EXPECT_TRUE(PostedMessagePassesHook(sheet));

  SetActiveWindow(other);
  EXPECT_FALSE(hook.hooked());
  EXPECT_FALSE(PostedMessagePassesHook(sheet));
}

TEST_F(ActiveWindowHookTest, StartedOnTheActiveWindowHooksAtOnceAndStopUnhooks) {
  SetActiveWindow(sheet);
  hook.start(sheet);
  hook.start(other);  // already following the sheet: nothing changes
  EXPECT_TRUE(hook.hooked());
  SetActiveWindow(other);
  EXPECT_FALSE(hook.hooked());
  SetActiveWindow(sheet);
  hook.stop();
  EXPECT_FALSE(hook.hooked());
  EXPECT_FALSE(PostedMessagePassesHook(sheet));
  SetActiveWindow(other);
  SetActiveWindow(sheet);
  EXPECT_FALSE(hook.hooked());  // no longer following
}

TEST_F(ActiveWindowHookTest, TheWindowGoneTheHookGoesAndAnotherCanBeFollowed) {
  SetActiveWindow(sheet);
  hook.start(sheet);
  ASSERT_TRUE(hook.hooked());
  DestroyWindow(sheet);
  sheet = nullptr;
  EXPECT_FALSE(hook.hooked());
  hook.start(other);
  SetActiveWindow(other);
  EXPECT_TRUE(hook.hooked());
}

}  // namespace
}  // namespace kestrel
