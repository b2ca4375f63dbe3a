#pragma once
// The scan cycle of the networks page: a fixed wait with a progress display, then one
// read of the adapter's network list.

#include <cstdint>
#include <string>

#include "monitor/network_list.h"

namespace kestrel {

class Adapter;
class Timers;

// What the cycle shows on the networks page and the sheet.
class SurveyView {
 public:
  virtual ~SurveyView() = default;
  virtual void setScanStatus(const std::string& text) = 0;
  virtual void setScanProgress(int position) = 0;  // the bar's range is 0..100
  virtual void enableScanAndConnect(bool enabled) = 0;
  virtual void clearNetworks() = 0;
  virtual void appendNetwork(const SurveyRow& row) = 0;
};

inline constexpr std::uint32_t kFirstScanDelayTimerId = 131;
inline constexpr std::uint32_t kFirstScanDelayMs = 2000;
inline constexpr std::uint32_t kScanTimerId = 4616;
inline constexpr std::uint32_t kScanTickMs = 50;
inline constexpr int kLastScanTick = 101;  // the 102nd tick reads the list

// Lives as long as the networks page object; `timers` and `view` reach whatever window
// the page has at the time.
class SiteSurvey {
 public:
  SiteSurvey(Adapter& adapter, Timers& timers, SurveyView& view);

  // The page became active: the first time only, the delayed first scan is started.
  void OnPageActivated();
  // Routes the page's timer messages; false for ids that are not the cycle's.
  bool OnTimer(std::uint32_t timerId);
  // The page's window is gone, and its timers with it.
  void OnPageWindowDestroyed();

  void StartScan();
  void ScanTick();
  // True when the list held at least one record; the page's rows are then replaced.
  bool ReadSurvey();

 private:
  void stopHeldTimer();

  Adapter& adapter_;
  Timers& timers_;
  SurveyView& view_;
  std::uint32_t heldTimer_ = 0;  // delay or scan timer; 0 = none
  int tickCounter_ = 0;
  bool activatedBefore_ = false;
};

}  // namespace kestrel
