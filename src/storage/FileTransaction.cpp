#include "storage/FileTransaction.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileIo.h"
#include "platform/SystemCalls.h"
#include "storage/History.h"
#include "storage/Sha256.h"

namespace wisetup {
namespace {

// Root passes access() for anything; a missing write bit is what read-only means to us.
bool Writable(const std::string& path, const struct stat& info, int how) {
  return (info.st_mode & 0222) != 0 && ::access(path.c_str(), how) == 0;
}

// Flushes a folder so that the renames and new names in it last. errno set on failure.
bool FlushFolder(const std::string& folder) {
  const int fd = sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool flushed = sys::Flush(fd) == 0;
  const int error = errno;
  const bool closed = sys::Close(fd) == 0;
  if (!flushed) errno = error;
  return flushed && closed;
}

// Closes `fd` of the file at `path` after a write that went `ok` so far. On a failure, of the
// write or of the close, the file is removed and errno is that of the first failure.
bool CloseWritten(int fd, const std::string& path, bool ok) {
  int error = errno;
  if (sys::Close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    sys::Unlink(path.c_str());
    errno = error;
  }
  return ok;
}

// Writes `content` into a new file at `path` (which must not exist). Not flushed: the caller
// flushes the whole file system once for all its files, which costs one flush instead of one a
// file. errno set on failure; a file that was begun is removed again.
bool WriteNewFile(const std::string& path, const std::string& content) {
  const int fd =
      sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  return CloseWritten(fd, path, WriteAll(fd, content));
}

// Writes `content` to a temporary file beside `path` with the given ownership and mode; its name
// goes to `temp`. Flushed only when `flush` is set (see WriteNewFile). errno set on failure, and
// nothing is left behind.
bool WriteTemporary(const std::string& path, const std::string& content, mode_t mode, bool existed,
                    uid_t owner, gid_t group, std::string& temp, bool flush) {
  temp = FolderOf(path) + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
  const int fd = sys::MakeTemp(temp.data());
  if (fd < 0) {
    temp.clear();
    return false;
  }
  bool ok = ::fchmod(fd, mode) == 0;
  if (ok && existed && (owner != ::geteuid() || group != ::getegid())) {
    // Only root can hand the file back to its owner; anyone else keeps their own ownership.
    if (::fchown(fd, owner, group) != 0) {
    }
  }
  ok = CloseWritten(fd, temp, ok && WriteAll(fd, content) && (!flush || sys::Flush(fd) == 0));
  if (!ok) temp.clear();
  return ok;
}

// Flushes the file system of each folder once (folders on one device share it). errno set on
// failure.
bool FlushFileSystems(const std::vector<std::string>& folders) {
  std::vector<dev_t> done;
  for (const std::string& folder : folders) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return false;
    if (std::find(done.begin(), done.end(), info.st_dev) != done.end()) continue;
    const int fd = sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool flushed = sys::FlushFileSystem(fd) == 0;
    const int error = errno;
    const bool closed = sys::Close(fd) == 0;
    if (!flushed) errno = error;
    if (!flushed || !closed) return false;
    done.push_back(info.st_dev);
  }
  return true;
}

// The first free run folder name for `timestamp` below `root`, judged from its listing.
long NextSuffix(const std::string& root, const std::string& timestamp) {
  long highest = 0;
  if (DIR* dir = ::opendir(root.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const auto key = RunFolderKey(entry->d_name);
      if (key && key->first == timestamp) highest = std::max(highest, key->second);
    }
    ::closedir(dir);
  }
  return highest + 1;
}

// The replacement is a new name in the folder, so the folder itself must take one.
FileStatus FolderIssue(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return Failure(FileCode::FolderMissing, folder);
  }
  if (!Writable(folder, info, W_OK | X_OK)) return Failure(FileCode::FolderReadOnly, folder);
  return {};
}

// The problem of a copy into the history folder that could not be written.
FileStatus KeepIssue(const std::string& path, int error) {
  return Failure(
      WriteCodeOf(error) == FileCode::DiskFull ? FileCode::DiskFull : FileCode::CannotCreate, path,
      error);
}

}  // namespace

std::optional<std::size_t> FileTransaction::EntryOf(dev_t device, ino_t inode) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].existed && entries_[i].device == device && entries_[i].inode == inode) return i;
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
  struct stat info {};
  if (::lstat(nativePath.c_str(), &info) == 0) {
    if (S_ISLNK(info.st_mode)) {
      AddIssue(Failure(FileCode::SymbolicLink, nativePath));
      return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
      AddIssue(Failure(FileCode::NotRegular, nativePath));
      return std::nullopt;
    }
    // The same file reached by another name is one entry, or the later content would be lost.
    if (const auto same = EntryOf(info.st_dev, info.st_ino)) return same;
    if (!Writable(nativePath, info, W_OK)) {
      AddIssue(Failure(FileCode::ReadOnly, nativePath));
      return std::nullopt;
    }
    entry.existed = true;
    entry.mode = info.st_mode & 07777;
    entry.owner = info.st_uid;
    entry.group = info.st_gid;
    entry.device = info.st_dev;
    entry.inode = info.st_ino;
  } else if (mustExist || (errno != ENOENT && errno != ENOTDIR)) {
    AddIssue(Failure(FileCode::CannotOpen, nativePath, errno));
    return std::nullopt;
  }

  if (FileStatus issue = FolderIssue(FolderOf(nativePath)); !issue.ok()) {
    AddIssue(std::move(issue));
    return std::nullopt;
  }
  if (entry.existed) {
    if (FileStatus read = ReadWholeFile(nativePath, entry.old, Links::Refuse); !read.ok()) {
      AddIssue(std::move(read));
      return std::nullopt;
    }
  }
  entries_.push_back(std::move(entry));
  return entries_.size() - 1;
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
    if (sys::MakeFolder(folder.c_str(), 0700) == 0) break;
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
  if (sys::Rename(draft.c_str(), final.c_str()) != 0) {
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
  for (const std::string& file : keptFiles_) sys::Unlink(file.c_str());
  sys::RemoveFolder(keptFolder_.c_str());
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
    const int result = entry.removed ? sys::Unlink(entry.path.c_str())
                                     : sys::Rename(entry.temp.c_str(), entry.path.c_str());
    if (result != 0 && !(entry.removed && errno == ENOENT)) {
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
    if (!WriteTemporary(entry.path, entry.fresh, entry.existed ? entry.mode : 0644, entry.existed,
                        entry.owner, entry.group, entry.temp, false)) {
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
    if (!entry.temp.empty()) sys::Unlink(entry.temp.c_str());
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
      restored = WriteTemporary(entry.path, entry.old, entry.mode, true, entry.owner, entry.group,
                                temp, true) &&
                 sys::Rename(temp.c_str(), entry.path.c_str()) == 0;
      if (!restored && !temp.empty()) sys::Unlink(temp.c_str());
    } else {
      restored = sys::Unlink(entry.path.c_str()) == 0 || errno == ENOENT;
    }
    if (!restored) {
      outcome.notPutBack.push_back(Failure(FileCode::NotPutBack, entry.path, errno));
      outcome.leftNew.push_back(entry.path);
    }
  }
  for (const std::string& folder : folders) FlushFolder(folder);
}

}  // namespace wisetup
