// What only a POSIX system has (a FIFO, a socket, symbolic links, a device, child processes), for
// the tests that need it: they include this beside TestSupport.h, live in *PosixTest.cpp files and
// are this system's.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "TestSupport.h"

namespace wisetup::test {

inline bool MakeFifo(const fs::path& path) {
  return ::mkfifo(path.c_str(), 0644) == 0;
}

// A socket bound at `path` (left behind once its descriptor is closed); false when the path is too
// long for one or the bind fails.
inline bool MakeSocket(const fs::path& path) {
  const std::string name = path.string();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return false;
  const int bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::close(fd);
  return bound == 0;
}

// Ends the process at once, without destructors or exit handlers: a kill from the inside.
[[noreturn]] inline void ExitNow(int code) {
  ::_exit(code);
}

// Runs `body` in a child process and waits for it: the child's exit code, or -1 when it could not
// start or did not exit by itself. Returning from `body` exits with 1.
inline int ExitCodeOfChild(const std::function<void()>& body) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    body();
    ::_exit(1);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Another live process: it runs `body`, which hands `hold` one byte to report while it still holds
// what it made; the child then stays until Release() and ends.
class HeldChild {
 public:
  using Hold = std::function<void(char report)>;
  explicit HeldChild(const std::function<void(const Hold& hold)>& body) {
    if (::pipe(ready_) != 0 || ::pipe(done_) != 0) return;
    pid_ = ::fork();
    if (pid_ != 0) return;
    ::close(ready_[0]);  // so that the child sees the end of `done_` when the test gives up
    ::close(done_[1]);
    body([this](char c) {
      if (::write(ready_[1], &c, 1) != 1 || ::read(done_[0], &c, 1) != 1) ::_exit(1);
      ::_exit(0);
    });
    ::_exit(1);
  }
  HeldChild(const HeldChild&) = delete;
  HeldChild& operator=(const HeldChild&) = delete;
  ~HeldChild() {
    for (const int fd : {ready_[0], ready_[1], done_[0], done_[1]}) {
      if (fd >= 0) ::close(fd);
    }
    int status = 0;
    if (pid_ > 0 && !released_) ::waitpid(pid_, &status, 0);
  }

  long Pid() const { return pid_; }
  // The byte the child reported once `body` returned.
  std::optional<char> Report() {
    char c = 0;
    if (pid_ <= 0 || ::read(ready_[0], &c, 1) != 1) return std::nullopt;
    return c;
  }
  // Lets the child end and waits for it.
  bool Release() {
    const char c = 0;
    if (pid_ <= 0 || ::write(done_[1], &c, 1) != 1) return false;
    int status = 0;
    released_ = true;
    return ::waitpid(pid_, &status, 0) == pid_;
  }

 private:
  int ready_[2] = {-1, -1};
  int done_[2] = {-1, -1};
  pid_t pid_ = -1;
  bool released_ = false;
};

// What only this system has standing where a record file is read.
enum class SystemTarget { Fifo, BrokenLink, DeviceLink };

// Lays out `target` at TargetPath(dir) and returns the path to read; empty when no FIFO could be
// made.
inline std::string MakeTarget(SystemTarget target, const fs::path& dir) {
  const fs::path path = TargetPath(dir);
  fs::create_directories(path.parent_path());
  switch (target) {
    case SystemTarget::Fifo:
      if (!MakeFifo(path)) return "";
      break;
    case SystemTarget::BrokenLink:
      fs::create_symlink(dir / "nothing", path);
      break;
    case SystemTarget::DeviceLink:
      fs::create_symlink("/dev/zero", path);
      break;
  }
  return path.string();
}

}  // namespace wisetup::test
