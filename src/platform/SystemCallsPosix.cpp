#include "platform/SystemCallsPosix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace wisetup::sys {

int Open(const char* path, int flags, mode_t mode) {
  if (const int error = Injected(Call::Open)) {
    errno = error;
    return -1;
  }
  return ::open(path, flags, mode);
}

int MakeTemp(char* pattern) {
  if (const int error = Injected(Call::Open)) {
    errno = error;
    return -1;
  }
  return ::mkostemp(pattern, O_CLOEXEC);
}

ssize_t Read(int fd, void* data, std::size_t size) {
  if (const int error = Injected(Call::Read)) {
    errno = error;
    return -1;
  }
  return ::read(fd, data, size);
}

ssize_t Write(int fd, const void* data, std::size_t size) {
  if (const int error = Injected(Call::Write)) {
    errno = error;
    return -1;
  }
  return ::write(fd, data, size);
}

int Flush(int fd) {
  if (const int error = Injected(Call::Flush)) {
    errno = error;
    return -1;
  }
  return ::fsync(fd);
}

int FlushFileSystem(int fd) {
  if (const int error = Injected(Call::Flush)) {
    errno = error;
    return -1;
  }
  return ::syncfs(fd);
}

int Close(int fd) {
  if (const int error = Injected(Call::Close)) {
    ::close(fd);
    errno = error;
    return -1;
  }
  return ::close(fd);
}

int Rename(const char* from, const char* to) {
  if (const int error = Injected(Call::Rename)) {
    errno = error;
    return -1;
  }
  return ::rename(from, to);
}

int Unlink(const char* path) {
  if (const int error = Injected(Call::Unlink)) {
    errno = error;
    return -1;
  }
  return ::unlink(path);
}

int MakeFolder(const char* path, mode_t mode) {
  if (const int error = Injected(Call::MakeFolder)) {
    errno = error;
    return -1;
  }
  return ::mkdir(path, mode);
}

int SetMode(int fd, mode_t mode) {
  if (const int error = Injected(Call::SetMode)) {
    errno = error;
    return -1;
  }
  return ::fchmod(fd, mode);
}

int RemoveFolder(const char* path) {
  if (const int error = Injected(Call::RemoveFolder)) {
    errno = error;
    return -1;
  }
  return ::rmdir(path);
}

bool WriteAll(int fd, std::string_view content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t put = Write(fd, content.data() + done, content.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace wisetup::sys
