// This system's whole-file and prefix readers of FileIo.h.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/FileIo.h"
#include "platform/SystemCallsPosix.h"

namespace wisetup {
namespace {

using sys::FileDescriptor;

bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
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

bool IsLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
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

}  // namespace

FileCode WriteCodeOf(int error) {
  return error == ENOSPC || error == EDQUOT ? FileCode::DiskFull : FileCode::CannotWrite;
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

namespace {

// Examines the file as opened, so that what is read is what was examined.
FileStatus ReadOpenedFile(FileDescriptor& fd, const std::string& nativePath, std::string& out) {
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Failure(FileCode::CannotOpen, nativePath, errno);
  if (!S_ISREG(info.st_mode)) return Failure(FileCode::NotRegular, nativePath);
  if ((info.st_mode & 0444) == 0) return Failure(FileCode::CannotOpen, nativePath, EACCES);
  // Read into `out` itself, so that a caller reading file after file keeps its room.
  const bool read = ReadToEnd(fd.get(), static_cast<std::size_t>(info.st_size), out);
  if (read && fd.Close()) return {};
  const int error = errno;
  out.clear();
  return Failure(FileCode::CannotRead, nativePath, error);
}

// Without blocking, so that a FIFO cannot hold the reader; O_NOFOLLOW refuses a link with ELOOP.
int ReadFlags(Links links) {
  return O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
}

FileStatus OpenFailure(const std::string& nativePath, Links links) {
  const int error = errno;
  if (error == ENOENT || error == ENOTDIR) return Failure(FileCode::Missing, nativePath, error);
  if (error == ELOOP && links == Links::Refuse && IsLink(nativePath)) {
    return Failure(FileCode::SymbolicLink, nativePath);
  }
  return Failure(FileCode::CannotOpen, nativePath, error);
}

}  // namespace

FileStatus ReadWholeFile(const std::string& nativePath, std::string& out, Links links) {
  out.clear();
  if (!IsUsablePath(nativePath)) return Failure(FileCode::CannotOpen, nativePath);
  FileDescriptor fd(sys::Open(nativePath.c_str(), ReadFlags(links)));
  if (!fd.valid()) return OpenFailure(nativePath, links);
  return ReadOpenedFile(fd, nativePath, out);
}

FolderReader::FolderReader(std::string nativeFolder) : folder_(std::move(nativeFolder)) {
  if (IsUsablePath(folder_)) {
    handle_ = sys::Open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }
}

FolderReader::~FolderReader() {
  if (handle_ >= 0) sys::Close(handle_);
}

FileStatus FolderReader::ReadWholeFile(const std::string& name, std::string& out,
                                       Links links) const {
  // The full path is made only to be named or to fall back on: a load reads many tables.
  auto path = [&] { return folder_ == "/" ? "/" + name : folder_ + "/" + name; };
  if (handle_ < 0) return wisetup::ReadWholeFile(path(), out, links);
  out.clear();
  if (name.empty() || name.find('/') != std::string::npos || !IsUsablePath(name)) {
    return Failure(FileCode::CannotOpen, path());
  }
  FileDescriptor fd(sys::OpenAt(handle_, name.c_str(), ReadFlags(links)));
  if (!fd.valid()) {
    const int error = errno;
    const std::string named = path();
    errno = error;
    return OpenFailure(named, links);
  }
  FileStatus status = ReadOpenedFile(fd, {}, out);
  if (!status.ok()) status.path = path();
  return status;
}

}  // namespace wisetup
