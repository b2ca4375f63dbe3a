#pragma once
// The message plumbing every dialog and property page shares: the dialog procedure finds
// its view, decodes the message once and calls one handler. Views hold no rules; they
// forward to the portable page and dialog classes.

#include <windows.h>
// clang-format off
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <optional>

#include "platform/control_surface.h"

namespace kestrel {

// BN_CLICKED, CBN_/LBN_SELCHANGE, EN_CHANGE, EN_KILLFOCUS of the control, by its class.
std::optional<ControlEvent> DecodeCommand(HWND control, WORD notification);

class DialogView {
 public:
  DialogView() = default;
  virtual ~DialogView() = default;
  DialogView(const DialogView&) = delete;
  DialogView& operator=(const DialogView&) = delete;

  HWND hwnd() const { return hwnd_; }

  // A modal dialog from template `templateId`; the code given to EndDialog, or -1.
  INT_PTR runModal(HINSTANCE instance, int templateId, HWND owner);
  // A modeless dialog; nullptr when it cannot be made.
  HWND createModeless(HINSTANCE instance, int templateId, HWND owner);
  // The page record of a property sheet page showing this view.
  PROPSHEETPAGEW propertyPage(HINSTANCE instance, int templateId);

 protected:
  virtual BOOL onInitDialog() { return TRUE; }
  // A control's event, decoded; `id` for menu and accelerator commands too (event empty).
  virtual void onCommand(int id, std::optional<ControlEvent> event) {
    (void)id;
    (void)event;
  }
  virtual void onTimer(UINT_PTR id) { (void)id; }
  virtual void onDestroy() {}
  // Property pages: true lets the change of page (or the apply) go ahead.
  virtual void onSetActive() {}
  virtual bool onKillActive() { return true; }
  virtual bool onApply() { return true; }
  // Anything else; set `handled` to answer the message.
  virtual INT_PTR onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) {
    (void)message;
    (void)w;
    (void)l;
    handled = false;
    return 0;
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static void attach(HWND window, DialogView* view);
  static INT_PTR route(HWND window, UINT message, WPARAM w, LPARAM l);
  INT_PTR dispatch(UINT message, WPARAM w, LPARAM l);

  HWND hwnd_ = nullptr;
};

}  // namespace kestrel
