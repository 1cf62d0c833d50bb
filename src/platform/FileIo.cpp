#include "platform/FileIo.h"

#include <dirent.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/SystemCalls.h"

namespace wisetup {

namespace {

// Closes the descriptor on every path out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Returns false when the close reports an error (a delayed write failure).
  bool Close() {
    if (fd_ < 0) return true;
    const int result = sys::Close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

std::string Describe(const std::string& path, std::string_view what) {
  return path + ": " + std::string(what);
}

std::string DescribeErrno(const std::string& path, std::string_view action, int error) {
  return Describe(path, std::string(action) + " (" + std::strerror(error) + ")");
}

// Opens a regular file for reading; -1 with errno set otherwise. O_NONBLOCK keeps a FIFO from
// blocking the open; it has no effect on regular files.
int OpenRegularForReading(const std::string& path) {
  if (!IsUsablePath(path)) return -1;
  const int fd = sys::Open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    sys::Close(fd);
    errno = error;
    return -1;
  }
  // A folder or device opens; the caller is told why it is refused all the same.
  if (!S_ISREG(info.st_mode)) {
    sys::Close(fd);
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return -1;
  }
  return fd;
}

// Reads up to `size` bytes; returns how many were read, or -1 on an error.
ssize_t ReadFully(int fd, std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = sys::Read(fd, data + done, size - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

bool ReadToEnd(int fd, std::string& out) {
  std::uint8_t chunk[65536];
  for (;;) {
    const ssize_t got = ReadFully(fd, chunk, sizeof chunk);
    if (got < 0) return false;
    out.append(reinterpret_cast<const char*>(chunk), static_cast<std::size_t>(got));
    if (static_cast<std::size_t>(got) < sizeof chunk) return true;
  }
}

bool WriteFully(int fd, const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t put = sys::Write(fd, data + done, size - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// Where the new content goes and what the replacement file inherits from the old one.
struct Target {
  std::string path;  // links resolved, so that a link keeps pointing at the file
  bool exists = false;
  mode_t mode = 0644;
  uid_t owner = 0;
  gid_t group = 0;
  off_t size = 0;
};

FileStatus Fail(FileCode code, std::string reason) {
  return {code, std::move(reason)};
}

FileStatus PrepareTarget(const std::string& nativePath, Target& target) {
  if (!IsUsablePath(nativePath)) return Fail(FileCode::OpenFailed, "empty or invalid path");
  target.path = nativePath;
  struct stat info {};
  if (::lstat(nativePath.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char* resolved = ::realpath(nativePath.c_str(), nullptr);
    if (resolved == nullptr) {
      return Fail(FileCode::OpenFailed, DescribeErrno(nativePath, "cannot follow link", errno));
    }
    target.path = resolved;
    std::free(resolved);
  }
  if (::stat(target.path.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      return Fail(FileCode::OpenFailed, DescribeErrno(nativePath, "cannot examine", errno));
    }
    return {};
  }
  if (S_ISDIR(info.st_mode)) return Fail(FileCode::OpenFailed, Describe(nativePath, "is a folder"));
  if (!S_ISREG(info.st_mode)) {
    return Fail(FileCode::OpenFailed, Describe(nativePath, "is not a regular file"));
  }
  // Root passes access() for read-only files; a file without any write bit is read-only to us.
  if ((info.st_mode & 0222) == 0 || ::access(target.path.c_str(), W_OK) != 0) {
    return Fail(FileCode::OpenFailed, Describe(nativePath, "is read-only"));
  }
  target.exists = true;
  target.mode = info.st_mode & 07777;
  target.owner = info.st_uid;
  target.group = info.st_gid;
  target.size = info.st_size;
  return {};
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Writes `content` to a temporary file beside the target, then renames it over the target.
FileStatus ReplaceAtomically(const Target& target, const std::string& content) {
  const std::string folder = FolderOf(target.path);
  RemoveStaleTemporaryFiles(folder);
  std::string tempPath = folder + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
  FileDescriptor fd(sys::MakeTemp(tempPath.data()));
  if (!fd.valid()) {
    return Fail(FileCode::OpenFailed, DescribeErrno(target.path, "cannot create a file", errno));
  }
  auto failWrite = [&](std::string_view action) {
    const int error = errno;
    fd.Close();
    sys::Unlink(tempPath.c_str());
    return Fail(FileCode::WriteFailed, DescribeErrno(target.path, action, error));
  };
  if (::fchmod(fd.get(), target.mode) != 0) return failWrite("cannot set permissions");
  if (target.exists && (target.owner != ::geteuid() || target.group != ::getegid())) {
    if (::fchown(fd.get(), target.owner, target.group) != 0) {
      // Only root can hand the file back to its owner; anyone else keeps their own ownership.
    }
  }
  if (!WriteFully(fd.get(), content.data(), content.size())) return failWrite("cannot write");
  if (sys::Flush(fd.get()) != 0) return failWrite("cannot flush");
  if (!fd.Close()) return failWrite("cannot close");
  if (sys::Rename(tempPath.c_str(), target.path.c_str()) != 0) return failWrite("cannot replace");

  FileDescriptor folderFd(sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.valid()) sys::Flush(folderFd.get());  // durability of the rename; best effort
  return {};
}

bool IsWritableFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & 0222) != 0 &&
         ::access(path.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

ExistingFile ReadExistingFile(const std::string& nativePath, std::string& out) {
  out.clear();
  if (!IsUsablePath(nativePath)) return ExistingFile::Missing;
  struct stat info {};
  if (::stat(nativePath.c_str(), &info) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? ExistingFile::Missing : ExistingFile::Unreadable;
  }
  if (!S_ISREG(info.st_mode) || (info.st_mode & 0444) == 0) return ExistingFile::Unreadable;
  return ReadWholeFile(nativePath, out).ok() ? ExistingFile::Read : ExistingFile::Unreadable;
}

bool CanWriteAtomically(const std::string& nativePath) {
  Target target;
  if (!PrepareTarget(nativePath, target).ok()) return false;
  return IsWritableFolder(FolderOf(target.path));
}

bool CreateFolders(const std::string& nativePath) {
  if (!IsUsablePath(nativePath)) return false;
  std::size_t at = 0;
  while (at != std::string::npos) {
    at = nativePath.find('/', at + 1);
    const std::string prefix = nativePath.substr(0, at);
    if (prefix.empty()) continue;
    if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat info {};
  return ::stat(nativePath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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
  DIR* dir = ::opendir(nativeFolder.c_str());
  if (dir == nullptr) return;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(dir)) {
    if (IsTemporaryFileName(entry->d_name)) stale.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  for (const std::string& name : stale) {
    const std::string path = nativeFolder + "/" + name;
    struct stat info {};
    // Only plain files of ours; a link or folder of that name is someone else's business.
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) sys::Unlink(path.c_str());
  }
}

FileStatus ReadFilePrefix(const std::string& nativePath, std::size_t size,
                          std::vector<std::uint8_t>& out) {
  out.clear();
  // Opened without blocking, so a pipe nobody writes to cannot hold the reader; only a regular
  // file counts: a device (a link to /dev/zero) or a pipe would deliver bytes that are no record.
  if (!IsUsablePath(nativePath)) return Fail(FileCode::OpenFailed, "empty or invalid path");
  FileDescriptor fd(sys::Open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid())
    return Fail(FileCode::OpenFailed, DescribeErrno(nativePath, "cannot open", errno));
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0)
    return Fail(FileCode::OpenFailed, DescribeErrno(nativePath, "cannot open", errno));
  if (S_ISDIR(info.st_mode)) return Fail(FileCode::OpenFailed, Describe(nativePath, "is a folder"));
  if (!S_ISREG(info.st_mode))
    return Fail(FileCode::ReadFailed, Describe(nativePath, "is not a regular file"));
  // Grown as bytes arrive, so a large `size` never allocates more than the file holds.
  constexpr std::size_t kChunk = 64 * 1024;
  std::vector<std::uint8_t> buffer;
  while (buffer.size() < size) {
    const std::size_t have = buffer.size();
    buffer.resize(have + std::min(kChunk, size - have));
    const ssize_t got = ReadFully(fd.get(), buffer.data() + have, buffer.size() - have);
    if (got < 0) {
      const int error = errno;
      return Fail(error == EISDIR ? FileCode::OpenFailed : FileCode::ReadFailed,
                  DescribeErrno(nativePath, "cannot read", error));
    }
    buffer.resize(have + static_cast<std::size_t>(got));
    if (buffer.size() < have + std::min(kChunk, size - have)) break;
  }
  if (buffer.size() != size) {
    return Fail(FileCode::ReadFailed,
                Describe(nativePath, "holds fewer than " + std::to_string(size) + " bytes"));
  }
  out = std::move(buffer);
  return {};
}

FileStatus ReadWholeFile(const std::string& nativePath, std::string& out) {
  out.clear();
  if (!IsUsablePath(nativePath)) return Fail(FileCode::OpenFailed, "empty or invalid path");
  FileDescriptor fd(OpenRegularForReading(nativePath));
  if (!fd.valid())
    return Fail(FileCode::OpenFailed, DescribeErrno(nativePath, "cannot open", errno));
  std::string content;
  if (!ReadToEnd(fd.get(), content)) {
    return Fail(FileCode::ReadFailed, DescribeErrno(nativePath, "cannot read", errno));
  }
  out = std::move(content);
  return {};
}

FileStatus WriteFileAtomically(const std::string& nativePath, const std::string& content) {
  Target target;
  const FileStatus prepared = PrepareTarget(nativePath, target);
  if (!prepared.ok()) return prepared;
  return ReplaceAtomically(target, content);
}

}  // namespace wisetup
