// The bilingual texts of comparing two backups and of auditing a line of them, and both written out
// as lines: the window's dialog and the headless commands show the same lines.
#pragma once

#include <string>
#include <vector>

#include "survey/BackupCompare.h"
#include "survey/LineAudit.h"

namespace wisetup {

enum class CompareText {
  MenuCompare,      // caption of MenuCompare
  CompareTitle,     // title of the dialog
  ComparePrompt,    // the folder browser's prompt
  HeadingA,         // "%1" the folder
  HeadingB,         // "%1" the folder
  SameFolder,       // both folders are one
  KindDiffers,      // "%1" welder, "%2" kind in A, "%3" in B
  OnlyInA,          // "%1" welder, "%2" registration, "%3" table number
  OnlyInB,          // "%1" welder, "%2" registration, "%3" table number
  UnreadableA,      // "%1" welder, "%2" registration, "%3" table number, "%4" why
  UnreadableB,      // "%1" welder, "%2" registration, "%3" table number, "%4" why
  FormsDiffer,      // "%1" welder, "%2" registration, "%3" table in A, "%4" in B
  PairDiffers,      // "%1" welder, "%2" registration, "%3" table in A, "%4" in B
  ConditionA,       // "%1" the robot-side condition text of A's table
  ConditionB,       // "%1" of B's
  Summary,          // "%1" registrations the same, "%2" differing, "%3" welders of another kind
  NotABackup,       // "%1" the folder, "%2" why
  BadNumber,        // "%1" the item, "%2" where
  AuditUpToDate,    // "%1" the backup
  AuditDiffers,     // "%1" the backup, "%2" the files that would change
  AuditDiffersOne,  // "%1" the backup; one file would change
  AuditRefused,     // "%1" the backup
  AuditSummary,     // "%1" pairs, "%2" up to date, "%3" differing, "%4" refused
  AuditSummaryOne,  // the same for one pair
  Count
};

std::string CompareTextOf(CompareText text, int language);

// The comparison as the dialog and `compare` show it: both folders, then per welder and
// registration what differs, the condition texts of both tables and their field and byte lines,
// and a summary line last.
std::vector<std::string> ComparisonLines(const BackupComparison& comparison, int language);

// One line saying why a folder cannot be compared, as the window refuses to load it.
std::string NotABackupLine(const BackupSnapshot& snapshot, int language);

// One pair of a line audit: its verdict line, then (indented) the changes or the reasons.
std::vector<std::string> AuditLines(const PairAudit& audit, int language);
std::string AuditSummaryLine(const AuditSummary& summary, int language);

}  // namespace wisetup
