#pragma once
// The information page window (template 133), forwarding to InformationPage.

#include <windows.h>

#include <memory>

#include "ui/information/information_page.h"
#include "win32/dialog_view.h"
#include "win32/ui/pages/page_header.h"
#include "win32/win32_control_surface.h"
#include "win32/win32_timers.h"

namespace kestrel {

class InformationView : public DialogView {
 public:
  InformationView(AppServices& services, SheetControl& sheet);
  PROPSHEETPAGEW page(HINSTANCE instance);
  InformationPage& logic() { return page_; }

 private:
  BOOL onInitDialog() override;
  void onTimer(UINT_PTR id) override;
  void onDestroy() override;
  void onSetActive() override;
  bool onKillActive() override;
  INT_PTR onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

  AppServices& services_;
  Win32Timers timers_{nullptr};
  InformationPage page_;
  std::unique_ptr<Win32ControlSurface> controls_;
  PageHeader header_;
};

}  // namespace kestrel
