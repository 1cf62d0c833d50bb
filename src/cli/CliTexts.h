// The bilingual texts of the headless front: its lines, reasons and summaries, the headings of its
// help and the usage errors. Each command's description and option help lines are declared with
// the command (ApplyCommand.cpp, UndoCommand.cpp). Texts with "%1"... are filled by FillText,
// those with "%s" or "%d" by FormatPath and FormatCount.
#pragma once

#include <string>

namespace wisetup {

enum class CliText {
  SetupExists,      // "%s": the setup file; --overwrite was not given
  SameBackup,       // the backup is given in an earlier pair too
  SharedSetup,      // "%s": the setup folder is given in another pair too
  NotLoaded,        // the backup folder could not be loaded
  Summary,          // "%d" pairs, "%d" created or previewed, "%d" refused, "%d" left part new
  NothingToUndo,    // no run to undo
  SelectionsFile,   // "%1" the selections file, "%2" why it cannot be used
  UsageHeading,     // heads the usage lines
  OptionsHeading,   // heads the options of a command's help
  CommandsHeading,  // heads the commands of `wisetup --help`
  ToolHelp,         // what the program is, several lines, for `wisetup --help`
  ToolOptions,      // the program's own options, several lines, for `wisetup --help`
  MoreHelp,         // "%1" a command word: where to read more
  UnknownCommand,   // "%1"
  UnknownOption,    // "%1"
  UnexpectedWord,   // "%1"
  GivenTwice,       // "%1" an option
  NeedsValue,       // "%1" an option with its value's name
  MustFollow,       // "%1" an option, "%2" the one it follows
  NeedsFollower,    // "%1" an option, "%2" the one that must follow it
  Required,         // "%1" an option
  BadLanguage,      // "%1" the value given to --language
  PairCreated,      // "%1" backup, "%2" files, "%3" the report
  PairRefused,      // "%1" backup
  PairPreviewed,    // "%1" backup
  PairLeftPartNew,  // "%1" backup
  LinePdfTitle,     // title and first line of a line's PDF
  LineSelections,   // "%1" the selections file
  CheckPdfTitle,    // title and first line of a line check's PDF
  LinePair,         // "%1" backup, "%2" setup folder, "%3" what became of the pair
  LineCreated,      // the pair was created
  LinePreviewed,    // the pair was previewed
  LineRefused,      // the pair was refused
  LineLeftPartNew,  // the pair was left part new
  PdfNotWritten,    // "%1" the PDF, "%2" why: the one line when it cannot be written
  FolderMade,       // "%1" the setup folder made for a pair
  NoParent,         // "%1" the folder the setup folder would be made in, which is missing
  FolderNotMade,    // "%1" the setup folder, "%2" the system's reason
  OtherBackup,      // "%1" setup file, "%2" the backup it was made from, "%3" when
  UndoRestored,     // "%1" backup, "%2" restored, "%3" removed, "%4" the run's time
  UndoLeft,         // "%1" backup; its changed files follow
  UndoFailed,       // "%1" backup; the reasons follow
  UndoSummary,      // "%1" runs, "%2" put back, "%3" left
  SummaryOne,       // Summary for one pair
  NotReadWhole,     // a file could not be read whole and the system gave no reason
  NoCatalogue,      // "%1" the folder given to --catalogue
  Count
};

std::string CliTextOf(CliText text, int language);

}  // namespace wisetup
