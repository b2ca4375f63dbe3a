#pragma once
// The sheet's status panel kept up to date: one poll while the sheet opens, then one on
// every tick of the sheet's 500 ms timer, each shown through the panel's view.

#include <cstdint>
#include <string>

#include "monitor/link_status.h"
#include "monitor/status_panel.h"
#include "platform/timers.h"

namespace kestrel {

class Adapter;

inline constexpr std::uint32_t kLinkPollTimer = 1140;
inline constexpr std::uint32_t kLinkPollPeriodMs = 500;
inline constexpr Rgb kStatusPanelBackground{49, 0, 99};

// The panel's cells as the updater sees them.
class StatusPanelView {
 public:
  virtual ~StatusPanelView() = default;
  // Picture `index` (0 network type, 1 lock, 2..9 bars 1 to 8) takes GIF resource `picture`.
  virtual void setPicture(int index, int picture) = 0;
  virtual void setText(int controlId, const std::string& text, Rgb colour) = 0;
  // Draws the pictures again after their choice; a view leaves out those that did not change.
  virtual void redrawPictures() = 0;
};

class StatusPanelUpdater {
 public:
  StatusPanelUpdater(Adapter& adapter, Timers& timers, StatusPanelView& view);

  // The poll made while the sheet opens (never shows the progress texts).
  void refresh();
  // Starts the 500 ms link poll.
  bool startTicking();
  // A timer message of the sheet: true when it was the link poll's and is handled.
  bool onTimer(std::uint32_t id);

  const LinkStatusPoller& poller() const { return poller_; }

 private:
  void show(const LinkStatus& status);

  LinkStatusPoller poller_;
  Timers& timers_;
  StatusPanelView& view_;
};

}  // namespace kestrel
