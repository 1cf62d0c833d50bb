// The change list of a Create Files: for every file it writes, in the order it writes them, whether
// the file is new, changed or unchanged, and what changes in it: the setup file's keys by value, a
// table's named words and the runs of other bytes. The preview shows it before anything is written,
// the report of a run after.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "records/WeldRecords.h"

namespace wisetup {

enum class ComposedKind { SetupFile, Table };

// One file as Create Files composed it.
struct ComposedFile {
  std::string path;  // native
  ComposedKind kind = ComposedKind::SetupFile;
  TableForm form = TableForm::Long;  // of a table: the record that is compared
  bool existed = false;
  std::string oldContent;
  std::string newContent;
};

enum class FileState { New, Changed, Unchanged };

struct KeyChange {
  std::string key;       // "SECTION/KEY" as the new file spells it
  std::string oldValue;  // empty when the key was absent
  std::string newValue;
};

// A named word of a table record, or (empty `field`) a run of consecutive changed bytes outside
// the named words.
struct RecordChange {
  std::string field;
  std::size_t offset = 0;
  std::size_t length = 0;
  std::uint16_t oldValue = 0;
  std::uint16_t newValue = 0;
};

// A section of a new setup file with its keys and values, as the file holds them.
struct SectionKeys {
  std::string section;
  std::vector<std::pair<std::string, std::string>> keys;  // key, value
};

struct FileChange {
  std::string path;
  ComposedKind kind = ComposedKind::SetupFile;
  FileState state = FileState::Unchanged;
  std::vector<KeyChange> keys;       // setup file that existed
  std::vector<SectionKeys> written;  // new setup file: every key, in file order
  std::vector<RecordChange> record;  // table, ascending offset
};

struct ChangeList {
  std::vector<FileChange> files;
  std::size_t ChangedCount() const;
};

ChangeList ComputeChangeList(const std::vector<ComposedFile>& composed);

// The change list as the lines the scenario driver and the headless front print:
//   preview file="PATH" new|changed|unchanged, then its key, field and bytes lines, and
//   preview end files=N changed=N.
std::vector<std::string> PreviewLines(const ChangeList& list);

// The changes of one table record; bytes beyond the record are not part of it. Old bytes the file
// did not have count as changed.
std::vector<RecordChange> CompareRecords(TableForm form, const std::string& oldContent,
                                         const std::string& newContent);

// Every key of a setup file that a reader reaches, with its value, grouped by section in file
// order.
std::vector<SectionKeys> SetupFileKeys(const std::string& content);

// The keys whose value changes between two setup files, in the order of the new one.
std::vector<KeyChange> CompareSetupFiles(const std::string& oldContent,
                                         const std::string& newContent);

}  // namespace wisetup
