#pragma once
// What happens when the user closes the sheet: unsaved settings are offered for saving,
// and a failed save keeps the sheet open.

#include "ui/sheet_services.h"

namespace kestrel {

enum class SaveChangesAnswer { Save, Discard };

// The save-changes prompt: "保存" or "変更をキャンセル" (its close box and Escape discard).
class SaveChangesPrompt {
 public:
  virtual ~SaveChangesPrompt() = default;
  virtual SaveChangesAnswer ask() = 0;
};

// What the sheet asks of the settings page when it closes with unsaved edits. The settings
// page's view implements it next to its dialog plumbing.
class SettingsCloseActions {
 public:
  virtual ~SettingsCloseActions() = default;
  // Unsaved edits: the page's Save profile is enabled.
  virtual bool saveEnabled() = 0;
  // The page's Save profile; true only when the profile was saved.
  virtual bool saveProfile() = 0;
  // Throws the edits away (the page reloads what was applied last).
  virtual void discardChanges() = 0;
};

// The settings page as the sheet sees it when Close is pressed.
struct SettingsPageState {
  bool exists = false;
  bool visible = false;
  bool saveProfileEnabled = false;  // there are unsaved edits
};

// Runs the close procedure. True when the sheet is to end now; Apply is then disabled.
// Without the page's actions there is nothing that could save, so no question is asked.
bool RunCloseProcedure(const SettingsPageState& settings, SettingsCloseActions* actions,
                       SaveChangesPrompt& prompt, SheetControl& sheet);

}  // namespace kestrel
