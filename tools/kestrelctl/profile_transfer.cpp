#include "profile_transfer.h"

#include <optional>

#include "ctl_escaping.h"
#include "platform/registry_key.h"
#include "profile_document.h"
#include "profiles/registry_helpers.h"
#include "ui/settings/settings_rules.h"

namespace kestrel::ctl {

namespace {

constexpr std::size_t kLargestFile = 1u << 20;
constexpr RegistryHive kRoot = RegistryHive::LocalMachine;

std::string Counted(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " profile" : " profiles");
}

int Refuse(CtlOutput& out, const std::string& text) {
  out.error(text);
  return kExitRefused;
}

// What an import changes, kept so that a failed write can be undone: the numbered list
// values and every profile the import replaces.
class ImportUndo {
 public:
  ImportUndo(AppServices& services, Registry& registry) : s_(services), registry_(registry) {
    std::string path = s_.parameters.GetDriverParametersPath();
    if (path.empty() || path.back() != '\\')
      path += '\\';
    configurations_ = path + "CustomParams\\Configurations";
    for (std::size_t i = 0; i < ProfileList::kMaxNames; ++i) {
      std::string name;
      if (RegReadString(registry_, kRoot, configurations_, std::to_string(i), name))
        numbered_[i] = name;
    }
  }

  void replacing(const std::string& name) {
    WirelessProfile old;
    replaced_.push_back({name, old});
    s_.store.LoadProfile(replaced_.back().profile, name);
  }
  // A key of that name left unlisted is kept as it was, too.
  void adding(const std::string& name) {
    ScopedRegistryKey key(registry_);
    if (key.open(kRoot, configurations_ + "\\" + name, RegistryAccess::Query))
      replacing(name);
    else
      added_.push_back(name);
  }

  // Best effort: a registry that refuses writes may refuse these too.
  bool restore() {
    bool restored = true;
    for (const std::string& name : added_)
      restored = RegDeleteTree(registry_, kRoot, configurations_ + "\\" + name) && restored;
    for (NamedProfile& old : replaced_)
      restored = s_.store.SaveProfile(old.profile, old.name) && restored;
    ScopedRegistryKey key(registry_);
    const bool opened = key.open(kRoot, configurations_, RegistryAccess::Full);
    for (std::size_t i = 0; i < ProfileList::kMaxNames; ++i) {
      const std::string number = std::to_string(i);
      if (numbered_[i]) {
        restored =
            RegWriteString(registry_, kRoot, configurations_, number, *numbered_[i]) && restored;
      } else if (opened) {
        registry_.deleteValue(key.get(), number);
      }
    }
    s_.store.EnumerateProfiles([](const std::string&) {});
    return restored;
  }

 private:
  AppServices& s_;
  Registry& registry_;
  std::string configurations_;
  std::optional<std::string> numbered_[ProfileList::kMaxNames];
  std::vector<NamedProfile> replaced_;
  std::vector<std::string> added_;
};

}  // namespace

int ExportProfiles(const Command& command, CtlContext& context) {
  AppServices& s = context.services;
  CtlOutput& out = context.out;
  std::vector<std::string> names = command.names;
  if (names.empty()) {
    // "Default" holds the same first-run defaults everywhere and cannot be saved again
    // once other profiles exist, so it does not travel unless named.
    s.store.EnumerateProfiles([&](const std::string& name) {
      if (name != kDefaultProfileName && name != kVirtualProfileName)
        names.push_back(name);
    });
  }
  std::vector<NamedProfile> profiles;
  for (const std::string& name : names) {
    NamedProfile named{name, {}};
    if (!s.records.list.contains(name) && name != kVirtualProfileName &&
        name != kDefaultProfileName)
      return Refuse(out, "not exported: no profile named " + TableText(name));
    if (!s.store.LoadProfile(named.profile, name))
      return Refuse(out, "not exported: " + TableText(name) + " cannot be read completely");
    profiles.push_back(std::move(named));
  }
  std::string document;
  std::string fault;
  if (!WriteProfileDocument(profiles, command.includeSecrets, context.codec, document, fault))
    return Refuse(out, "not exported: " + fault);
  if (command.file == "-") {
    out.document(document);
  } else if (!context.files.writeWhole(command.file, document)) {
    return Refuse(out, "not exported: " + command.file + " cannot be written");
  }
  // On the error stream, so that "-" leaves the standard output to the document.
  out.error("exported: " + Counted(profiles.size()) +
            (command.includeSecrets
                 ? " with their keys and passwords IN THE CLEAR: keep the file private"
                 : " without keys, passphrases or passwords"));
  return kExitSuccess;
}

int ImportProfiles(const Command& command, CtlContext& context) {
  AppServices& s = context.services;
  CtlOutput& out = context.out;
  if (command.file == "-")
    return Refuse(out, "not imported: profiles import reads a file, not the standard input");
  std::string bytes;
  switch (context.files.readWhole(command.file, kLargestFile, bytes)) {
    case CtlFiles::ReadResult::Read:
      break;
    case CtlFiles::ReadResult::CannotOpen:
      return Refuse(out, "not imported: " + command.file + " cannot be read");
    case CtlFiles::ReadResult::TooLarge:
      return Refuse(out, "not imported: " + command.file + " is larger than " +
                             std::to_string(kLargestFile) + " bytes");
  }
  std::vector<NamedProfile> profiles;
  std::vector<std::string> faults;
  ReadProfileDocument(bytes, context.codec, profiles, faults);

  // The store's own rules, checked for the whole file before anything is written.
  const ProfileList& list = s.records.list;
  std::size_t added = 0;
  for (const NamedProfile& named : profiles) {
    const std::string shown = "profile \"" + TableText(named.name) + "\": ";
    bool stored = false;
    for (const std::string& name : list.names()) {
      if (name == named.name)
        stored = true;
      else if (EqualsIgnoringCase(name, named.name))
        faults.push_back(shown + "differs only in letter case from the stored " + TableText(name));
    }
    if (stored && !command.replace)
      faults.push_back(shown + "already stored (--replace --yes replaces it)");
    if (stored && command.replace && !command.yes)
      faults.push_back(shown + "already stored: --replace overwrites it only with --yes");
    added += stored ? 0 : 1;
  }
  if (list.size() + added > ProfileList::kMaxNames) {
    faults.push_back("the file would make " + std::to_string(list.size() + added) +
                     " profiles; the store keeps at most " +
                     std::to_string(ProfileList::kMaxNames));
  }
  if (!faults.empty()) {
    for (const std::string& fault : faults)
      out.error(fault);
    return Refuse(out, "not imported: nothing was written");
  }

  ImportUndo undo(s, context.registry);
  for (NamedProfile& named : profiles) {
    if (list.contains(named.name))
      undo.replacing(named.name);
    else
      undo.adding(named.name);
    if (!s.store.SaveProfile(named.profile, named.name)) {
      const bool restored = undo.restore();
      return Refuse(out, "not imported: writing " + TableText(named.name) + " failed; " +
                             (restored ? "the profiles were restored as they were"
                                       : "restoring the profiles failed too"));
    }
  }
  for (const NamedProfile& named : profiles)
    out.line("imported: " + TableText(named.name));
  return kExitSuccess;
}

}  // namespace kestrel::ctl
