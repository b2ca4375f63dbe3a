// The dialog plumbing over a real dialog (needs a display: runs under Xvfb).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "win32/dialog_view.h"
#include "win32/win32_control_surface.h"

namespace kestrel {
namespace {

class RecordingView : public DialogView {
 public:
  std::vector<std::pair<int, std::optional<ControlEvent>>> commands;
  bool initialised = false;
  bool destroyed = false;

 protected:
  BOOL onInitDialog() override {
    initialised = true;
    return TRUE;
  }
  void onCommand(int id, std::optional<ControlEvent> event) override {
    commands.emplace_back(id, event);
  }
  void onDestroy() override { destroyed = true; }
};

TEST(DialogView, RoutesDecodedEventsToTheView) {
  RecordingView view;
  HWND dialog = view.createModeless(GetModuleHandleW(nullptr), 9001, nullptr);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(view.initialised);
  EXPECT_EQ(view.hwnd(), dialog);

  SendMessageW(GetDlgItem(dialog, 1002), BM_CLICK, 0, 0);
  Win32ControlSurface(dialog).setText(1001, "abc");
  // Other notifications (focus, updates) arrive too; these two must be among them, in order.
  const auto clicked = std::find(view.commands.begin(), view.commands.end(),
                                 std::make_pair(1002, std::optional(ControlEvent::Clicked)));
  const auto changed = std::find(clicked, view.commands.end(),
                                 std::make_pair(1001, std::optional(ControlEvent::TextChanged)));
  EXPECT_NE(clicked, view.commands.end());
  EXPECT_NE(changed, view.commands.end());

  DestroyWindow(dialog);
  EXPECT_TRUE(view.destroyed);
  EXPECT_EQ(view.hwnd(), nullptr);
}

}  // namespace
}  // namespace kestrel
