// The bilingual texts of Create Files and its undo: the refusal box, the reasons of its lines, the
// kept originals, the undo's question and report, an interrupted run and a backup loaded twice.
// A new text of Create Files, its history or its undo goes here.
#pragma once

#include <string>
#include <vector>

#include "platform/FileIo.h"

namespace wisetup {

enum class CreateFilesText {
  ErrorCaption,      // caption of the box that lists the problems
  NotCreated,        // first line of that box when no file was changed
  LeftNew,           // first line when some files could not be put back
  KeptIn,            // "%s": the history folder
  NoHistoryFolder,   // reason: neither XDG_DATA_HOME nor HOME gives a folder for the history
  UndoQuestion,      // "%d": the number of files, followed by one path a line
  UndoDone,          // "%1" files restored, "%2" removed, "%3" the run's time, "%4" its backup
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
  UndoBackup,        // "%s": the backup folder the run offered to be undone was made from
  UndoWillRemove,    // heads the files the run created, which the undo removes
  OriginQuestion,    // "%1" the setup file, "%2" the backup it was made from, "%3" when, "%4"
                     // the backup now loaded
  OriginCaption,     // caption of that question
  PreviewNotShown,   // first line of the preview's refusal box
  NeededBy,          // "%1" the registration, "%2" the mode: under a file it cannot do without
  WhatToDo,          // heads what the engineer can do about such files
  ChooseOtherMode,   // one of those ways
  ClearCheckBox,     // "%1" the check box's caption, "%2" the welders that have it checked
  RestoreEntry,      // "%1" the catalogue files
  Count
};

std::string CreateFilesTextOf(CreateFilesText text, int language);
std::string ReasonText(FileCode code, int language);

// "%d" in `format` replaced by `value`.
std::string FormatCount(const std::string& format, std::size_t value);

// `header`, then one line "PATH: reason" per problem (a repeated line once).
std::string ProblemList(const std::string& header, const std::vector<FileStatus>& issues,
                        int language);

}  // namespace wisetup
