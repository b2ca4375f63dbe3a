#include "controls/frame_player.h"

#include "controls/gif_walk.h"

namespace kestrel {

namespace {

void DisposeFrame(const FramePlacement& frame, FrameCanvas& canvas) {
  if (frame.disposal == 2)
    canvas.fillBackground(frame);
  else if (frame.disposal == 3)
    canvas.restoreSavedArea();
}

}  // namespace

void PlayFrames(const std::vector<FramePlacement>& frames, std::size_t& currentFrame,
                FrameCanvas& canvas, const std::atomic<bool>& exitRequested) {
  if (frames.empty())
    return;
  if (currentFrame >= frames.size())
    currentFrame = 0;
  DisposeFrame(frames[currentFrame], canvas);
  while (!exitRequested) {
    const FramePlacement& frame = frames[currentFrame];
    if (frame.disposal == 3)
      canvas.saveArea(frame);
    if (canvas.renderFrame(currentFrame))
      canvas.requestRepaint();
    if (exitRequested)
      break;
    canvas.waitForStop(FrameWaitMilliseconds(frame.delay));
    if (exitRequested)
      break;
    DisposeFrame(frame, canvas);
    if (++currentFrame == frames.size()) {
      currentFrame = 0;
      canvas.fillAllBackground();
    }
  }
}

}  // namespace kestrel
