// Replaces a set of files all together or not at all. Every target is examined and read before
// anything is written; the old contents are kept in a history folder with a manifest; the new
// contents go to temporary files beside their targets, and only when all of them are written and
// flushed are they renamed over the targets. A failure after some renames puts the old contents
// back. Problems are returned as values; nothing here talks to the user.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "storage/History.h"

namespace wisetup {

// What a finished (or abandoned) commit did.
struct CommitOutcome {
  bool ok = true;
  // What stopped the commit: the file whose replacement failed (it holds its old content), or the
  // write or flush that failed before or after the replacements.
  std::vector<FileStatus> issues;
  // Files that hold their new content although the commit failed (putting them back failed too),
  // with the reason of each.
  std::vector<FileStatus> notPutBack;
  std::vector<std::string> leftNew;
};

class FileTransaction {
 public:
  // Examines `nativePath` and reads its current content. Returns the entry's index, or nothing when
  // the file cannot be replaced safely (the reason is added to Issues()). A table that must already
  // exist passes `mustExist`. The same file added twice gives the same entry.
  std::optional<std::size_t> Add(const std::string& nativePath, bool mustExist);

  bool Existed(std::size_t entry) const { return entries_[entry].existed; }
  bool Removed(std::size_t entry) const { return entries_[entry].removed; }
  const std::string& OldContent(std::size_t entry) const { return entries_[entry].old; }
  const std::string& Path(std::size_t entry) const { return entries_[entry].path; }
  std::size_t Size() const { return entries_.size(); }
  // The content the commit gives the entry: what SetContent set, or its old content.
  const std::string& NewContent(std::size_t entry) const {
    return entries_[entry].touched ? entries_[entry].fresh : entries_[entry].old;
  }

  // The content the entry gets; a later call replaces an earlier one.
  void SetContent(std::size_t entry, std::string content);
  // The entry's file is removed by the commit (undoing a run that created it).
  void SetRemoved(std::size_t entry);

  // An issue of a file on a medium already found read-only is left out: that medium is the one
  // thing to say about its files.
  void AddIssue(FileStatus issue);
  const std::vector<FileStatus>& Issues() const { return issues_; }

  // Copies the old content of every entry into a new folder below `historyRoot` named `timestamp`
  // (with "-2", "-3"... when taken), with manifest.txt. False with an issue when the folder or a
  // copy cannot be made; whatever was made is removed again. A `record` with a backup folder is
  // kept as run.txt beside the manifest.
  bool KeepOriginals(const std::string& historyRoot, const std::string& timestamp,
                     const RunRecord& record = {});
  const std::string& KeptFolder() const { return keptFolder_; }
  // Removes the kept folder again (the commit changed nothing after all).
  void DiscardKept();

  // Replaces every entry that has new content (or removes it). Stale temporary files of ours in
  // the folders concerned are removed first.
  CommitOutcome Commit();

 private:
  struct Entry {
    std::string path;
    bool existed = false;
    std::string old;
    KeptAttributes attributes;  // what a replacement keeps; the defaults for a new file
    FileIdentity identity;
    bool touched = false;  // SetContent or SetRemoved was called
    bool removed = false;
    std::string fresh;
    std::string temp;  // the written temporary file, until renamed
  };

  std::optional<std::size_t> EntryOf(const FileIdentity& identity) const;
  // Adds the issue of a write-protected medium holding `folder` once, in place of the issues of
  // its files; false when `folder` can be written for all the medium says.
  bool RefuseReadOnlyMedium(const std::string& folder);
  // The steps of KeepOriginals.
  bool MakeRunFolder(const std::string& historyRoot, const std::string& timestamp);
  bool KeepCopies(std::vector<HistoryFile>& manifest);
  bool WriteManifest(const std::vector<HistoryFile>& manifest);
  bool WriteRunRecord(const RunRecord& record);
  // The steps of Commit.
  std::vector<std::string> TouchedFolders() const;
  bool WriteTemporaries(CommitOutcome& outcome);
  void DropTemporaries();
  void RollBack(const std::vector<std::size_t>& done, const std::vector<std::string>& folders,
                CommitOutcome& outcome);

  std::vector<Entry> entries_;
  std::vector<FileStatus> issues_;
  std::string keptFolder_;
  std::vector<std::string> keptFiles_;
};

}  // namespace wisetup
