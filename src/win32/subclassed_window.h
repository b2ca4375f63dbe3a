#pragma once
// A window subclassed through the chain (window_subclass.h) whose messages are decoded
// once and handed to one handler each, as DialogView does for dialogs. A handler that
// answers returns true; any other message goes on down the chain.

#include <windows.h>

namespace kestrel {

// One WM_COMMAND as it came, so that a handler can pass it on to another window whole.
struct WindowCommand {
  int id;
  WORD notification;
  HWND control;
  WPARAM w;
  LPARAM l;
};

class SubclassedWindow {
 public:
  SubclassedWindow() = default;
  virtual ~SubclassedWindow();
  SubclassedWindow(const SubclassedWindow&) = delete;
  SubclassedWindow& operator=(const SubclassedWindow&) = delete;

  // Puts this object in front of the window's procedures; false when it cannot.
  bool attach(HWND window, UINT_PTR subclassId);
  void detach();
  HWND hwnd() const { return hwnd_; }

 protected:
  virtual void onShowWindow(bool shown) { (void)shown; }
  virtual bool onClose() { return false; }
  virtual bool onCommand(const WindowCommand& command) {
    (void)command;
    return false;
  }
  virtual bool onTimer(UINT_PTR id) {
    (void)id;
    return false;
  }
  // WM_CTLCOLORSTATIC: the brush to paint `control` with.
  virtual bool onStaticColour(HWND control, HDC dc, LRESULT& brush) {
    (void)control;
    (void)dc;
    (void)brush;
    return false;
  }
  virtual bool onDrawItem(const DRAWITEMSTRUCT& item) {
    (void)item;
    return false;
  }
  virtual void onDestroy() {}
  // The window's last message; the object is detached right after it.
  virtual void onFinalMessage() {}
  // Anything else; set `handled` to answer the message.
  virtual LRESULT onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) {
    (void)message;
    (void)w;
    (void)l;
    handled = false;
    return 0;
  }

 private:
  static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                            UINT_PTR id, DWORD_PTR self);
  LRESULT dispatch(UINT message, WPARAM w, LPARAM l, bool& handled);

  HWND hwnd_ = nullptr;
  UINT_PTR subclassId_ = 0;
};

}  // namespace kestrel
