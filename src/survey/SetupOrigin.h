// Where a setup file came from: the newest run of Create Files, not undone, that wrote the file as
// it is now. Only the history's manifests are read (and the record of the run that answers), never
// the copies kept there, so that a history of years costs little at each Create Files.
#pragma once

#include <optional>
#include <string>

namespace wisetup {

struct SetupOrigin {
  std::string backup;     // the backup folder loaded when the run wrote the file
  std::string when;       // "YYYY-MM-DD HH:MM:SS", the time of the run
  std::string runFolder;  // the run's folder in the history
};

// The origin of the setup file at `setupFile` (a native path, which exists) among the runs below
// `historyRoot`. Nothing when no run wrote it as it is now: written by no run, changed since, its
// run undone or damaged, or a run of a version that kept no record.
std::optional<SetupOrigin> SetupOriginOf(const std::string& historyRoot,
                                         const std::string& setupFile);

// Whether the file was made from a backup other than `backup` (the same folder under another name
// counts as the same backup).
bool MadeFromOtherBackup(const SetupOrigin& origin, const std::string& backup);

}  // namespace wisetup
