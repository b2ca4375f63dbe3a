#pragma once
// The pages live as long as the application, the sheet only while it runs: the pages hold
// this relay, which forwards to the sheet that is open and does nothing when none is.

#include "ui/sheet_services.h"
#include "win32/ui/sheet/main_sheet.h"

namespace kestrel {

class SheetRelay : public SheetControl {
 public:
  void showButton(SheetButton button, bool visible) override {
    if (MainSheet* sheet = OpenSheet())
      sheet->showButton(button, visible);
  }
  void enableButton(SheetButton button, bool enabled) override {
    if (MainSheet* sheet = OpenSheet())
      sheet->enableButton(button, enabled);
  }
  void setActivePage(int index) override {
    if (MainSheet* sheet = OpenSheet())
      sheet->setActivePage(index);
  }
  void showApplyingPopup() override {
    if (MainSheet* sheet = OpenSheet())
      sheet->showApplyingPopup();
  }
};

}  // namespace kestrel
