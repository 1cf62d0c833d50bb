#include "storage/FileTransaction.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "platform/PathMap.h"
#include "storage/History.h"
#include "storage/Sha256.h"

namespace wisetup {
namespace {

// The first free run folder name for `timestamp` below `root`, judged from its listing.
long NextSuffix(const std::string& root, const std::string& timestamp) {
  long highest = 0;
  for (const std::string& name : ListFolder(root)) {
    const auto key = RunFolderKey(name);
    if (key && key->first == timestamp) highest = std::max(highest, key->second);
  }
  return highest + 1;
}

// The replacement is a new name in the folder, so the folder itself must take one.
FileStatus FolderIssue(const std::string& folder) {
  const EntryInfo info = Examine(folder, true);
  if (info.kind != EntryKind::Folder) return Failure(FileCode::FolderMissing, folder);
  if (!info.writable) return Failure(FileCode::FolderReadOnly, folder);
  return {};
}

// The problem of a copy into the history folder that could not be written.
FileStatus KeepIssue(const std::string& path, int error) {
  return Failure(
      WriteCodeOf(error) == FileCode::DiskFull ? FileCode::DiskFull : FileCode::CannotCreate, path,
      error);
}

}  // namespace

std::optional<std::size_t> FileTransaction::EntryOf(const FileIdentity& identity) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].existed && SameIdentity(entries_[i].identity, identity)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> FileTransaction::Add(const std::string& nativePath, bool mustExist) {
  if (nativePath.empty() || nativePath.front() != '/' ||
      nativePath.find('\0') != std::string::npos) {
    AddIssue(Failure(FileCode::CannotOpen, nativePath));
    return std::nullopt;
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].path == nativePath) return i;
  }
  Entry entry;
  entry.path = nativePath;
  const EntryInfo info = Examine(nativePath, false);
  if (info.kind != EntryKind::Missing) {
    // Where the medium ignores case, the replacement keeps the name the file has.
    entry.path = NameOnDisk(nativePath);
    if (info.kind == EntryKind::Link) {
      AddIssue(Failure(FileCode::SymbolicLink, nativePath));
      return std::nullopt;
    }
    if (info.kind != EntryKind::File) {
      AddIssue(Failure(FileCode::NotRegular, nativePath));
      return std::nullopt;
    }
    // The same file reached by another name is one entry, or the later content would be lost.
    if (const auto same = EntryOf(info.identity)) return same;
    if (!info.writable) {
      if (!RefuseReadOnlyMedium(FolderOf(nativePath))) {
        AddIssue(Failure(FileCode::ReadOnly, nativePath));
      }
      return std::nullopt;
    }
    entry.existed = true;
    entry.attributes = info.attributes;
    entry.identity = info.identity;
  } else if (mustExist || (info.error != ENOENT && info.error != ENOTDIR)) {
    AddIssue(Failure(FileCode::CannotOpen, nativePath, info.error));
    return std::nullopt;
  }

  if (FileStatus issue = FolderIssue(FolderOf(nativePath)); !issue.ok()) {
    if (issue.code != FileCode::FolderReadOnly || !RefuseReadOnlyMedium(issue.path)) {
      AddIssue(std::move(issue));
    }
    return std::nullopt;
  }
  if (entry.existed) {
    if (FileStatus read = ReadWholeFile(entry.path, entry.old, Links::Refuse); !read.ok()) {
      AddIssue(std::move(read));
      return std::nullopt;
    }
  }
  entries_.push_back(std::move(entry));
  return entries_.size() - 1;
}

namespace {

bool IsBelow(const std::string& path, const std::string& folder) {
  return path == folder || path.starts_with(folder == "/" ? folder : folder + "/");
}

}  // namespace

void FileTransaction::AddIssue(FileStatus issue) {
  for (const FileStatus& known : issues_) {
    if (known.code == FileCode::MediumReadOnly && IsBelow(issue.path, known.path)) return;
  }
  issues_.push_back(std::move(issue));
}

