// The bilingual texts added beyond the numbered table, in one table looked up like it: Create Files
// and its undo (the refusal box, the reasons of its lines, the kept originals, the undo's question
// and report, an interrupted run), the shell's own messages, the catalogue, the About box, drops
// and the selections files.
#pragma once

#include <string>
#include <vector>

#include "platform/FileIo.h"

namespace wisetup {

enum class MoreText {
  ErrorCaption,      // caption of the box that lists the problems
  NotCreated,        // first line of that box when no file was changed
  LeftNew,           // first line when some files could not be put back
  KeptIn,            // "%s": the history folder
  NoHistoryFolder,   // reason: neither XDG_DATA_HOME nor HOME gives a folder for the history
  UndoQuestion,      // "%d": the number of files, followed by one path a line
  UndoDone,          // "%d": the number of files restored
  UndoSkipped,       // heads the list of files changed since the run
  UndoFailed,        // first line of the box when the undo changed nothing
  UndoLeftChanged,   // first line when a failed undo could not set some files back either
  UndoErrorCaption,  // caption of that box
  UndoNotMarked,     // the files are restored but the run could not be marked as undone
  StillOld,          // heads the file whose replacement failed (it holds its old content)
  StoppedAt,         // heads what stopped the run when it was no replacement
  Interrupted,       // "%s" the run's time, "%d" files with new content, "%d" files of the run
  Unchecked,         // "%s" the run's time: an interrupted run whose files cannot be checked
  WillBeLeft,        // heads the files changed since, in a question about putting files back
  NoBackupCaption,   // caption of the box when no backup folder is loaded
  NoBackupLoaded,    // its text
  UndoCreated,       // "%s": the time of the run offered to be undone
  UndoOtherBackup,   // the run's tables lie outside the backup folder now loaded
  AlsoOpen,          // "%d": the process of another window that has the backup loaded
  AlsoOpenCaption,   // caption of that box
  // The shell, the catalogue, the About box and drops.
  CannotWrite,              // "%s": a profile file that cannot be written (an error display)
  SettingsUnreadable,       // "%s": the settings exist but cannot be read, and were not saved
  NoWelderKind,             // "%s": follows the wrong-folder message for a configuration without
                            // A_KIND
  CatalogueMissing,         // "%s": the places searched, one a line
  CatalogueMissingCaption,  //
  DropRefused,              // something other than one folder was dropped on the window
  AboutVersion,             // "%s": the version
  AboutLicence,             //
  // Saving and applying selections files.
  MenuSaveSelections,        // caption of the menu item
  MenuApplySelections,       // caption of the menu item
  SelectionsFilter,          // "description|pattern" of the dialogs
  SelectionsRefusedCaption,  //
  SelectionsRefused,         // "%s": the file; the reason follows on the next line
  SelectionsApplyCaption,    //
  SelectionsApplied,         //
  SelectionsNotThere,        // "%s": a save into the folders that go to the controller or board
  SelectionsPartly,          // heads the list of what could not be applied
  Count
};

std::string MoreTextOf(MoreText text, int language);
std::string ReasonText(FileCode code, int language);

// "%d" in `format` replaced by `value`.
std::string FormatCount(const std::string& format, std::size_t value);

// `header`, then one line "PATH: reason" per problem (a repeated line once).
std::string ProblemList(const std::string& header, const std::vector<FileStatus>& issues,
                        int language);

}  // namespace wisetup
