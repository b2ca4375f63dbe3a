#pragma once
// Named profiles in the registry beneath the driver parameters key:
// "CustomParams\Configurations\<name>" holds one profile, the configurations key holds the
// numbered name list "0".."99" and the names of record. A profile that replaces a stored
// one is first written whole into "CustomParams\PendingProfile" and then copied over it,
// so an interrupted save leaves the old profile or, at the next store call, the new one.

#include <functional>
#include <string>

#include "parameters/driver_parameters.h"
#include "platform/os_kind.h"
#include "platform/registry.h"
#include "platform/user_prompt.h"
#include "profiles/card_config_id.h"
#include "profiles/wireless_profile.h"

namespace kestrel {

// The last applied settings: saved without a question, never listed, never counted.
inline constexpr char kVirtualProfileName[] = "VirtualProfile";
// The defaults profile of the first run: listed only when it is the first name.
inline constexpr char kDefaultProfileName[] = "Default";

class ProfileStore {
 public:
  ProfileStore(Registry& registry, DriverParameters& parameters, CardConfigId& cardConfigId,
               UserPrompt& prompt, const SystemKind& system, ProfileList& list);

  // Fields already read keep their new values when a read fails half-way.
  bool LoadProfile(WirelessProfile& profile, const std::string& name);
  // Upper-cases the record's WEP keys and keeps the cipher texts it wrote.
  bool SaveProfile(WirelessProfile& profile, const std::string& name);
  // Asks first; renumbers the list without gaps.
  bool DeleteProfile(const std::string& name);
  // Rebuilds the list from the numbered values, skipping empty ones anywhere.
  void EnumerateProfiles(const std::function<void(const std::string&)>& visit);

  std::string GetConfigurationProfileName();
  bool SetConfigurationProfileName(const std::string& name);
  bool SetSelectedConfigurationName(const std::string& name);

 private:
  std::string parametersKey();
  std::string configurationsKey();
  std::string profileKey(const std::string& name);
  std::string pendingKey();
  bool replaceProfile(WirelessProfile& profile, const std::string& name,
                      const std::string& cipherKey);
  bool finishPendingSave();
  void openToEveryone(const std::string& key);
  bool writeList(bool clearFreedNumbers);

  Registry& registry_;
  DriverParameters& parameters_;
  CardConfigId& cardConfigId_;
  UserPrompt& prompt_;
  const SystemKind& system_;
  ProfileList& list_;
};

}  // namespace kestrel
