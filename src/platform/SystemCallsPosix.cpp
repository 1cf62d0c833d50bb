#include "platform/SystemCallsPosix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace wisetup::sys {
namespace {

// What `make` returns, unless the hook fails `call`: then -1 with the hook's errno.
template <typename Make>
auto Unless(Call call, Make make) -> decltype(make()) {
  if (const int error = Injected(call)) {
    errno = error;
    return -1;
  }
  return make();
}

}  // namespace

int Open(const char* path, int flags, mode_t mode) {
  return Unless(Call::Open, [&] { return ::open(path, flags, mode); });
}

int OpenAt(int folder, const char* name, int flags) {
  return Unless(Call::Open, [&] { return ::openat(folder, name, flags); });
}

int MakeTemp(char* pattern) {
  return Unless(Call::Open, [&] { return ::mkostemp(pattern, O_CLOEXEC); });
}

ssize_t Read(int fd, void* data, std::size_t size) {
  return Unless(Call::Read, [&] { return ::read(fd, data, size); });
}

ssize_t Write(int fd, const void* data, std::size_t size) {
  return Unless(Call::Write, [&] { return ::write(fd, data, size); });
}

int Flush(int fd) {
  return Unless(Call::Flush, [&] { return ::fsync(fd); });
}

int FlushFileSystem(int fd) {
  return Unless(Call::Flush, [&] { return ::syncfs(fd); });
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
  return Unless(Call::Rename, [&] { return ::rename(from, to); });
}

int Unlink(const char* path) {
  return Unless(Call::Unlink, [&] { return ::unlink(path); });
}

int MakeFolder(const char* path, mode_t mode) {
  return Unless(Call::MakeFolder, [&] { return ::mkdir(path, mode); });
}

int SetMode(int fd, mode_t mode) {
  return Unless(Call::SetMode, [&] { return ::fchmod(fd, mode); });
}

int RemoveFolder(const char* path) {
  return Unless(Call::RemoveFolder, [&] { return ::rmdir(path); });
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
