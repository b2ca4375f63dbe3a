#include "win32/window_subclass.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrel {
namespace {

// Each procedure appends its id to the log handed in as its data, and passes the message on.
LRESULT CALLBACK Logging(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                         DWORD_PTR log) {
  if (message == WM_APP)
    *reinterpret_cast<std::string*>(log) += static_cast<char>('0' + id);
  return CallNextSubclass(window, message, w, l);
}

// Answers WM_APP itself: what lies beneath is never asked.
LRESULT CALLBACK Answering(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (message == WM_APP)
    return 42;
  return CallNextSubclass(window, message, w, l);
}

// Takes itself out on the first WM_APP, then still passes that message on.
LRESULT CALLBACK Leaving(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                         DWORD_PTR log) {
  if (message == WM_APP) {
    *reinterpret_cast<std::string*>(log) += 'L';
    RemoveSubclass(window, Leaving, id);
  }
  return CallNextSubclass(window, message, w, l);
}

// The window's own procedure: records that it saw WM_APP.
std::string* ownLog = nullptr;
LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_APP && ownLog != nullptr)
    *ownLog += 'W';
  return DefWindowProcW(window, message, w, l);
}

class WindowSubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = OwnProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KestrelSubclassTest";
    RegisterClassW(&windowClass);
    window = CreateWindowExW(0, L"KestrelSubclassTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    own = GetWindowLongPtrW(window, GWLP_WNDPROC);
    ownLog = &log;
  }
  void TearDown() override {
    if (window != nullptr)
      DestroyWindow(window);
    ownLog = nullptr;
  }
  std::string send() {
    log.clear();
    SendMessageW(window, WM_APP, 0, 0);
    return log;
  }
  DWORD_PTR logData() { return reinterpret_cast<DWORD_PTR>(&log); }

  HWND window = nullptr;
  LONG_PTR own = 0;
  std::string log;
};

TEST_F(WindowSubclassTest, TheLastInstalledIsCalledFirstAndTheWindowsOwnLast) {
  ASSERT_TRUE(InstallSubclass(window, Logging, 1, logData()));
  ASSERT_TRUE(InstallSubclass(window, Logging, 2, logData()));
  EXPECT_EQ(send(), "21W");
  // The same procedure and id again: new data, no second entry.
  ASSERT_TRUE(InstallSubclass(window, Logging, 2, logData()));
  EXPECT_EQ(send(), "21W");
}

TEST_F(WindowSubclassTest, AnsweringProcedureHidesTheOnesBeneath) {
  ASSERT_TRUE(InstallSubclass(window, Logging, 1, logData()));
  ASSERT_TRUE(InstallSubclass(window, Answering, 7, 0));
  log.clear();
  EXPECT_EQ(SendMessageW(window, WM_APP, 0, 0), 42);
  EXPECT_EQ(log, "");
}

TEST_F(WindowSubclassTest, RemovedInAnyOrderTheWindowGetsItsOwnProcedureBack) {
  ASSERT_TRUE(InstallSubclass(window, Logging, 1, logData()));
  ASSERT_TRUE(InstallSubclass(window, Logging, 2, logData()));
  EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
  RemoveSubclass(window, Logging, 1);
  EXPECT_EQ(send(), "2W");
  RemoveSubclass(window, Logging, 2);
  EXPECT_EQ(send(), "W");
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
  RemoveSubclass(window, Logging, 2);  // again: nothing to do
  EXPECT_EQ(send(), "W");
}

TEST_F(WindowSubclassTest, AProcedureRemovingItselfStillPassesTheMessageOn) {
  ASSERT_TRUE(InstallSubclass(window, Logging, 1, logData()));
  ASSERT_TRUE(InstallSubclass(window, Leaving, 5, logData()));
  ASSERT_TRUE(InstallSubclass(window, Logging, 3, logData()));
  EXPECT_EQ(send(), "3L1W");
  EXPECT_EQ(send(), "31W");
}

TEST_F(WindowSubclassTest, RemovingTheOnlyProcedureFromInsideRestoresTheWindowAfterTheCall) {
  ASSERT_TRUE(InstallSubclass(window, Leaving, 5, logData()));
  EXPECT_EQ(send(), "LW");
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
  EXPECT_EQ(send(), "W");
}

struct SeenEnd {
  bool destroy = false;
  bool ncDestroy = false;
};

LRESULT CALLBACK WatchingTheEnd(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                DWORD_PTR data) {
  auto* seen = reinterpret_cast<SeenEnd*>(data);
  seen->destroy |= message == WM_DESTROY;
  seen->ncDestroy |= message == WM_NCDESTROY;
  return CallNextSubclass(window, message, w, l);
}

TEST_F(WindowSubclassTest, AnInstalledProcedureSeesTheWindowsLastMessages) {
  SeenEnd seen;
  ASSERT_TRUE(InstallSubclass(window, WatchingTheEnd, 1, reinterpret_cast<DWORD_PTR>(&seen)));
  DestroyWindow(window);
  window = nullptr;
  EXPECT_TRUE(seen.destroy);
  EXPECT_TRUE(seen.ncDestroy);
}

TEST_F(WindowSubclassTest, NoWindowNoSubclass) {
  EXPECT_FALSE(InstallSubclass(nullptr, Logging, 1, logData()));
  EXPECT_FALSE(InstallSubclass(window, nullptr, 1, logData()));
  EXPECT_EQ(send(), "W");
}

}  // namespace
}  // namespace kestrel
