#pragma once
// The frame player's loop: draws the frames of an animated GIF in turn, honouring each
// frame's delay and disposal method, until an exit is requested.

#include <atomic>
#include <cstddef>
#include <vector>

namespace kestrel {

struct FramePlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int delay = -1;    // hundredths of a second, -1 without a graphic control extension
  int disposal = 0;  // 2: background, 3: previous
};

// What the loop draws on: the control's off-screen image, used under the control's lock.
class FrameCanvas {
 public:
  virtual ~FrameCanvas() = default;
  // Draws frame `index` at its placement; false when the picture would not render.
  virtual bool renderFrame(std::size_t index) = 0;
  virtual void fillBackground(const FramePlacement& area) = 0;
  virtual void fillAllBackground() = 0;
  virtual void saveArea(const FramePlacement& area) = 0;
  // Puts the saved area back where it was taken and forgets it; nothing without one.
  virtual void restoreSavedArea() = 0;
  virtual void requestRepaint() = 0;
  // Waits up to `milliseconds`; returns early when the stop signal is raised.
  virtual void waitForStop(unsigned milliseconds) = 0;
};

// Runs until `exitRequested`; `currentFrame` is where it starts and where it stopped.
void PlayFrames(const std::vector<FramePlacement>& frames, std::size_t& currentFrame,
                FrameCanvas& canvas, const std::atomic<bool>& exitRequested);

}  // namespace kestrel
