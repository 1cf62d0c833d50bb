// `wisetup undo [--backup DIR]`: puts back the newest batch of Create Files (every run of the
// newest `wisetup apply`, or the window's newest run), or the newest run of one backup. Each run
// is put back whole or left as it is when a file of it changed since; one line per run, then a
// summary. Exit status 0 when every run was put back, 1 when one was left or there was none.
#pragma once

#include "cli/Command.h"

namespace wisetup {

const CommandSpec& UndoCommand();

}  // namespace wisetup
