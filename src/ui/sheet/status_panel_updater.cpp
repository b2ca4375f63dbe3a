#include "ui/sheet/status_panel_updater.h"

#include "ui/sheet/sheet_geometry.h"

namespace kestrel {

StatusPanelUpdater::StatusPanelUpdater(Adapter& adapter, Timers& timers, StatusPanelView& view)
    : poller_(adapter), timers_(timers), view_(view) {}

void StatusPanelUpdater::refresh() {
  show(poller_.PollLinkStatus(PollMode::Refresh));
}

bool StatusPanelUpdater::startTicking() {
  return timers_.start(kLinkPollTimer, kLinkPollPeriodMs);
}

bool StatusPanelUpdater::onTimer(std::uint32_t id) {
  if (id != kLinkPollTimer)
    return false;
  show(poller_.PollLinkStatus(PollMode::Tick));
  return true;
}

void StatusPanelUpdater::show(const LinkStatus& status) {
  const StatusPanelDisplay display = PresentStatusPanel(status);
  view_.setText(kNetworkTextId, display.networkText, display.networkColour);
  view_.setText(kChannelTextId, display.channelText, display.channelColour);
  view_.setText(kRateTextId, display.rateText, display.rateColour);
  view_.setText(kSignalLabelId, display.signalLabel, display.signalLabelColour);
  for (int index = 0; index < kStatusPictureCount; ++index)
    view_.setPicture(index, display.pictures[static_cast<std::size_t>(index)]);
  view_.redrawPictures();
}

}  // namespace kestrel
