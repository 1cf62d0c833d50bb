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

bool IsLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
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

// Reads to the end of a regular file that held `size` bytes when it was examined: one read while
// it still does (a regular file reads short only at its end), more when it has grown or shrunk.
bool ReadToEnd(int fd, std::size_t size, std::string& out) {
  out.resize(size + 1);
  std::size_t done = 0;
  for (;;) {
    const ssize_t got = sys::Read(fd, out.data() + done, out.size() - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(got);
    if (got == 0 || (done >= size && done < out.size())) break;
    if (done == out.size()) out.resize(out.size() * 2);
  }
  out.resize(done);
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

FileStatus PrepareTarget(const std::string& nativePath, Target& target) {
  if (!IsUsablePath(nativePath)) return Failure(FileCode::CannotOpen, nativePath);
  target.path = nativePath;
  struct stat info {};
  if (::lstat(nativePath.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char* resolved = ::realpath(nativePath.c_str(), nullptr);
    if (resolved == nullptr) return Failure(FileCode::CannotOpen, nativePath, errno);
    target.path = resolved;
    std::free(resolved);
  }
  if (::stat(target.path.c_str(), &info) != 0) {
    if (errno != ENOENT) return Failure(FileCode::CannotOpen, nativePath, errno);
    return {};
  }
  if (!S_ISREG(info.st_mode)) return Failure(FileCode::NotRegular, nativePath);
  // Root passes access() for read-only files; a file without any write bit is read-only to us.
  if ((info.st_mode & 0222) == 0 || ::access(target.path.c_str(), W_OK) != 0) {
    return Failure(FileCode::ReadOnly, nativePath);
  }
  target.exists = true;
  target.mode = info.st_mode & 07777;
  target.owner = info.st_uid;
  target.group = info.st_gid;
  target.size = info.st_size;
  return {};
}

// Writes `content` to a temporary file beside the target, then renames it over the target.
FileStatus ReplaceAtomically(const Target& target, const std::string& content) {
  const std::string folder = FolderOf(target.path);
  RemoveStaleTemporaryFiles(folder);
  std::string tempPath = folder + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
  FileDescriptor fd(sys::MakeTemp(tempPath.data()));
  if (!fd.valid()) {
    const int error = errno;
    return Failure(
        error == EACCES || error == EROFS ? FileCode::FolderReadOnly : WriteCodeOf(error),
        target.path, error);
  }
  auto failWrite = [&](FileCode code) {
    const int error = errno;
    fd.Close();
    sys::Unlink(tempPath.c_str());
    return Failure(code == FileCode::CannotWrite ? WriteCodeOf(error) : code, target.path, error);
  };
  if (::fchmod(fd.get(), target.mode) != 0) return failWrite(FileCode::CannotWrite);
  if (target.exists && (target.owner != ::geteuid() || target.group != ::getegid())) {
    if (::fchown(fd.get(), target.owner, target.group) != 0) {
      // Only root can hand the file back to its owner; anyone else keeps their own ownership.
    }
  }
  if (!WriteAll(fd.get(), content)) return failWrite(FileCode::CannotWrite);
  if (sys::Flush(fd.get()) != 0) return failWrite(FileCode::CannotWrite);
  if (!fd.Close()) return failWrite(FileCode::CannotWrite);
  if (sys::Rename(tempPath.c_str(), target.path.c_str()) != 0) {
    return failWrite(FileCode::CannotReplace);
  }

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

FileStatus Failure(FileCode code, const std::string& path, int error) {
  return {code, path, error != 0 ? std::strerror(error) : std::string()};
}

FileCode WriteCodeOf(int error) {
  return error == ENOSPC || error == EDQUOT ? FileCode::DiskFull : FileCode::CannotWrite;
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

bool WriteAll(int fd, std::string_view content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t put = sys::Write(fd, content.data() + done, content.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

bool CanWriteAtomically(const std::string& nativePath) {
  Target target;
  if (!PrepareTarget(nativePath, target).ok()) return false;
  return IsWritableFolder(FolderOf(target.path));
}

FileStatus CreateFolders(const std::string& nativePath) {
  if (!IsUsablePath(nativePath)) return Failure(FileCode::CannotCreate, nativePath);
  struct stat info {};
  if (::stat(nativePath.c_str(), &info) == 0) {
    return S_ISDIR(info.st_mode) ? FileStatus{}
                                 : Failure(FileCode::CannotCreate, nativePath, ENOTDIR);
  }
  const std::string parent = FolderOf(nativePath);
  if (parent != nativePath) {
    if (FileStatus made = CreateFolders(parent); !made.ok()) return made;
  }
  if (sys::MakeFolder(nativePath.c_str(), 0700) == 0) return {};
  const int error = errno;
  if (error == EEXIST && ::stat(nativePath.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return {};
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
  if (!IsUsablePath(nativePath)) return Failure(FileCode::CannotOpen, nativePath);
  FileDescriptor fd(sys::Open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid()) return Failure(FileCode::CannotOpen, nativePath, errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Failure(FileCode::CannotOpen, nativePath, errno);
  if (S_ISDIR(info.st_mode)) return Failure(FileCode::CannotOpen, nativePath, EISDIR);
  if (!S_ISREG(info.st_mode)) return Failure(FileCode::CannotRead, nativePath);
  // Grown as bytes arrive, so a large `size` never allocates more than the file holds.
  constexpr std::size_t kChunk = 64 * 1024;
  std::vector<std::uint8_t> buffer;
  while (buffer.size() < size) {
    const std::size_t have = buffer.size();
    buffer.resize(have + std::min(kChunk, size - have));
    const ssize_t got = ReadFully(fd.get(), buffer.data() + have, buffer.size() - have);
    if (got < 0) {
      const int error = errno;
      return Failure(error == EISDIR ? FileCode::CannotOpen : FileCode::CannotRead, nativePath,
                     error);
    }
    buffer.resize(have + static_cast<std::size_t>(got));
    if (buffer.size() < have + std::min(kChunk, size - have)) break;
  }
  if (buffer.size() != size) return Failure(FileCode::CannotRead, nativePath);
  out = std::move(buffer);
  return {};
}

FileStatus ReadWholeFile(const std::string& nativePath, std::string& out, Links links) {
  out.clear();
  if (!IsUsablePath(nativePath)) return Failure(FileCode::CannotOpen, nativePath);
  // The file is examined as opened, so what is read is what was examined. Without blocking, so
  // that a FIFO cannot hold the reader; O_NOFOLLOW refuses a link with ELOOP.
  const int flags =
      O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
  FileDescriptor fd(sys::Open(nativePath.c_str(), flags));
  if (!fd.valid()) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) return Failure(FileCode::Missing, nativePath, error);
    if (error == ELOOP && links == Links::Refuse && IsLink(nativePath)) {
      return Failure(FileCode::SymbolicLink, nativePath);
    }
    return Failure(FileCode::CannotOpen, nativePath, error);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Failure(FileCode::CannotOpen, nativePath, errno);
  if (!S_ISREG(info.st_mode)) return Failure(FileCode::NotRegular, nativePath);
  if ((info.st_mode & 0444) == 0) return Failure(FileCode::CannotOpen, nativePath, EACCES);
  std::string content;
  if (!ReadToEnd(fd.get(), static_cast<std::size_t>(info.st_size), content)) {
    return Failure(FileCode::CannotRead, nativePath, errno);
  }
  if (!fd.Close()) return Failure(FileCode::CannotRead, nativePath, errno);
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
