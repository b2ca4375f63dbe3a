#pragma once
// profiles export and profiles import: named profiles carried to another machine in a
// file, secrets deciphered on the way out and enciphered under this card's id on the way in.

#include "ctl_command.h"
#include "ctl_runner.h"

namespace kestrel::ctl {

// Exit 4 with a message when a named profile is missing or a file cannot be written.
int ExportProfiles(const Command& command, CtlContext& context);
// All or nothing: every profile passes the settings page's and the store's rules before
// the first is written; a write that fails half-way restores what was there.
int ImportProfiles(const Command& command, CtlContext& context);

}  // namespace kestrel::ctl
