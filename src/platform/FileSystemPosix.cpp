// This system's answers to FileSystem.h.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "platform/SystemCallsPosix.h"

namespace wisetup {
namespace {

FileIdentity IdentityOf(const std::string& path, const struct stat& info) {
  FileIdentity identity{
      static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino), {}};
  if (identity.number == 0) identity.canonical = CanonicalPath(path).value_or("");
  return identity;
}

EntryKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return EntryKind::File;
  if (S_ISDIR(mode)) return EntryKind::Folder;
  if (S_ISLNK(mode)) return EntryKind::Link;
  return EntryKind::Other;
}

// Like fsync of a file, on a folder opened for reading.
int OpenFolder(const std::string& folder) {
  return sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// The flush's own error is the one reported, not a later close's.
bool FlushThrough(const std::string& folder, int (*flush)(int)) {
  const int fd = OpenFolder(folder);
  if (fd < 0) return false;
  const bool flushed = flush(fd) == 0;
  const int error = errno;
  const bool closed = sys::Close(fd) == 0;
  if (!flushed) errno = error;
  return flushed && closed;
}

// Gives the new file the kept attributes. Only root can hand a file back to its owner; anyone
// else keeps their own ownership.
bool Apply(int fd, const KeptAttributes& attributes) {
  if (sys::SetMode(fd, static_cast<mode_t>(attributes.mode)) != 0 && !IsNoModesError(errno)) {
    return false;
  }
  if (attributes.owner >= 0 && attributes.group >= 0 &&
      (static_cast<uid_t>(attributes.owner) != ::geteuid() ||
       static_cast<gid_t>(attributes.group) != ::getegid())) {
    if (::fchown(fd, static_cast<uid_t>(attributes.owner), static_cast<gid_t>(attributes.group)) !=
        0) {
    }
  }
  return true;
}

}  // namespace

EntryInfo Examine(const std::string& path, bool followLinks) {
  EntryInfo entry;
  struct stat info {};
  if ((followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0) {
    entry.error = errno;
    return entry;
  }
  entry.kind = KindOf(info.st_mode);
  // Root passes access() for anything; a missing write bit is what read-only means to us.
  const int how = entry.kind == EntryKind::Folder ? W_OK | X_OK : W_OK;
  entry.writable = (info.st_mode & 0222) != 0 && entry.kind != EntryKind::Link &&
                   ::access(path.c_str(), how) == 0;
  entry.readable = (info.st_mode & 0444) != 0;
  entry.size = static_cast<std::uint64_t>(info.st_size);
  entry.identity = IdentityOf(path, info);
  entry.attributes = {static_cast<unsigned>(info.st_mode & 07777), static_cast<long>(info.st_uid),
                      static_cast<long>(info.st_gid)};
  return entry;
}

EntryKind EntryKindOf(const std::string& path, bool followLinks) {
  struct stat info {};
  if ((followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0) {
    return EntryKind::Missing;
  }
  return KindOf(info.st_mode);
}

bool SameFolder(const std::string& a, const std::string& b) {
  const EntryInfo first = Examine(a, true);
  const EntryInfo second = Examine(b, true);
  return first.kind != EntryKind::Missing && second.kind != EntryKind::Missing &&
         SameIdentity(first.identity, second.identity);
}

long CurrentProcessId() {
  return static_cast<long>(::getpid());
}

std::optional<std::string> CanonicalPath(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return std::nullopt;
  return std::string(resolved);
}

std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

std::optional<std::string> ReadOnlyMediumOf(const std::string& path) {
  struct statvfs medium {};
  struct stat info {};
  if (::statvfs(path.c_str(), &medium) != 0 || (medium.f_flag & ST_RDONLY) == 0 ||
      ::stat(path.c_str(), &info) != 0) {
    return std::nullopt;
  }
  // The mount point is the last folder upwards on the same device.
  std::string point = CanonicalPath(path).value_or(path);
  while (point != "/") {
    const std::string parent = FolderOf(point);
    struct stat above {};
    if (::stat(parent.c_str(), &above) != 0 || above.st_dev != info.st_dev) break;
    point = parent;
  }
  return point;
}

std::optional<std::string> RunningExecutable() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::nullopt;
  return std::string(path, static_cast<std::size_t>(length));
}

bool WriteNewFile(const std::string& path, const std::string& content) {
  const int fd =
      sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool ok = sys::WriteAll(fd, content);
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

bool TouchFile(const std::string& path) {
  const int fd = sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  return fd >= 0 && sys::Close(fd) == 0;
}

bool WriteTemporaryBeside(const std::string& path, const std::string& content,
                          const KeptAttributes& attributes, bool flush, std::string& temp) {
  temp = FolderOf(path) + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
  const int fd = sys::MakeTemp(temp.data());
  if (fd < 0) {
    temp.clear();
    return false;
  }
  const bool ok =
      Apply(fd, attributes) && sys::WriteAll(fd, content) && (!flush || sys::Flush(fd) == 0);
  int error = errno;
  const bool closed = sys::Close(fd) == 0;
  if (ok && !closed) error = errno;
  if (!ok || !closed) {
    sys::Unlink(temp.c_str());
    temp.clear();
    errno = error;
    return false;
  }
  return true;
}

bool FlushFolder(const std::string& folder) {
  return FlushThrough(folder, sys::Flush);
}

bool FlushFileSystems(const std::vector<std::string>& folders) {
  std::vector<dev_t> done;
  for (const std::string& folder : folders) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return false;
    if (std::find(done.begin(), done.end(), info.st_dev) != done.end()) continue;
    if (!FlushThrough(folder, sys::FlushFileSystem)) return false;
    done.push_back(info.st_dev);
  }
  return true;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
  return sys::Rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
  return sys::Unlink(path.c_str()) == 0;
}

bool MakeFolder(const std::string& path) {
  return sys::MakeFolder(path.c_str(), 0700) == 0;
}

bool RemoveFolder(const std::string& path) {
  return sys::RemoveFolder(path.c_str()) == 0;
}

bool IsNoModesError(int error) {
  return error == ENOSYS || error == EPERM || error == EOPNOTSUPP || error == ENOTSUP;
}

}  // namespace wisetup
