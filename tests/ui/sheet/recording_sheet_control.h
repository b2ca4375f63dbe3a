#pragma once
// A sheet that keeps what the pages and the sheet's own rules asked of it.

#include <map>
#include <vector>

#include "ui/sheet_services.h"

namespace kestrel::fakes {

class RecordingSheetControl : public SheetControl {
 public:
  std::map<SheetButton, bool> visible;
  std::map<SheetButton, bool> enabledState;
  std::vector<int> activatedPages;
  int popups = 0;

  void showButton(SheetButton button, bool isVisible) override { visible[button] = isVisible; }
  void enableButton(SheetButton button, bool enabled) override { enabledState[button] = enabled; }
  void setActivePage(int index) override { activatedPages.push_back(index); }
  void showApplyingPopup() override { ++popups; }
};

}  // namespace kestrel::fakes