bool FileTransaction::RefuseReadOnlyMedium(const std::string& folder) {
  const auto medium = ReadOnlyMediumOf(folder);
  if (!medium) return false;
  std::erase_if(issues_, [&](const FileStatus& issue) { return IsBelow(issue.path, *medium); });
  issues_.push_back(Failure(FileCode::MediumReadOnly, *medium));
  return true;
}

void FileTransaction::SetContent(std::size_t entry, std::string content) {
  entries_[entry].touched = true;
  entries_[entry].removed = false;
  entries_[entry].fresh = std::move(content);
}

void FileTransaction::SetRemoved(std::size_t entry) {
  entries_[entry].touched = true;
  entries_[entry].removed = true;
  entries_[entry].fresh.clear();
}

bool FileTransaction::KeepOriginals(const std::string& historyRoot, const std::string& timestamp,
                                    const RunRecord& record) {
  if (!MakeRunFolder(historyRoot, timestamp)) return false;
  std::vector<HistoryFile> manifest;
  // The record is there before the manifest: a run with a manifest is complete.
  if (!KeepCopies(manifest) || !WriteRunRecord(record) || !WriteManifest(manifest)) {
    DiscardKept();
    return false;
  }
  // The copies are on disk before the first file is replaced.
  if (!FlushFileSystems({keptFolder_}) || !FlushFolder(keptFolder_) || !FlushFolder(historyRoot)) {
    const int error = errno;
    AddIssue(KeepIssue(keptFolder_, error));
    DiscardKept();
    return false;
  }
  return true;
}

bool FileTransaction::MakeRunFolder(const std::string& historyRoot, const std::string& timestamp) {
  if (FileStatus made = CreateFolders(historyRoot); !made.ok()) {
    AddIssue(std::move(made));
    return false;
  }
  std::string folder;
  for (long suffix = NextSuffix(historyRoot, timestamp), tries = 0;; ++suffix, ++tries) {
    folder = historyRoot + "/" + timestamp + (suffix > 1 ? "-" + std::to_string(suffix) : "");
    if (MakeFolder(folder)) break;
    if (errno != EEXIST || tries == 100) {
      AddIssue(Failure(FileCode::CannotCreate, folder, errno));
      return false;
    }
  }
  keptFolder_ = folder;
  keptFiles_.clear();
  return true;
}

bool FileTransaction::KeepCopies(std::vector<HistoryFile>& manifest) {
  int number = 0;
  for (const Entry& entry : entries_) {
    if (!entry.touched) continue;
    HistoryFile file;
    file.path = entry.path;
    file.existed = entry.existed;
    if (!entry.removed) file.newHash = Sha256Hex(entry.fresh);
    if (entry.existed) {
      char prefix[16];
      std::snprintf(prefix, sizeof prefix, "%03d-", ++number);
      file.kept = prefix + BaseName(entry.path);
      file.oldHash = Sha256Hex(entry.old);
      const std::string copy = keptFolder_ + "/" + file.kept;
      if (!WriteNewFile(copy, entry.old)) {
        AddIssue(KeepIssue(copy, errno));
        return false;
      }
      keptFiles_.push_back(copy);
    }
    manifest.push_back(std::move(file));
  }
  return true;
}

// The manifest is written last and under its own name only when complete: a folder without one is
// a run that never started.
bool FileTransaction::WriteManifest(const std::vector<HistoryFile>& manifest) {
  const std::string draft = keptFolder_ + "/.manifest";
  const std::string final = keptFolder_ + "/" + kManifestName;
  if (!WriteNewFile(draft, FormatManifest(manifest))) {
    AddIssue(KeepIssue(final, errno));
    return false;
  }
  keptFiles_.push_back(draft);
  if (!ReplaceFile(draft, final)) {
    AddIssue(Failure(FileCode::CannotCreate, final, errno));
    return false;
  }
  keptFiles_.back() = final;
  return true;
}

bool FileTransaction::WriteRunRecord(const RunRecord& record) {
  if (record.backup.empty()) return true;
  const std::string path = keptFolder_ + "/" + kRunRecordName;
  if (!WriteNewFile(path, FormatRunRecord(record))) {
    AddIssue(KeepIssue(path, errno));
    return false;
  }
  keptFiles_.push_back(path);
  return true;
}

