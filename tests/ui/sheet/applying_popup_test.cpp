#include "ui/sheet/applying_popup.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_timers.h"

namespace kestrel {
namespace {

class RecordingPopup : public PopupWindow {
 public:
  std::vector<Placement> placements;
  int ends = 0;
  void place(const Placement& placement) override { placements.push_back(placement); }
  void end() override { ++ends; }
};

class ApplyingPopupTest : public ::testing::Test {
 protected:
  ApplyingPopupTest() {
    timers.onTick = [this](std::uint32_t id) { zoom.onTimer(id); };
  }
  fakes::FakeTimers timers;
  RecordingPopup popup;
  ApplyingPopupZoom zoom{timers, popup};
};

// A main window 400 x 300 at (100, 100): centre (300, 250). The popup 190 x 66: steps 9 x 3.
TEST_F(ApplyingPopupTest, OpensAsOneStepWithItsCornerAtTheCentre) {
  zoom.open({100, 100, 500, 400}, {190, 66});
  ASSERT_EQ(popup.placements.size(), 1u);
  EXPECT_EQ(popup.placements[0], (Placement{300, 250, 9, 3}));
  EXPECT_EQ(timers.calls.front(), (fakes::FakeTimers::Call{true, 180, 30}));
}

TEST_F(ApplyingPopupTest, GrowsAroundTheCentreInTwentyOneTicksThenCloses) {
  zoom.open({100, 100, 500, 400}, {190, 66});
  EXPECT_EQ(timers.fireUntilStopped(180, 100), 21);
  ASSERT_EQ(popup.placements.size(), 22u);
  EXPECT_EQ(popup.placements[1], (Placement{300 - 4, 250 - 1, 9, 3}));  // 9/2, 3/2 toward zero
  EXPECT_EQ(popup.placements[2], (Placement{291, 247, 18, 6}));
  EXPECT_EQ(popup.placements[20], (Placement{210, 220, 180, 60}));
  // The last tick reaches 21/20 of the designed size just before the popup closes.
  EXPECT_EQ(popup.placements[21], (Placement{206, 219, 189, 63}));
  EXPECT_EQ(popup.ends, 1);
  EXPECT_FALSE(timers.isRunning(180));
  EXPECT_EQ(zoom.step(), 21);
}

TEST_F(ApplyingPopupTest, GrowsAroundTheCentreEvenOffTheScreen) {
  zoom.open({-700, -500, -100, -100}, {190, 66});  // centre (-400, -300)
  timers.fireUntilStopped(180, 100);
  EXPECT_EQ(popup.placements.back(), (Placement{-400 - 94, -300 - 31, 189, 63}));
}

TEST_F(ApplyingPopupTest, OtherTimersAreNotItsBusiness) {
  zoom.open({0, 0, 400, 300}, {190, 66});
  EXPECT_FALSE(zoom.onTimer(1140));
  EXPECT_EQ(zoom.step(), 0);
  EXPECT_EQ(popup.placements.size(), 1u);
}

TEST_F(ApplyingPopupTest, ClosesAtOnceWhenItsTimerCannotStart) {
  timers.startFails = true;
  zoom.open({0, 0, 400, 300}, {190, 66});
  EXPECT_EQ(popup.ends, 1);
}

TEST_F(ApplyingPopupTest, APopupSmallerThanTwentyPixelsStillEnds) {
  zoom.open({0, 0, 400, 300}, {15, 10});  // steps of zero pixels
  EXPECT_EQ(timers.fireUntilStopped(180, 100), 21);
  EXPECT_EQ(popup.placements.back(), (Placement{200, 150, 0, 0}));
  EXPECT_EQ(popup.ends, 1);
}

}  // namespace
}  // namespace kestrel
