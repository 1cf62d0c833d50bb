// The history of Create Files runs: one folder per run below
// ${XDG_DATA_HOME:-$HOME/.local/share}/wisetup/history/, named by the local time of the run, that
// holds the previous content of every file the run replaced and a manifest.txt listing each file's
// full path, whether it existed, and the SHA-256 of its old and new content. The manifest is
// complete before the first file is replaced; until a marker file says otherwise ("done",
// "rolled-back", "declined", "undone") the run is in progress, so a run that was killed half-way is
// found at the next start. An undone run is passed over when looking for the run to undo.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/BaseDirs.h"
#include "platform/FileIo.h"

namespace wisetup {

// The history root: wisetup/history in the user's data folder (DataHome), under the same rules as
// every other place of the tool; nothing when there is no data folder.
std::optional<std::string> HistoryRoot(const EnvironmentLookup& environment);

struct HistoryFile {
  std::string path;  // the native path of the file that was replaced
  std::string kept;  // name of the copy in the run folder; empty when the file did not exist
  bool existed = false;
  std::string oldHash;  // empty when the file did not exist
  std::string newHash;  // empty when the run removed the file
};

// Who made a run: the backup folder loaded, the setup folder, and the batch of a headless apply
// (empty for a run of the window, which stands alone). Kept beside the manifest in run.txt; a run
// of an older version has none.
struct RunRecord {
  std::string backup;
  std::string setup;
  std::string batch;
};

struct HistoryRun {
  std::string folder;
  std::vector<HistoryFile> files;
  RunRecord record;
};

std::string FormatManifest(const std::vector<HistoryFile>& files);
// Nothing when the text is not a manifest.
std::optional<std::vector<HistoryFile>> ParseManifest(std::string_view text);

// Run folders are named "YYYYMMDD-HHMMSS" or "YYYYMMDD-HHMMSS-N" (N from 2). The sort key of a
// name, or nothing for other names.
std::optional<std::pair<std::string, long>> RunFolderKey(std::string_view name);

// The newest run below `root` that has a readable manifest and is not undone.
std::optional<HistoryRun> NewestRun(const std::string& root);

inline constexpr const char* kManifestName = "manifest.txt";
inline constexpr const char* kRunRecordName = "run.txt";

std::string FormatRunRecord(const RunRecord& record);
// Nothing when the text is not a run record.
std::optional<RunRecord> ParseRunRecord(std::string_view text);
// The record of a run folder; empty fields when it has none or it cannot be read.
RunRecord ReadRunRecord(const std::string& runFolder);

// The runs to undo together: the newest run not undone and, when it belongs to a batch, every
// other run of that batch not undone, newest first.
std::vector<HistoryRun> NewestBatch(const std::string& root);
// The newest run not undone that was made from `backup` (the same folder under any name).
std::optional<HistoryRun> NewestRunOfBackup(const std::string& root, const std::string& backup);
// Whether two recorded backup folders are one: the same text, or the same existing folder.
bool SameBackupFolder(const std::string& a, const std::string& b);

// The names of the run folders below `root`, newest first.
std::vector<std::string> RunFoldersNewestFirst(const std::string& root);
// The files of a run's manifest; nothing when it cannot be read, is damaged or lists no file.
std::optional<std::vector<HistoryFile>> ReadManifest(const std::string& runFolder);
// What a completed run wrote, for people to read.
inline constexpr const char* kReportName = "report.txt";

enum class RunState {
  InProgress,  // no marker: replacing began and was never seen to end
  Done,        // every file was replaced
  RolledBack,  // a failure put every file back, or none holds what the run wrote
  Declined,    // found interrupted and the engineer chose to keep the files as they are
  Undone,      // the files were put back
};

RunState RunStateOf(const std::string& runFolder);
// Writes the state's marker file. Done and RolledBack are not flushed: a marker lost in a crash
// only means the files are compared again at the next start.
FileStatus MarkRun(const std::string& runFolder, RunState state);
inline FileStatus MarkUndone(const std::string& runFolder) {
  return MarkRun(runFolder, RunState::Undone);
}

// The newest run folder below `root` that holds a manifest, whatever its state; `files` is nothing
// when the manifest cannot be read or is damaged.
struct RecordedRun {
  std::string folder;
  std::string name;  // the folder's name, "YYYYMMDD-HHMMSS[-N]"
  std::optional<std::vector<HistoryFile>> files;
};
std::optional<RecordedRun> NewestRecordedRun(const std::string& root);

// The newest run folder below `root` that holds a regular file `name`, whatever its state.
std::optional<std::string> NewestRunHolding(const std::string& root, const std::string& name);

// "YYYY-MM-DD HH:MM:SS" for a run folder name.
std::string RunTimeText(std::string_view name);

// What a file of a run holds now: what it held before the run, what the run wrote, or neither
// (changed by someone since, or unreadable).
enum class FileNow { Old, New, Neither };
FileNow CurrentContentOf(const HistoryFile& file);

}  // namespace wisetup