void FileTransaction::DiscardKept() {
  if (keptFolder_.empty()) return;
  for (const std::string& file : keptFiles_) static_cast<void>(RemoveFile(file));
  static_cast<void>(RemoveFolder(keptFolder_));
  keptFiles_.clear();
  keptFolder_.clear();
}

CommitOutcome FileTransaction::Commit() {
  CommitOutcome outcome;
  const std::vector<std::string> folders = TouchedFolders();
  for (const std::string& folder : folders) RemoveStaleTemporaryFiles(folder);

  // Every new content is written and flushed before any target changes.
  if (!WriteTemporaries(outcome)) return outcome;

  std::vector<std::size_t> done;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    Entry& entry = entries_[i];
    if (!entry.touched) continue;
    const bool replaced =
        entry.removed ? RemoveFile(entry.path) : ReplaceFile(entry.temp, entry.path);
    if (!replaced && !(entry.removed && errno == ENOENT)) {
      outcome.ok = false;
      outcome.issues.push_back(Failure(FileCode::CannotReplace, entry.path, errno));
      RollBack(done, folders, outcome);
      return outcome;
    }
    entry.temp.clear();
    done.push_back(i);
  }
  for (const std::string& folder : folders) {
    if (!FlushFolder(folder)) {
      const int error = errno;
      outcome.ok = false;
      outcome.issues.push_back(Failure(WriteCodeOf(error), folder, error));
      RollBack(done, folders, outcome);
      return outcome;
    }
  }
  if (!keptFolder_.empty()) static_cast<void>(MarkRun(keptFolder_, RunState::Done));
  return outcome;
}

std::vector<std::string> FileTransaction::TouchedFolders() const {
  std::vector<std::string> folders;
  for (const Entry& entry : entries_) {
    if (!entry.touched) continue;
    const std::string folder = FolderOf(entry.path);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  }
  return folders;
}

bool FileTransaction::WriteTemporaries(CommitOutcome& outcome) {
  for (Entry& entry : entries_) {
    if (!entry.touched || entry.removed) continue;
    if (!WriteTemporaryBeside(entry.path, entry.fresh, entry.attributes, false, entry.temp)) {
      const int error = errno;
      outcome.ok = false;
      outcome.issues.push_back(Failure(WriteCodeOf(error), entry.path, error));
      DropTemporaries();
      return false;
    }
  }
  const std::vector<std::string> folders = TouchedFolders();
  if (!FlushFileSystems(folders)) {
    const int error = errno;
    outcome.ok = false;
    outcome.issues.push_back(Failure(WriteCodeOf(error), folders.front(), error));
    DropTemporaries();
    return false;
  }
  return true;
}

void FileTransaction::DropTemporaries() {
  for (Entry& entry : entries_) {
    if (!entry.temp.empty()) static_cast<void>(RemoveFile(entry.temp));
    entry.temp.clear();
  }
}

// Puts back the entries already replaced, newest first; what cannot be put back is reported.
void FileTransaction::RollBack(const std::vector<std::size_t>& done,
                               const std::vector<std::string>& folders, CommitOutcome& outcome) {
  DropTemporaries();
  for (auto it = done.rbegin(); it != done.rend(); ++it) {
    Entry& entry = entries_[*it];
    bool restored = false;
    if (entry.existed) {
      std::string temp;
      restored = WriteTemporaryBeside(entry.path, entry.old, entry.attributes, true, temp) &&
                 ReplaceFile(temp, entry.path);
      if (!restored && !temp.empty()) static_cast<void>(RemoveFile(temp));
    } else {
      restored = RemoveFile(entry.path) || errno == ENOENT;
    }
    if (!restored) {
      outcome.notPutBack.push_back(Failure(FileCode::NotPutBack, entry.path, errno));
      outcome.leftNew.push_back(entry.path);
    }
  }
  for (const std::string& folder : folders) static_cast<void>(FlushFolder(folder));
}

}  // namespace wisetup
