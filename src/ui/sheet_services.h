#pragma once
// What the pages of the main sheet may ask of the sheet and of each other. The sheet and
// the settings page implement these; the other pages and the dialogs hold references.

#include <string>

#include "platform/sheet_pages.h"

namespace kestrel {

// The sheet's own buttons, in the bottom row.
enum class SheetButton { Close, Apply, Cancel, Help, Scan, Connect };

class SheetControl {
 public:
  virtual ~SheetControl() = default;
  virtual void showButton(SheetButton button, bool visible) = 0;
  virtual void enableButton(SheetButton button, bool enabled) = 0;
  virtual void setActivePage(int index) = 0;
  // The modal applying-settings popup; returns when it has closed.
  virtual void showApplyingPopup() = 0;
};

// How the networks page hands a chosen network to the settings page.
class SettingsPageLink {
 public:
  virtual ~SettingsPageLink() = default;
  // Reloads the profile list and the working profile ("VirtualProfile"), as after Apply.
  virtual void reload() = 0;
  // Shows the working profile in the page's controls.
  virtual void fillFromWorkingProfile() = 0;
  // A WEP network: "&WEP" checked, "WPA-PSK" and "無効にする" unchecked.
  virtual void chooseWep() = 0;
  // A WPA-family network: "パスフレーズで作成：" and "WPA-PSK" checked; "キーを手動で入力：",
  // "&WEP" and "無効にする" unchecked.
  virtual void chooseWpaPskPassphrase() = 0;
  // The profile-name box shows `name` ("新しいプロファイル").
  virtual void showProfileName(const std::string& name) = 0;
};

}  // namespace kestrel
