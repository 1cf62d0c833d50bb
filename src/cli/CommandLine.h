// The headless commands of the installed program, run without a display: one registry maps each
// word to its command (ApplyCommand.h, CheckCommand.h, CompareCommand.h, UndoCommand.h), so that a
// word or an option no command declares is a usage error here, before anything is read or written:
// exit status 2, one line naming it on standard error, then the usage. `--help`, alone or after a
// command, prints to standard output and exits 0.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace wisetup {

// Every command, in the order `wisetup --help` lists them.
const std::vector<const CommandSpec*>& Commands();

// Whether `arguments` (without the program name) are for the command line rather than the window:
// anything but none at all, --version, or an option of the window system.
bool IsHeadlessCommand(const std::vector<std::string>& arguments);

// A usage error: the one line naming what is wrong, then the usage of `command` (of every command
// when it is null); kExitUsage.
int UsageError(std::ostream& err, const std::string& line, const CommandSpec* command,
               int language);

// `pdfWriter` writes the PDFs a command is asked for (--pdf); the program hands its toolkit's.
int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                PdfWriter pdfWriter = nullptr);

}  // namespace wisetup
