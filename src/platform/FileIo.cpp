#include "platform/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/PathMap.h"

namespace wisetup {

namespace {

bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

// Where the new content goes and what the replacement file inherits from the old one.
struct Target {
  std::string path;  // links resolved, so that a link keeps pointing at the file
  KeptAttributes attributes;
};

FileStatus PrepareTarget(const std::string& nativePath, Target& target) {
  if (!IsUsablePath(nativePath)) return Failure(FileCode::CannotOpen, nativePath);
  target.path = nativePath;
  if (EntryKindOf(nativePath, false) == EntryKind::Link) {
    const auto resolved = CanonicalPath(nativePath);
    if (!resolved) return Failure(FileCode::CannotOpen, nativePath, errno);
    target.path = *resolved;
  }
  const EntryInfo info = Examine(target.path, true);
  if (info.kind == EntryKind::Missing) {
    if (info.error != ENOENT) return Failure(FileCode::CannotOpen, nativePath, info.error);
    return {};
  }
  if (info.kind != EntryKind::File) return Failure(FileCode::NotRegular, nativePath);
  if (!info.writable) return Failure(FileCode::ReadOnly, nativePath);
  // Where the medium ignores case, the replacement keeps the name the file has.
  target.path = NameOnDisk(target.path);
  target.attributes = info.attributes;
  return {};
}

// Writes `content` to a temporary file beside the target, then renames it over the target.
FileStatus ReplaceAtomically(const Target& target, const std::string& content) {
  const std::string folder = FolderOf(target.path);
  RemoveStaleTemporaryFiles(folder);
  std::string temp;
  if (!WriteTemporaryBeside(target.path, content, target.attributes, true, temp)) {
    const int error = errno;
    return Failure(
        error == EACCES || error == EROFS ? FileCode::FolderReadOnly : WriteCodeOf(error),
        target.path, error);
  }
  if (!ReplaceFile(temp, target.path)) {
    const int error = errno;
    RemoveFile(temp);
    return Failure(FileCode::CannotReplace, target.path, error);
  }
  static_cast<void>(FlushFolder(folder));  // durability of the rename; best effort
  return {};
}

}  // namespace

FileStatus Failure(FileCode code, const std::string& path, int error) {
  return {code, path, error != 0 ? std::strerror(error) : std::string()};
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool CanWriteAtomically(const std::string& nativePath) {
  Target target;
  if (!PrepareTarget(nativePath, target).ok()) return false;
  const EntryInfo folder = Examine(FolderOf(target.path), true);
  return folder.kind == EntryKind::Folder && folder.writable;
}

FileStatus CreateFolders(const std::string& nativePath) {
  if (!IsUsablePath(nativePath)) return Failure(FileCode::CannotCreate, nativePath);
  const EntryKind kind = EntryKindOf(nativePath, true);
  if (kind != EntryKind::Missing) {
    return kind == EntryKind::Folder ? FileStatus{}
                                     : Failure(FileCode::CannotCreate, nativePath, ENOTDIR);
  }
  const std::string parent = FolderOf(nativePath);
  if (parent != nativePath) {
    if (FileStatus made = CreateFolders(parent); !made.ok()) return made;
  }
  if (MakeFolder(nativePath)) return {};
  const int error = errno;
  if (error == EEXIST && EntryKindOf(nativePath, true) == EntryKind::Folder) return {};
  return Failure(FileCode::CannotCreate, nativePath, error);
}

bool IsTemporaryFileName(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix) || name.size() != kTemporaryPrefix.size() + 6) {
    return false;
  }
  return std::all_of(
      name.begin() + static_cast<std::ptrdiff_t>(kTemporaryPrefix.size()), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
      });
}

void RemoveStaleTemporaryFiles(const std::string& nativeFolder) {
  for (const std::string& name : ListFolder(nativeFolder)) {
    if (!IsTemporaryFileName(name)) continue;
    const std::string path = nativeFolder + "/" + name;
    // Only plain files of ours; a link or folder of that name is someone else's business.
    if (EntryKindOf(path, false) == EntryKind::File) static_cast<void>(RemoveFile(path));
  }
}

FileStatus WriteFileAtomically(const std::string& nativePath, const std::string& content) {
  Target target;
  const FileStatus prepared = PrepareTarget(nativePath, target);
  if (!prepared.ok()) return prepared;
  return ReplaceAtomically(target, content);
}

}  // namespace wisetup
