#include "profiles/profile_store.h"

#include "platform/registry_key.h"
#include "profiles/profile_copy.h"
#include "profiles/profile_messages.h"
#include "profiles/profile_values.h"
#include "profiles/registry_helpers.h"
#include "profiles/secure_wipe.h"

namespace kestrel {

namespace {

constexpr RegistryHive kRoot = RegistryHive::LocalMachine;
constexpr std::size_t kRecordNameCapacity = 128;
// Beside the configurations key, so it can never be taken for a profile of that name.
constexpr char kPendingSubKey[] = "CustomParams\\PendingProfile";
// Written last into the pending key: the name of the profile it replaces.
constexpr char kPendingForValue[] = "PendingProfileName";

// A name is one key beneath the configurations key: an empty name would be the
// configurations key itself and a backslash would reach another key.
bool IsUsableName(const std::string& name) {
  return !name.empty() && name.find('\\') == std::string::npos;
}

}  // namespace

ProfileStore::ProfileStore(Registry& registry, DriverParameters& parameters,
                           CardConfigId& cardConfigId, UserPrompt& prompt, const SystemKind& system,
                           ProfileList& list)
    : registry_(registry),
      parameters_(parameters),
      cardConfigId_(cardConfigId),
      prompt_(prompt),
      system_(system),
      list_(list) {}

std::string ProfileStore::parametersKey() {
  std::string path = parameters_.GetDriverParametersPath();
  if (path.empty() || path.back() != '\\')
    path += '\\';
  return path;
}

std::string ProfileStore::configurationsKey() {
  return parametersKey() + "CustomParams\\Configurations";
}

std::string ProfileStore::pendingKey() {
  return parametersKey() + kPendingSubKey;
}

std::string ProfileStore::profileKey(const std::string& name) {
  return configurationsKey() + "\\" + name;
}

bool ProfileStore::LoadProfile(WirelessProfile& profile, const std::string& name) {
  if (!IsUsableName(name))
    return false;
  finishPendingSave();
  for (std::string& key : profile.SharedKey) {
    SecureWipe(key);
  }
  std::string cipherKey;
  cardConfigId_.GetCardConfigId(cipherKey);
  ValueReader in(registry_, system_.os, profileKey(name));
  ReadProfileValues(in, profile, cipherKey);
  return in.ok();
}

bool ProfileStore::SaveProfile(WirelessProfile& profile, const std::string& name) {
  if (!IsUsableName(name) || !finishPendingSave())
    return false;
  const bool isVirtual = name == kVirtualProfileName;
  const bool listed = list_.contains(name);
  if (!isVirtual && !listed && list_.size() >= ProfileList::kMaxNames) {
    prompt_.inform(kProfileLimitMessage);
    return false;
  }
  if (name == kDefaultProfileName && !list_.empty())
    return false;
  if (listed && !isVirtual && !prompt_.askYesNo(kOverwriteProfileQuestion))
    return false;

  std::string cipherKey;
  cardConfigId_.GetCardConfigId(cipherKey);
  if (listed || isVirtual)
    return replaceProfile(profile, name, cipherKey) && writeList(false);

  // A new name is listed only once its profile is whole. "Default" gets this far only into
  // an empty list.
  const std::string key = profileKey(name);
  ValueWriter out(registry_, system_.os, key);
  WriteProfileValues(out, profile, cipherKey);
  if (!out.ok())
    return false;
  list_.append(name);
  if (!writeList(false)) {
    list_.remove(name);
    return false;
  }
  openToEveryone(key);
  return true;
}

// The stored profile is changed only by copying a whole new one over it.
bool ProfileStore::replaceProfile(WirelessProfile& profile, const std::string& name,
                                  const std::string& cipherKey) {
  const std::string pending = pendingKey();
  ValueWriter out(registry_, system_.os, pending);
  WriteProfileValues(out, profile, cipherKey);
  out.string(kPendingForValue, name);
  if (!out.ok()) {
    RegDeleteTree(registry_, kRoot, pending);
    return false;
  }
  return finishPendingSave();
}

// A pending copy marked whole is copied over its profile, one never marked (or that lost
// values) is dropped: either way the profile key then holds one whole profile. False
// while a whole copy could not be finished; the next call tries again.
bool ProfileStore::finishPendingSave() {
  const std::string pending = pendingKey();
  {
    ScopedRegistryKey key(registry_);
    if (!key.open(kRoot, pending, RegistryAccess::Query))
      return true;
  }
  std::string name;
  if (RegReadString(registry_, kRoot, pending, kPendingForValue, name) && IsUsableName(name)) {
    const std::string key = profileKey(name);
    const ProfileCopy copy = CopyProfileValues(registry_, pending, key);
    if (copy == ProfileCopy::WriteFailed)
      return false;
    if (copy == ProfileCopy::Copied)
      openToEveryone(key);
  }
  return RegDeleteTree(registry_, kRoot, pending);
}

void ProfileStore::openToEveryone(const std::string& key) {
  if (system_.os == OsKind::Xp || system_.os == OsKind::Win2000)
    OpenKeyToEveryone(registry_, key);
}

bool ProfileStore::DeleteProfile(const std::string& name) {
  if (list_.empty())
    return false;
  finishPendingSave();
  if (!list_.contains(name) || !IsUsableName(name)) {
    prompt_.inform(kProfileMissingMessage);
    return false;
  }
  if (!prompt_.askYesNo(kDeleteProfileQuestion))
    return false;
  list_.remove(name);
  if (GetConfigurationProfileName() == name &&
      !SetConfigurationProfileName(list_.empty() ? std::string() : list_.names().front())) {
    return false;
  }
  if (!writeList(true))
    return false;
  return RegDeleteTree(registry_, kRoot, profileKey(name));
}

void ProfileStore::EnumerateProfiles(const std::function<void(const std::string&)>& visit) {
  list_.clear();
  const std::string key = configurationsKey();
  for (std::size_t number = 0; number < ProfileList::kMaxNames; ++number) {
    std::string name;
    if (RegReadString(registry_, kRoot, key, std::to_string(number), name) && IsUsableName(name))
      list_.append(name);
  }
  for (const std::string& name : list_.names()) {
    visit(name);
  }
}

std::string ProfileStore::GetConfigurationProfileName() {
  std::string name;
  RegReadString(registry_, kRoot, configurationsKey(), "ConfigurationProfileName", name,
                kRecordNameCapacity);
  return name;
}

bool ProfileStore::SetConfigurationProfileName(const std::string& name) {
  return RegWriteString(registry_, kRoot, configurationsKey(), "ConfigurationProfileName", name);
}

bool ProfileStore::SetSelectedConfigurationName(const std::string& name) {
  return RegWriteString(registry_, kRoot, configurationsKey(), "SelectedConfigurationName", name);
}

bool ProfileStore::writeList(bool clearFreedNumbers) {
  const std::string key = configurationsKey();
  const std::size_t count = clearFreedNumbers ? ProfileList::kMaxNames : list_.size();
  for (std::size_t number = 0; number < count; ++number) {
    const std::string name = number < list_.size() ? list_.names()[number] : std::string();
    if (!RegWriteString(registry_, kRoot, key, std::to_string(number), name))
      return false;
  }
  return true;
}

}  // namespace kestrel
