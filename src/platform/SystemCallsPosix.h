// This system's file-system calls behind the fault seam of SystemCalls.h: each wrapper asks the
// installed hook first. Only the POSIX files of platform/ include this.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string_view>

#include "platform/SystemCalls.h"

namespace wisetup::sys {

int Open(const char* path, int flags, mode_t mode = 0);
int OpenAt(int folder, const char* name, int flags);  // counted as an open
int MakeTemp(char* pattern);                          // mkostemp, counted as an open
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
int SetMode(int fd, mode_t mode);  // fchmod

// Writes all of `content` to `fd`, going on after interrupted writes. errno set on failure.
bool WriteAll(int fd, std::string_view content);

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

}  // namespace wisetup::sys
