#pragma once
// What the hidden main window carries out for the shell's rules: the main sheet, its own
// visibility, the notification-area icon, the popup menu and the check message.

#include <string>

namespace kestrel {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

class ShellWindow {
 public:
  virtual ~ShellWindow() = default;

  virtual bool isSheetOpen() = 0;
  // Creates the main sheet and runs it modally; returns once it has closed.
  virtual void runSheet(bool fourPages, bool openOnInformation) = 0;
  virtual void bringSheetToFront() = 0;
  virtual void activateSheetPage(int index) = 0;
  // Ends the open sheet with the cancel code.
  virtual void endSheet() = 0;
  // Rebuilds the open sheet's pages: all four, or statistics and information only.
  virtual void switchSheetPages(bool fourPages) = 0;
  virtual void disableSheetApply() = 0;

  virtual void showHiddenWindow(bool visible) = 0;
  // Ends the hidden window's modal loop with code 1: the process then ends.
  virtual void endHiddenWindow() = 0;

  // Shows icon resource `icon` with `tip` (null keeps the tip shown).
  virtual void showTrayIcon(int icon, const std::string* tip) = 0;
  virtual void removeTrayIcon() = 0;

  // Builds the popup menu, tracks it at `at` until it closes, destroys it.
  virtual void trackMenu(ScreenPoint at) = 0;
  // Makes a menu that is being tracked close.
  virtual void closeMenu() = 0;

  // Sends the registered check message to the application's main window and returns
  // once it has been handled.
  virtual void sendZeroConfigCheck() = 0;
};

}  // namespace kestrel
