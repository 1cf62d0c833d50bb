// Whole-file reading and atomic writing on native paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wisetup {

enum class FileCode { Ok, OpenFailed, ReadFailed, WriteFailed };

// The outcome of a file routine: the code callers act on, and for a failure the path with the
// system's reason ("/a/b: cannot write (No space left on device)"). Which message the user sees is
// the caller's choice.
struct [[nodiscard]] FileStatus {
  FileCode code = FileCode::Ok;
  std::string reason;

  bool ok() const { return code == FileCode::Ok; }
};

// Reads exactly `size` bytes from the start of a regular file without loading the rest. OpenFailed
// when the path is empty, missing, a folder or not readable; ReadFailed when the file holds fewer
// than `size` bytes, is no regular file (a pipe, a device) or the read fails. Links are followed;
// a pipe never blocks the reader.
FileStatus ReadFilePrefix(const std::string& nativePath, std::size_t size,
                          std::vector<std::uint8_t>& out);

// Reads the whole of a regular file (for text files of modest size). OpenFailed when it cannot be
// opened or is not a regular file, ReadFailed when the read fails; `out` is then empty.
FileStatus ReadWholeFile(const std::string& nativePath, std::string& out);

// Reads the whole of a file that may be missing. Unreadable when something exists at the path but
// is not a regular file, has no read permission bit (even for root) or cannot be read; `out` is
// then empty. A link is followed; a link to nothing counts as missing.
enum class ExistingFile { Missing, Read, Unreadable };
ExistingFile ReadExistingFile(const std::string& nativePath, std::string& out);

// Whether WriteFileAtomically could replace or create the file: the target, when it exists, is a
// writable regular file, and its folder is a folder that can take a new file. Permission bits
// count even for root, as in the writers.
bool CanWriteAtomically(const std::string& nativePath);

// Creates a folder and its missing parents with mode 0700 (a folder for the user's own files).
// True when the folder exists afterwards.
bool CreateFolders(const std::string& nativePath);

// Writes `content` as the whole new file content to a temporary file in the same folder and
// renames it over the target. OpenFailed when the target exists but is not a writable regular file
// (a file without any write permission bit counts as read-only, even for root), or the folder
// cannot take a new file; WriteFailed when writing or renaming fails. A link is followed. A missing
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
