#include "stand_in_pages.h"

#include "win32/help_pane.h"

namespace kestrel::preview {

void StandInPage::onSetActive() {
  ++activations;
  ShowPageHelp(GetDlgItem(hwnd(), kHelpTextId), helpFile_);
}

bool StandInSettingsPage::saveEnabled() {
  return IsWindowEnabled(GetDlgItem(hwnd(), kSaveProfileId)) != FALSE;
}

bool StandInSettingsPage::saveProfile() {
  ++saves;
  if (saveSucceeds)
    EnableWindow(GetDlgItem(hwnd(), kSaveProfileId), FALSE);
  return saveSucceeds;
}

void StandInSettingsPage::discardChanges() {
  ++discards;
  SetDlgItemTextW(hwnd(), kNameEditId, L"");
  EnableWindow(GetDlgItem(hwnd(), kSaveProfileId), FALSE);
}

void StandInSettingsPage::onCommand(int id, std::optional<ControlEvent> event) {
  if (id == kNameEditId && event == ControlEvent::TextChanged) {
    EnableWindow(GetDlgItem(hwnd(), kSaveProfileId), TRUE);
    SendMessageW(GetParent(hwnd()), PSM_CHANGED, reinterpret_cast<WPARAM>(hwnd()), 0);
  } else if (id == 1077) {
    ++cancels;
  }
}

bool StandInSettingsPage::onApply() {
  if (applyShowsPopup)
    sheet_.showApplyingPopup();
  return true;
}

void StandInNetworksPage::onCommand(int id, std::optional<ControlEvent>) {
  if (id == 1075)
    ++scans;
  else if (id == 1076)
    ++connects;
}

}  // namespace kestrel::preview
