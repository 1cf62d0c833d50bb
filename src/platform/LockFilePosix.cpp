// This system's lock of LockFile.h: an open-file lock of fcntl.
#include "platform/LockFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "platform/FileIo.h"
#include "platform/FileSystem.h"

namespace wisetup {
namespace {

// FNV-1a, 64 bits, in hexadecimal: a stable name for a path. Two folders that share a name would
// only warn of each other.
std::string NameHash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

std::optional<long> HolderOf(int fd) {
  char text[32] = {};
  const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
  if (got <= 0) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long pid = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || pid <= 0) return std::nullopt;
  return pid;
}

}  // namespace

std::optional<long> FolderLock::Take(const std::string& lockFolder, const std::string& folder) {
  // Loading the same backup again is common; its lock is ours already.
  std::string wanted = lockFolder + '\n' + folder;
  if (fd_ >= 0 && heldFor_ == wanted) return std::nullopt;
  Release();
  // A link and its target, or a path with a trailing separator, are one backup.
  const auto canonical = CanonicalPath(folder);
  if (!canonical) return std::nullopt;
  const std::string key = NameHash(*canonical);
  // The folder is ours to make; one that a link stands for could be anyone's.
  struct stat folderInfo {};
  if (!CreateFolders(lockFolder).ok() || ::lstat(lockFolder.c_str(), &folderInfo) != 0 ||
      !S_ISDIR(folderInfo.st_mode)) {
    return std::nullopt;
  }

  const std::string path = lockFolder + "/backup-" + key + ".lock";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  // Held by the open file description: a second window of the same process conflicts too.
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
    const bool held = errno == EAGAIN || errno == EACCES;
    const auto holder = held ? HolderOf(fd) : std::nullopt;
    ::close(fd);
    return holder;
  }
  const std::string pid = std::to_string(::getpid()) + "\n";
  // A window that loads again keeps its own name in the file: rewriting it costs a journal entry.
  char held[32];
  const ssize_t got = ::pread(fd, held, sizeof held, 0);
  if (got == static_cast<ssize_t>(pid.size()) &&
      pid.compare(0, pid.size(), held, pid.size()) == 0) {
    fd_ = fd;
    heldFor_ = std::move(wanted);
    return std::nullopt;
  }
  if (::ftruncate(fd, 0) != 0 ||
      ::pwrite(fd, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
    ::close(fd);  // a lock that names nobody would warn nobody
    return std::nullopt;
  }
  fd_ = fd;
  heldFor_ = std::move(wanted);
  return std::nullopt;
}

void FolderLock::Release() {
  heldFor_.clear();
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace wisetup
