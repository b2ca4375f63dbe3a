#include "monitor/site_survey.h"

#include <vector>

#include "adapter/adapter.h"
#include "monitor/monitor_texts.h"
#include "platform/timers.h"

namespace kestrel {

SiteSurvey::SiteSurvey(Adapter& adapter, Timers& timers, SurveyView& view)
    : adapter_(adapter), timers_(timers), view_(view) {}

void SiteSurvey::OnPageActivated() {
  if (activatedBefore_)
    return;
  activatedBefore_ = true;
  if (timers_.start(kFirstScanDelayTimerId, kFirstScanDelayMs))
    heldTimer_ = kFirstScanDelayTimerId;
}

bool SiteSurvey::OnTimer(std::uint32_t timerId) {
  if (timerId == kFirstScanDelayTimerId) {
    if (heldTimer_ == kFirstScanDelayTimerId)
      StartScan();
    return true;
  }
  if (timerId == kScanTimerId) {
    if (heldTimer_ == kScanTimerId)
      ScanTick();
    return true;
  }
  return false;
}

void SiteSurvey::OnPageWindowDestroyed() {
  heldTimer_ = 0;
}

void SiteSurvey::stopHeldTimer() {
  if (heldTimer_ != 0)
    timers_.stop(heldTimer_);
  heldTimer_ = 0;
}

// Also cancels a pending first-scan delay, so that a Scan pressed during the delay is
// not followed by a second cycle.
void SiteSurvey::StartScan() {
  view_.setScanStatus(monitor_texts::kScanning);
  stopHeldTimer();
  tickCounter_ = 0;
  if (timers_.start(kScanTimerId, kScanTickMs))
    heldTimer_ = kScanTimerId;
}

void SiteSurvey::ScanTick() {
  view_.setScanProgress(tickCounter_);
  view_.enableScanAndConnect(false);
  const int tick = tickCounter_++;
  if (tick < kLastScanTick)
    return;
  stopHeldTimer();
  adapter_.SendFf21000e();
  ReadSurvey();
  view_.setScanStatus(monitor_texts::kScanFinished);
  view_.enableScanAndConnect(true);
}

bool SiteSurvey::ReadSurvey() {
  std::vector<std::uint8_t> block;
  if (!adapter_.GetBssList(block))
    return false;
  const NetworkList list = ParseNetworkList(block.data(), block.size());
  if (list.recordCount == 0)
    return false;
  view_.clearNetworks();
  for (const SurveyRow& row : list.rows)
    view_.appendNetwork(row);
  return true;
}

}  // namespace kestrel
