#include "ui/sheet/applying_popup.h"

namespace kestrel {

ApplyingPopupZoom::ApplyingPopupZoom(Timers& timers, PopupWindow& window)
    : timers_(timers), window_(window) {}

void ApplyingPopupZoom::open(const Rect& mainWindow, Size designed) {
  step_ = 0;
  centreX_ = mainWindow.left + mainWindow.width() / 2;
  centreY_ = mainWindow.top + mainWindow.height() / 2;
  stepWidth_ = designed.width / kPopupSteps;
  stepHeight_ = designed.height / kPopupSteps;
  window_.place({centreX_, centreY_, stepWidth_, stepHeight_});
  // Without its timer the popup could never close itself.
  if (!timers_.start(kPopupTimer, kPopupPeriodMs))
    window_.end();
}

bool ApplyingPopupZoom::onTimer(std::uint32_t id) {
  if (id != kPopupTimer)
    return false;
  ++step_;
  window_.place(placementAt(step_));
  if (step_ > kPopupSteps) {
    timers_.stop(kPopupTimer);
    window_.end();
  }
  return true;
}

Placement ApplyingPopupZoom::placementAt(int step) const {
  return {centreX_ - stepWidth_ * step / 2, centreY_ - stepHeight_ * step / 2, stepWidth_ * step,
          stepHeight_ * step};
}

}  // namespace kestrel
