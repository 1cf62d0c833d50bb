// The history of Create Files runs: one folder per run below
// ${XDG_DATA_HOME:-$HOME/.local/share}/wisetup/history/, named by the local time of the run, that
// holds the previous content of every file the run replaced and a manifest.txt listing each file's
// full path, whether it existed, and the SHA-256 of its old and new content. An undone run holds a
// file "undone" and is passed over when looking for the run to undo.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileIo.h"

namespace wisetup {

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

// The history root. An empty or relative XDG_DATA_HOME counts as unset; nothing when HOME is needed
// and is empty or relative too.
std::optional<std::string> HistoryRoot(const EnvironmentLookup& environment);

struct HistoryFile {
  std::string path;  // the native path of the file that was replaced
  std::string kept;  // name of the copy in the run folder; empty when the file did not exist
  bool existed = false;
  std::string oldHash;  // empty when the file did not exist
  std::string newHash;  // empty when the run removed the file
};

struct HistoryRun {
  std::string folder;
  std::vector<HistoryFile> files;
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
inline constexpr const char* kUndoneMarker = "undone";

// Marks the run as undone by writing its marker file.
FileStatus MarkUndone(const std::string& runFolder);

}  // namespace wisetup
