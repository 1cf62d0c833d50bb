// Whole-file reading and atomic writing on native paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wisetup {

// What became of a file operation. Callers act on the code; which message the user sees is theirs
// to choose.
enum class FileCode {
  Ok,
  Missing,           // nothing at the path (where that is allowed, not an error in itself)
  NotReadWhole,      // the caller never had the file's whole content, so it must not be rewritten
  CannotOpen,        // missing where it must exist, or cannot be opened
  CannotRead,        // opened, but its content could not be read (or is shorter than a record)
  SymbolicLink,      // never written through
  NotRegular,        // a folder, a FIFO, a device...
  ReadOnly,          // no write permission bit, or not writable to us
  FolderMissing,     // the folder it is to be written in does not exist
  FolderReadOnly,    // that folder cannot take a new file
  DiskFull,          // no space or quota left
  CannotWrite,       // a write, flush or close failed for another reason
  CannotReplace,     // the rename (or removal) over the target failed
  CannotCreate,      // a folder or file of the history could not be made
  NotPutBack,        // after a failure, the old content could not be restored
  ManifestDamaged,   // the record of a run cannot be read
  CompanionNotRead,  // a catalogue record that was not read whole, so its data are not transferred
  ChangedOnDisk,     // written by someone else after the caller read it
  MediumReadOnly,    // the path is the mount point of a file system mounted read-only
};

// The one result of every file routine: the code, the native path concerned and, where the system
// gave one, its reason in its own words (strerror).
struct [[nodiscard]] FileStatus {
  FileCode code = FileCode::Ok;
  std::string path;
  std::string reason;

  bool ok() const { return code == FileCode::Ok; }
};

// A failure of `code` at `path`, with the reason of `error` (an errno) when it is not 0.
FileStatus Failure(FileCode code, const std::string& path, int error = 0);
// The code a failed write, flush or close stands for: a full disk, or a write failure.
FileCode WriteCodeOf(int error);

// The folder of a native path ("." for a bare name, "/" at the root).
std::string FolderOf(const std::string& path);
// The last component of a native path.
std::string BaseName(const std::string& path);

// Reads exactly `size` bytes from the start of a regular file without loading the rest. OpenFailed
// when the path is empty, missing, a folder or not readable; ReadFailed when the file holds fewer
// than `size` bytes, is no regular file (a pipe, a device) or the read fails. Links are followed;
// a pipe never blocks the reader.
FileStatus ReadFilePrefix(const std::string& nativePath, std::size_t size,
                          std::vector<std::uint8_t>& out);

// Reads the whole of a regular file. Missing when nothing is at the path (a link to nothing
// included); CannotOpen when it cannot be opened or has no read permission bit (even for root);
// NotRegular for anything but a regular file; CannotRead when the read fails. `out` is empty on
// failure. With Links::Refuse a symbolic link is SymbolicLink and the file read is the one that was
// examined (no link swapped in between), as a file that is to be replaced is read.
enum class Links { Follow, Refuse };
FileStatus ReadWholeFile(const std::string& nativePath, std::string& out,
                         Links links = Links::Follow);

// A folder opened once, so that every file read from it by name is looked up there rather than
// through the folder's whole path again, and all come from the same folder. Where the folder cannot
// be opened, each read goes by path.
class FolderReader {
 public:
  explicit FolderReader(std::string nativeFolder);
  ~FolderReader();
  FolderReader(const FolderReader&) = delete;
  FolderReader& operator=(const FolderReader&) = delete;

  const std::string& Folder() const { return folder_; }
  // ReadWholeFile of the entry `name` (one path component) in the folder; the status names the
  // whole path.
  FileStatus ReadWholeFile(const std::string& name, std::string& out, Links links) const;

 private:
  std::string folder_;
  int handle_ = -1;  // this system's handle of the open folder
};

// Whether WriteFileAtomically could replace or create the file: the target, when it exists, is a
// writable regular file, and its folder is a folder that can take a new file. Permission bits
// count even for root, as in the writers.
bool CanWriteAtomically(const std::string& nativePath);

// Creates a folder and its missing parents with mode 0700 (a folder for the user's own files).
// Ok when the folder exists afterwards; CannotCreate with the system's reason otherwise.
FileStatus CreateFolders(const std::string& nativePath);

// Writes `content` as the whole new file content to a temporary file in the same folder and
// renames it over the target. ReadOnly, NotRegular or FolderReadOnly when the target exists but is
// not a writable regular file (a file without any write permission bit counts as read-only, even
// for root), or the folder cannot take a new file; CannotWrite, DiskFull or CannotReplace when
// writing or renaming fails. A link is followed. A missing
// target is created with mode 0644; an existing one keeps its mode. The target is unchanged on
// failure.
FileStatus WriteFileAtomically(const std::string& nativePath, const std::string& content);

// Temporary files are named this prefix and six letters or digits, hidden in the target's folder.
inline constexpr std::string_view kTemporaryPrefix = ".wisetup-";
bool IsTemporaryFileName(std::string_view name);

// Removes our temporary files that a process killed in the middle of a write left in the folder.
// Best effort: what cannot be removed stays.
void RemoveStaleTemporaryFiles(const std::string& nativeFolder);

}  // namespace wisetup
