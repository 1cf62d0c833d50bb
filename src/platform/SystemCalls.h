// The file-system calls that reading and replacing files make, behind one seam so that a test can
// make any one of them fail as a full disk or a failing device would. Without a hook installed each
// wrapper is the plain system call.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>

namespace wisetup::sys {

enum class Call { Open, Read, Write, Flush, Close, Rename, Unlink, MakeFolder, RemoveFolder };

// Asked before each call; a non-zero result makes the call fail with that errno instead. A failed
// close still releases the descriptor, as a close that reports a delayed write error does.
using FaultHook = std::function<int(Call)>;

// Installs `hook` for the lifetime of the object (tests only; one at a time).
class ScopedFaultHook {
 public:
  explicit ScopedFaultHook(FaultHook hook);
  ScopedFaultHook(const ScopedFaultHook&) = delete;
  ScopedFaultHook& operator=(const ScopedFaultHook&) = delete;
  ~ScopedFaultHook();
};

int Open(const char* path, int flags, mode_t mode = 0);
int MakeTemp(char* pattern);  // mkstemp, counted as an open
ssize_t Read(int fd, void* data, std::size_t size);
ssize_t Write(int fd, const void* data, std::size_t size);
int Flush(int fd);  // fsync
// syncfs: every file written on the file system of `fd` is on disk; counted as a flush.
int FlushFileSystem(int fd);
int Close(int fd);
int Rename(const char* from, const char* to);
int Unlink(const char* path);
int MakeFolder(const char* path, mode_t mode);
int RemoveFolder(const char* path);

}  // namespace wisetup::sys
