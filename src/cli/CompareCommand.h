// `wisetup compare BACKUP_A BACKUP_B`: the two backups side by side, in the lines the window's
// comparison shows, on standard output. Only reads: no lock, no file written.
//
// Exit status, as diff has it: 0 the same, 1 they differ, 2 a usage error or a folder that is not
// a backup (said in one line on standard error).
#pragma once

#include "cli/Command.h"

namespace wisetup {

const CommandSpec& CompareCommand();

}  // namespace wisetup
