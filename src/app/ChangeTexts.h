// The bilingual texts of the preview and the report of Create Files, and the change list written
// out as a person reads it (the dialog and report.txt show the same text).
#pragma once

#include <initializer_list>
#include <string>

#include "changes/ChangeList.h"

namespace wisetup {

enum class ChangeText {
  PreviewButton,   // caption of ButtonPreview
  ShowReportMenu,  // caption of MenuShowReport
  PreviewTitle,    // title of the preview dialog
  ReportTitle,     // title of the report dialog
  StateNew,        // "%1" the path
  StateChanged,    // "%1" the path
  StateUnchanged,  // "%1" the path
  NewSetupFile,    // the line under a new setup file
  SetupUnchanged,  // the line under a setup file that does not change
  SetupNoKeys,     // a changed setup file whose keys keep their values
  TableUnchanged,  // the line under a table that does not change
  KeyChange,       // "%1" key, "%2" old, "%3" new
  FieldChange,     // "%1" field, "%2" old, "%3" new
  ByteRun,         // "%1" offset, "%2" length
  Absent,          // an old value of a key that was not there
  Summary,         // "%1" files, "%2" of them changed
  ReportHeading,
  ReportTime,        // "%1"
  ReportVersion,     // "%1"
  ReportBackup,      // "%1"
  ReportSetup,       // "%1"
  ReportController,  // "%1"
  ReportWelder,      // "%1" number, "%2" kind name
  ReportModel,       // "%1"
  ReportArea,        // "%1"
  ReportTakeOver,    // "%1" yes or no
  Yes,
  No,
  ReportTable,       // "%1" table number
  ReportRobotSide,   // "%1"
  ReportMode,        // "%1"
  NoMode,            // no mode chosen
  ReportChanges,     // heads the change list
  ReportUndone,      // first line of a report whose run was undone since
  ReportNotWritten,  // "%1" the reason: added to the completion message
  DialogCopy,
  DialogSave,
  DialogPrint,
  DialogPdf,
  DialogClose,
  TextFilter,  // save dialog filter for text
  PdfFilter,   // save dialog filter for PDF
  MadeFrom,    // "%1" backup folder, "%2" when: the setup file was made from another backup
  Count
};

std::string ChangeTextOf(ChangeText text, int language);
// "%1", "%2"... in `format` replaced by the arguments in turn.
std::string FillText(const std::string& format, std::initializer_list<std::string> args);

// The change list as the preview dialog and the report show it: per file a heading with its path
// and state, then one line per change; the totals last. `setupNote`, when given, is the setup
// file's first line.
std::string ChangeListText(const ChangeList& list, int language, const std::string& setupNote = {});
// One file of it: the heading and its change lines, each ending in a line feed.
std::string FileChangeText(const FileChange& file, int language);
// The line of a named word or a run of other bytes (indented, no line feed).
std::string RecordChangeLine(const RecordChange& change, int language);

}  // namespace wisetup
