// `wisetup apply`: takes each backup/setup pair in order: loads the backup, applies the selections,
// and runs exactly the window's Create Files (the same checks, one transaction, kept copies,
// report). A pair is refused whole when anything of the selections cannot be applied, when its
// setup file exists without --overwrite, when that file was made from another backup without
// --replace-other-backup, or when Create Files refuses. The runs of one apply are one batch for
// `wisetup undo`. --preview prints each pair's change list as the window's preview shows it and
// writes nothing. One line per pair, then a summary line, on standard output.
//
// Exit status: 0 when every pair was created (or previewed), 1 when a pair was refused, 2 for a
// usage error, 3 when a pair was left part new.
#pragma once

#include "cli/Command.h"

namespace wisetup {

const CommandSpec& ApplyCommand();

}  // namespace wisetup
