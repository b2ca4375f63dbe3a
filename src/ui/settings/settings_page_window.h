#pragma once
// What the settings page asks of its window beyond the controls, and of the two dialogs it
// opens.

#include <optional>

#include "platform/control_surface.h"
#include "ui/dialogs/network_type_effect.h"

namespace kestrel {

class SettingsPageWindow {
 public:
  virtual ~SettingsPageWindow() = default;
  // The page's modified state, which the sheet reads to offer Apply.
  virtual void setPageModified(bool modified) = 0;
  // Shows an edit's text as a row of '*' (the text itself is kept) or in clear.
  virtual void setPasswordMask(ControlId id, bool masked) = 0;
  virtual void selectAllText(ControlId id) = 0;
  virtual void setCaret(ControlId id, int position) = 0;
  // Draws the four pictures of the network-type and security groups again.
  virtual void drawPictures() = 0;
};

// The dialogs the page opens modally on the working profile.
class SettingsDialogs {
 public:
  virtual ~SettingsDialogs() = default;
  // Advanced settings: what it offers depends on the page's network type and AutoCell box.
  // After OK, what becomes of the page's network-type radios; nothing after Cancel.
  virtual std::optional<NetworkTypeEffect> openAdvancedSettings(bool adHocChosen,
                                                                bool autoCellChecked) = 0;
  // True when it ended with OK.
  virtual bool openAdHocSettings() = 0;
};

// One key message, decoded before the page's controls see it.
struct KeyPress {
  enum class Kind { Printable, Backspace, Delete, Other };
  Kind kind = Kind::Other;
  char letter = 0;  // 'A'..'Z' for a letter key, otherwise 0
  bool alt = false;
  bool ctrl = false;
  ControlId target = 0;  // the control with the keyboard focus
};

}  // namespace kestrel
