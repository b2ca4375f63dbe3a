#include "win32/app/zero_config_prompt_dialog.h"

#include "dialogs/shell_ids.h"

namespace kestrel {

bool ZeroConfigPromptDialog::askToDisableService() {
  return runModal(instance_, IDD_ZERO_CONFIG_PROMPT, owner_.hwnd()) == IDYES;
}

BOOL ZeroConfigPromptDialog::onInitDialog() {
  // Asked from a hidden window in the middle of a timer tick: bring the question forward.
  SetForegroundWindow(hwnd());
  return TRUE;
}

void ZeroConfigPromptDialog::onCommand(int id, std::optional<ControlEvent>) {
  if (id == IDYES)
    EndDialog(hwnd(), IDYES);
  else if (id == IDNO || id == IDCANCEL)
    EndDialog(hwnd(), IDNO);
}

}  // namespace kestrel
