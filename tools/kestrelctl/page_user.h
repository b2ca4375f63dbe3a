#pragma once
// kestrelctl works the pages as a user at the keyboard would: it opens the settings page
// on controls with no window, types, clicks and chooses by control id, and presses Save or
// Apply. The profile saved or applied is therefore the one the page stores, by the page's
// own rules and messages. The information page is filled the same way and read back.

#include <optional>
#include <string>

#include "ui/app_services.h"
#include "ui/settings/settings_page.h"
#include "ui/windowless/memory_controls.h"
#include "ui/windowless/windowless_page.h"

namespace kestrel::ctl {

// A network as the command line names it.
struct NetworkChoice {
  std::string ssid;
  bool adHoc = false;
  std::optional<std::string> wepKey;
  std::optional<std::string> passphrase;
};

class SettingsPageUser {
 public:
  // Opens the page, which loads "VirtualProfile" and shows it.
  explicit SettingsPageUser(AppServices& services);

  // Types the network's name and type and chooses its security. False with `why` when
  // the page does not offer what is asked (a disabled control, a text over its limit).
  bool enterNetwork(const NetworkChoice& choice, std::string& why);
  bool typeProfileName(const std::string& name, std::string& why);
  // Chooses a stored profile in the profile list; false when the list lacks it.
  bool chooseProfile(const std::string& name);
  // The Save button and the sheet's Apply; false when the page refused (its message has
  // been shown through the services' prompt).
  bool save();
  bool apply();
  bool lastPushAccepted() const { return page_.lastPushAccepted(); }

 private:
  bool click(ControlId id, std::string& why);
  bool type(ControlId id, const std::string& text, std::string& why);
  bool choose(ControlId id, int index, std::string& why);

  WindowlessPage surroundings_;
  MemoryControls controls_;
  SettingsPage page_;
};

// The information page's fields, as shown (each with the page's leading blank removed).
struct IdentityFields {
  std::optional<std::string> countryCode;
  std::string region;
  std::string macAddress;
  std::string ipAddress;
  std::string driverVersion;
  std::string driverDate;
  std::string utilityVersion;
  std::string utilityDate;
};

// Fills the information page once, as opening it does, and reads its fields.
IdentityFields ReadIdentityFields(AppServices& services, const std::string& releaseDate);

// A text without its leading and trailing blanks.
std::string Trimmed(const std::string& text);

}  // namespace kestrel::ctl
