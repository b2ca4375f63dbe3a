#pragma once
// The ad hoc dialog's rules: the band and channel on which the adapter starts an ad hoc
// network, offered by the profile's wireless modes and the adapter's country.

#include "platform/control_surface.h"
#include "profiles/wireless_profile.h"
#include "ui/dialogs/dialog_services.h"

namespace kestrel {

class AdHocDialog {
 public:
  // `current` is the profile last applied: modes that differ from it are not applied yet.
  AdHocDialog(ControlSurface& controls, DialogServices services, WirelessProfile& working,
              const WirelessProfile& current);

  void open();
  void onCommand(ControlId id, ControlEvent event);
  // Alt+C and Alt+S move the focus to the channel and band lists; true when `key` was one
  // of them and is to be swallowed.
  bool onAltKey(char key);
  // Writes `AdHocBand` and `AdHocChannel`; the dialog then closes with OK.
  void confirm();

 private:
  void fillBandList(const std::string& country);
  void fillChannelList();

  ControlSurface& controls_;
  DialogServices services_;
  WirelessProfile& working_;
  const WirelessProfile& current_;
  // List positions of the band entries; -1 until inserted. No entry ever takes the turbo
  // position.
  int fiveGhzPosition_ = -1;
  int twoFourGhzPosition_ = -1;
  int turboPosition_ = -1;
};

}  // namespace kestrel
