// The questions the tool asks about entries of the file system and the file steps its writers are
// made of, in portable terms. This system's answers are in FileSystemPosix.cpp; another system
// provides the same functions with the same meaning. Functions that return bool leave the
// system's error number in errno when they fail.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wisetup {

// Which file an entry is. Where the system numbers its files the device and the file number
// decide; where it does not (both numbers 0) the canonical path stands in for them.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t number = 0;
  std::string canonical;
};
// Whether two identities name the same file; never for an identity that says nothing.
bool SameIdentity(const FileIdentity& a, const FileIdentity& b);

// What a replacement of a file keeps of it: its permission bits, and its owner and group where the
// system has them (-1 where it has none, or they are not to be handed on).
struct KeptAttributes {
  unsigned mode = 0644;
  long owner = -1;
  long group = -1;
};

enum class EntryKind { Missing, File, Folder, Link, Other };

struct EntryInfo {
  EntryKind kind = EntryKind::Missing;
  int error = 0;          // why it could not be examined (ENOENT: nothing there)
  bool writable = false;  // a write permission bit, and we may write it (a folder: add entries)
  bool readable = false;  // a read permission bit
  std::uint64_t size = 0;
  FileIdentity identity;
  KeptAttributes attributes;
};

// Examines `path`; a link is itself the entry unless `followLinks`.
EntryInfo Examine(const std::string& path, bool followLinks);

// Only what kind of entry is at `path`: one system call, for the many look-ups of path mapping.
EntryKind EntryKindOf(const std::string& path, bool followLinks);

// Whether two paths name the same folder (or file), however each is spelt.
bool SameFolder(const std::string& a, const std::string& b);

// The absolute path with every link, "." and ".." resolved; nothing when it does not exist.
std::optional<std::string> CanonicalPath(const std::string& path);

// The names in a folder, without "." and ".."; empty when it cannot be listed.
std::vector<std::string> ListFolder(const std::string& folder);

// The mount point of the file system that holds `path` when that file system is mounted
// read-only (a write-protected card); nothing when it can be written or cannot be examined.
std::optional<std::string> ReadOnlyMediumOf(const std::string& path);

// The number the system gives the running process.
long CurrentProcessId();

// The path of the running program, or nothing.
std::optional<std::string> RunningExecutable();

// Writes `content` into a new file at `path` that must not exist yet and is no link, readable by
// its owner alone. Not flushed (see FlushFileSystems). A file that was begun is removed again.
bool WriteNewFile(const std::string& path, const std::string& content);

// Creates an empty file at `path` when there is none (never through a link).
bool TouchFile(const std::string& path);

// Writes `content` to a new temporary file beside `path` (named kTemporaryPrefix and six
// characters) with the kept attributes, flushed when `flush`; its path goes to `temp`. A medium
// that keeps no permission bits takes the file without them. Nothing is left behind on failure.
bool WriteTemporaryBeside(const std::string& path, const std::string& content,
                          const KeptAttributes& attributes, bool flush, std::string& temp);

// Flushes a folder, so that the names made or replaced in it last.
bool FlushFolder(const std::string& folder);
// Puts every file written on the file systems of `folders` on disk, one flush per file system.
bool FlushFileSystems(const std::vector<std::string>& folders);

// Renames over an existing `to`, atomically.
bool ReplaceFile(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
// A folder for the user's own files (mode 0700).
bool MakeFolder(const std::string& path);
bool RemoveFolder(const std::string& path);

// Whether `error` says that a medium keeps no permission bits (a FAT stick, a share without
// them), rather than that the change was refused or failed.
bool IsNoModesError(int error);

}  // namespace wisetup
