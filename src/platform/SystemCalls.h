// The file-system calls that reading and replacing files make pass one seam, so that a test can
// make any one of them fail as a full disk or a failing device would. Without a hook installed each
// call is the plain system call (SystemCallsPosix.h on this system).
#pragma once

#include <functional>

namespace wisetup::sys {

enum class Call {
  Open,
  Read,
  Write,
  Flush,
  Close,
  Rename,
  Unlink,
  MakeFolder,
  RemoveFolder,
  SetMode
};

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

// The errno the installed hook makes `call` fail with, or 0 to make it.
int Injected(Call call);

}  // namespace wisetup::sys
