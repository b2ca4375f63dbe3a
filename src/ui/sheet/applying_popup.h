#pragma once
// The applying-settings popup's zoom: it grows around the main window's centre, one step
// every 30 ms, and closes itself after the 21st step.

#include <cstdint>

#include "monitor/status_panel.h"
#include "platform/timers.h"
#include "ui/sheet/sheet_geometry.h"

namespace kestrel {

inline constexpr std::uint32_t kPopupTimer = 180;
inline constexpr std::uint32_t kPopupPeriodMs = 30;
inline constexpr int kPopupSteps = 20;

// The look of its one text: white on the panel's purple, "Arial Black" 18 units high.
inline constexpr Rgb kPopupTextColour{255, 255, 255};
inline constexpr Rgb kPopupBackground{49, 0, 99};
inline constexpr char kPopupFontFace[] = "Arial Black";
inline constexpr int kPopupFontHeight = -18;

struct Placement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Placement& other) const {
    return left == other.left && top == other.top && width == other.width && height == other.height;
  }
};

// The popup window as the zoom drives it.
class PopupWindow {
 public:
  virtual ~PopupWindow() = default;
  // Moves the popup, its text filling it.
  virtual void place(const Placement& placement) = 0;
  virtual void end() = 0;
};

class ApplyingPopupZoom {
 public:
  ApplyingPopupZoom(Timers& timers, PopupWindow& window);

  // `mainWindow` in screen coordinates; `designed` is the popup's own size.
  void open(const Rect& mainWindow, Size designed);
  // A timer message of the popup: true when it was the zoom's.
  bool onTimer(std::uint32_t id);

  int step() const { return step_; }

 private:
  Placement placementAt(int step) const;

  Timers& timers_;
  PopupWindow& window_;
  int step_ = 0;
  int centreX_ = 0;
  int centreY_ = 0;
  int stepWidth_ = 0;
  int stepHeight_ = 0;
};

}  // namespace kestrel
