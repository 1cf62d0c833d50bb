// `wisetup check`: the audit of a production line at a maintenance visit. Each backup/setup pair
// is taken as `apply --preview` takes it (the selections applied, the change list computed) and
// judged: up to date when Create Files would change nothing, differs (with the files that would
// change, or the setup file made from another backup), or refused with the reasons. One verdict
// per pair, then a summary line, on standard output. Only reads: no file, no history, no lock.
//
// Exit status: 0 every pair up to date, 1 a pair differs or was refused, 2 usage error.
#pragma once

#include "cli/Command.h"

namespace wisetup {

const CommandSpec& CheckCommand();

}  // namespace wisetup
