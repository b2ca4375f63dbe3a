// The frame player's loop: order of drawing, disposal, waiting and stopping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/frame_player.h"

namespace kestrel {
namespace {

// Records every canvas operation; requests the exit after a number of waits.
class RecordingCanvas : public FrameCanvas {
 public:
  RecordingCanvas(std::atomic<bool>& exit, int waitsBeforeExit)
      : exit_(exit), waitsLeft_(waitsBeforeExit) {}

  bool renderFails = false;
  int exitOnRender = -1;  // request the exit while drawing this frame
  std::vector<std::string> log;

  bool renderFrame(std::size_t index) override {
    log.push_back("render " + std::to_string(index));
    if (static_cast<int>(index) == exitOnRender)
      exit_ = true;
    return !renderFails;
  }
  void fillBackground(const FramePlacement& area) override {
    log.push_back("fill " + std::to_string(area.left) + "," + std::to_string(area.top));
  }
  void fillAllBackground() override { log.push_back("fill all"); }
  void saveArea(const FramePlacement& area) override {
    log.push_back("save " + std::to_string(area.left) + "," + std::to_string(area.top));
  }
  void restoreSavedArea() override { log.push_back("restore"); }
  void requestRepaint() override { log.push_back("repaint"); }
  void waitForStop(unsigned milliseconds) override {
    log.push_back("wait " + std::to_string(milliseconds));
    if (--waitsLeft_ == 0)
      exit_ = true;
  }

 private:
  std::atomic<bool>& exit_;
  int waitsLeft_;
};

FramePlacement Frame(int left, int top, int delay, int disposal) {
  return FramePlacement{left, top, 10, 10, delay, disposal};
}

using Log = std::vector<std::string>;

TEST(FramePlayer, DrawsEachFrameWaitsItsDelayAndClearsBeforeStartingAgain) {
  const std::vector<FramePlacement> frames{Frame(0, 0, 20, 1), Frame(1, 1, 5, 0)};
  std::atomic<bool> exit{false};
  RecordingCanvas canvas(exit, 3);
  std::size_t current = 0;
  PlayFrames(frames, current, canvas, exit);
  EXPECT_EQ(canvas.log, (Log{"render 0", "repaint", "wait 200", "render 1", "repaint", "wait 50",
                             "fill all", "render 0", "repaint", "wait 200"}));
  EXPECT_EQ(current, 0u);  // stopped inside the wait: not disposed, not advanced
}

TEST(FramePlayer, ShortOrMissingDelaysWaitAHundredMilliseconds) {
  const std::vector<FramePlacement> frames{Frame(0, 0, 0, 0), Frame(0, 0, 4, 0),
                                           Frame(0, 0, -1, 0)};
  std::atomic<bool> exit{false};
  RecordingCanvas canvas(exit, 3);
  std::size_t current = 0;
  PlayFrames(frames, current, canvas, exit);
  Log waits;
  for (const std::string& entry : canvas.log) {
    if (entry.rfind("wait", 0) == 0)
      waits.push_back(entry);
  }
  EXPECT_EQ(waits, (Log{"wait 100", "wait 100", "wait 100"}));
}

TEST(FramePlayer, DisposalTwoFillsTheFrameWithBackground) {
  const std::vector<FramePlacement> frames{Frame(3, 4, 10, 2), Frame(0, 0, 10, 0)};
  std::atomic<bool> exit{false};
  RecordingCanvas canvas(exit, 2);
  std::size_t current = 0;
  PlayFrames(frames, current, canvas, exit);
  EXPECT_EQ(canvas.log, (Log{"fill 3,4", "render 0", "repaint", "wait 100", "fill 3,4", "render 1",
                             "repaint", "wait 100"}));
}

TEST(FramePlayer, DisposalThreeRestoresWhatLayUnderTheFrame) {
  const std::vector<FramePlacement> frames{Frame(0, 0, 10, 0), Frame(2, 2, 10, 3)};
  std::atomic<bool> exit{false};
  RecordingCanvas canvas(exit, 3);
  std::size_t current = 0;
  PlayFrames(frames, current, canvas, exit);
  EXPECT_EQ(canvas.log,
            (Log{"render 0", "repaint", "wait 100", "save 2,2", "render 1", "repaint", "wait 100",
                 "restore", "fill all", "render 0", "repaint", "wait 100"}));
}

TEST(FramePlayer, ResumingDisposesTheFrameWhereItStopped) {
  const std::vector<FramePlacement> frames{Frame(0, 0, 10, 0), Frame(2, 2, 10, 3)};
  std::atomic<bool> exit{false};
  RecordingCanvas canvas(exit, 1);
  std::size_t current = 1;
  PlayFrames(frames, current, canvas, exit);
  EXPECT_EQ(canvas.log, (Log{"restore", "save 2,2", "render 1", "repaint", "wait 100"}));
}

TEST(FramePlayer, ExitRequestedWhileDrawingSkipsTheWait) {
  const std::vector<FramePlacement> frames{Frame(0, 0, 500, 0), Frame(0, 0, 500, 0)};
  std::atomic<bool> exit{false};
  RecordingCanvas canvas(exit, 100);
  canvas.exitOnRender = 1;
  std::size_t current = 0;
  PlayFrames(frames, current, canvas, exit);
  EXPECT_EQ(canvas.log, (Log{"render 0", "repaint", "wait 5000", "render 1", "repaint"}));
  EXPECT_EQ(current, 1u);
}

TEST(FramePlayer, FrameThatFailsToRenderIsNotRepaintedButStillTimed) {
  const std::vector<FramePlacement> frames{Frame(0, 0, 10, 0)};
  std::atomic<bool> exit{false};
  RecordingCanvas canvas(exit, 1);
  canvas.renderFails = true;
  std::size_t current = 0;
  PlayFrames(frames, current, canvas, exit);
  EXPECT_EQ(canvas.log, (Log{"render 0", "wait 100"}));
}

TEST(FramePlayer, ExitRequestedBeforeStartDrawsNothing) {
  const std::vector<FramePlacement> frames{Frame(0, 0, 10, 2)};
  std::atomic<bool> exit{true};
  RecordingCanvas canvas(exit, 1);
  std::size_t current = 7;  // out of range: starts again at the first frame
  PlayFrames(frames, current, canvas, exit);
  EXPECT_EQ(canvas.log, (Log{"fill 0,0"}));
  EXPECT_EQ(current, 0u);
}

}  // namespace
}  // namespace kestrel
