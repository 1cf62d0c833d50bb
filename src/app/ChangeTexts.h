// The bilingual texts of the preview and the report of Create Files, and the change list written
// out as a person reads it (the dialog and report.txt show the same text).
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "changes/ChangeList.h"
#include "platform/Platform.h"

namespace wisetup {

enum class ChangeText {
  PreviewButton,        // caption of ButtonPreview
  ShowReportMenu,       // caption of MenuShowReport
  PreviewTitle,         // title of the preview dialog
  ReportTitle,          // title of the report dialog
  StateNew,             // "%1" the path
  StateChanged,         // "%1" the path
  StateUnchanged,       // "%1" the path
  NewSetupFile,         // the line under a new setup file whose keys are not listed
  SetupUnchanged,       // the line under a setup file that does not change
  SetupNoKeys,          // a changed setup file whose keys keep their values
  TableUnchanged,       // the line under a table that does not change
  KeyChange,            // "%1" key, "%2" old, "%3" new
  FieldChange,          // "%1" field, "%2" old, "%3" new
  ByteRun,              // "%1" offset, "%2" length
  Absent,               // an old value of a key that was not there
  Summary,              // "%1" files, "%2" of them changed
  SummaryOneChanges,    // "%1" files, one of them changed
  SummaryOneFile,       // one file, changed
  SummaryOneUnchanged,  // one file, unchanged
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
  TextFilter,       // save dialog filter for text
  PdfFilter,        // save dialog filter for PDF
  MadeFrom,         // "%1" backup folder, "%2" when: the setup file was made from another backup
  TableHeading,     // "%1" the registrations that use it, "%2" the table number
  TableFile,        // "%1" the path
  UseName,          // "%1" a registration that uses the table
  NewSetupKeys,     // the line under a new setup file, above its keys
  NewSetupSection,  // "%1" a section of a new setup file
  NewSetupKey,      // "%1" key, "%2" value
  NotUsedHeading,   // heads the modes chosen where no table is registered
  NotUsed,          // "%1" the registration, "%2" the mode
  PageOf,           // "%1" the page, "%2" the pages
  Saved,            // "%1" the path: the status line after a file was written
  LinesCopied,      // "%1" the number of lines
  Count
};

std::string ChangeTextOf(ChangeText text, int language);
// "%1", "%2"... in `format` replaced by the arguments in turn.
std::string FillText(const std::string& format, std::initializer_list<std::string> args);

// The document dialog with its buttons, filters and messages in the language.
DocumentView DocumentViewOf(std::string title, std::string text, std::string fileName,
                            std::vector<std::string> heading, int language);

// A registration whose table Create Files writes, in the window's words.
struct TableUse {
  std::string name;       // "WPS2 Register1"
  std::string robotSide;  // the robot-side condition text
  std::string mode;       // the chosen mode's text, or the text for none
};

// What names the files of a change list: the folders, and per table (by its path) its number and
// the registrations that use it; the modes chosen where no table is registered, as
// "WPS2 Register3" and the mode's text.
struct ChangeHeading {
  std::string backupFolder;  // not shown when empty
  std::string setupFolder;
  struct Table {
    int number = -1;
    std::vector<TableUse> uses;
  };
  std::map<std::string, Table> tables;
  std::vector<std::pair<std::string, std::string>> notUsed;
  // Whether a new setup file's keys are listed: before it is written, it cannot be read otherwise.
  bool newSetupKeys = true;
  // A line under the setup file's heading (where it came from), when not empty.
  std::string setupNote;
};

// The totals, the folders and the modes that are not used: what the engineer decides on.
std::string ChangeSummaryText(const ChangeList& list, const ChangeHeading& heading, int language);
// Per file a heading (a table's names the registrations that use it) with its state, then its
// changes; a new setup file lists every key it holds.
std::string ChangeFilesText(const ChangeList& list, const ChangeHeading& heading, int language);
// The summary, then the files.
std::string ChangeListText(const ChangeList& list, const ChangeHeading& heading, int language);
std::string ChangeListText(const ChangeList& list, int language);
// One file with its path as heading and its change lines, each ending in a line feed.
std::string FileChangeText(const FileChange& file, int language);
// The line of a named word or a run of other bytes (indented, no line feed).
std::string RecordChangeLine(const RecordChange& change, int language);

}  // namespace wisetup
