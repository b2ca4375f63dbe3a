#include "ui/sheet/close_procedure.h"

namespace kestrel {

bool RunCloseProcedure(const SettingsPageState& settings, SettingsCloseActions* actions,
                       SaveChangesPrompt& prompt, SheetControl& sheet) {
  const bool unsaved = settings.exists && settings.visible && settings.saveProfileEnabled;
  if (unsaved && actions != nullptr) {
    if (prompt.ask() == SaveChangesAnswer::Discard)
      actions->discardChanges();
    else if (!actions->saveProfile())
      return false;
  }
  sheet.enableButton(SheetButton::Apply, false);
  return true;
}

}  // namespace kestrel
