// The single-instance broadcast over the real window manager: a hung window elsewhere
// delays a start by a bounded time, never for as long as it hangs.
#include <windows.h>

#include <gtest/gtest.h>

#include "fakes/test_thread.h"
#include "win32/scoped_handles.h"
#include "win32/win32_shell_ports.h"

namespace kestrel {
namespace {

TEST(Win32ApplicationHost, ABroadcastDoesNotWaitForAHungWindow) {
  UniqueHandle created(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  UniqueHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  constexpr DWORD kHangMs = 40000;
  fakes::TestThread hung([&] {
    HWND window = CreateWindowExW(0, L"STATIC", L"hung", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetEvent(created.get());
    // Owns a top-level window and reads no messages: hung, as far as a sender can tell.
    WaitForSingleObject(release.get(), kHangMs);
    DestroyWindow(window);
  });
  ASSERT_EQ(WaitForSingleObject(created.get(), 5000), WAIT_OBJECT_0);

  Win32ApplicationHost host;
  const DWORD start = GetTickCount();
  host.broadcastRegisteredMessage("KestrelTestBroadcast");
  const DWORD took = GetTickCount() - start;
  SetEvent(release.get());
  hung.join();
  EXPECT_LT(took, 15000u) << "the broadcast waited " << took << " ms";
}

}  // namespace
}  // namespace kestrel
