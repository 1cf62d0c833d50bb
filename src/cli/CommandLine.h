// The headless commands of the installed program, run without a display:
//
//   wisetup apply --selections FILE --backup DIR --setup DIR [--backup DIR --setup DIR]...
//                 [--overwrite] [--preview] [--language ja|en]
//   wisetup undo [--language ja|en]
//
// `apply` takes each backup/setup pair in order: loads the backup, applies the selections, and
// runs exactly the window's Create Files (the same checks, one transaction, kept copies, report);
// a pair where anything of the selections cannot be applied, whose setup file exists without
// --overwrite, or that Create Files refuses, is refused whole. --preview prints each pair's change
// list and writes nothing. One line per pair, then a summary line, on standard output. `undo` puts
// back the newest run as the menu item does, without a question.
//
// Exit status: 0 when every pair was created (or previewed), 1 when a pair was refused, 2 for a
// usage error, 3 when a pair was left part new.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace wisetup {

// Whether `arguments` (without the program name) name a headless command.
bool IsHeadlessCommand(const std::vector<std::string>& arguments);

int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace wisetup
