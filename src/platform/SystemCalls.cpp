#include "platform/SystemCalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace wisetup::sys {
namespace {

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

// The errno to fail `call` with, or 0 to make it.
int Injected(Call call) {
  const FaultHook& hook = Hook();
  return hook ? hook(call) : 0;
}

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

ScopedFaultHook::ScopedFaultHook(FaultHook hook) {
  Hook() = std::move(hook);
}

ScopedFaultHook::~ScopedFaultHook() {
  Hook() = nullptr;
}

int Open(const char* path, int flags, mode_t mode) {
  return Unless(Call::Open, [&] { return ::open(path, flags, mode); });
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

int RemoveFolder(const char* path) {
  return Unless(Call::RemoveFolder, [&] { return ::rmdir(path); });
}

}  // namespace wisetup::sys
