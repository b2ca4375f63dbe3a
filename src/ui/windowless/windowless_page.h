#pragma once
// A page's surroundings when it has no window: nothing to draw, no dialogs, no sheet, no
// popup, a chart that shows nothing and timers that never fire.

#include <cstdint>
#include <optional>

#include "monitor/load_chart.h"
#include "platform/timers.h"
#include "ui/settings/settings_page.h"
#include "ui/settings/settings_page_window.h"
#include "ui/sheet_services.h"

namespace kestrel {

class WindowlessPage : public SettingsPageWindow,
                       public SettingsDialogs,
                       public SheetControl,
                       public Timers {
 public:
  void setPageModified(bool) override {}
  void setPasswordMask(ControlId, bool) override {}
  void selectAllText(ControlId) override {}
  void setCaret(ControlId, int) override {}
  void drawPictures() override {}
  std::optional<NetworkTypeEffect> openAdvancedSettings(bool, bool) override {
    return std::nullopt;
  }
  bool openAdHocSettings() override { return false; }
  void showButton(SheetButton, bool) override {}
  void enableButton(SheetButton, bool) override {}
  void setActivePage(int) override {}
  void showApplyingPopup() override {}
  bool start(std::uint32_t, std::uint32_t) override { return true; }
  void stop(std::uint32_t) override {}
};

// Keeps the scroll interval it is given and draws nothing.
class WindowlessChart : public LoadChart {
 public:
  std::uint32_t SetScrollInterval(std::uint32_t ms) override {
    const std::uint32_t previous = interval_;
    interval_ = ms;
    return previous;
  }
  void AppendValue(int) override {}
  void Advance() override {}
  void AdvanceEmpty() override {}

 private:
  std::uint32_t interval_ = 1000;
};

}  // namespace kestrel
