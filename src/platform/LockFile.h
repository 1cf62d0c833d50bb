// An advisory lock per backup folder, so that a window is told when another running window has the
// same backup loaded. The lock files are our own, below $XDG_RUNTIME_DIR/wisetup/ (else
// ${XDG_CACHE_HOME:-$HOME/.cache}/wisetup/), named by a hash of the folder's canonical path and
// holding the holder's process id; nothing is added to the backup. The kernel drops the lock of a
// process that ends, however it ends, so a stale file never warns. The lock only ever warns: where
// none can be had, there is none, and nothing is said.
#pragma once

#include <optional>
#include <string>

#include "platform/BaseDirs.h"

namespace wisetup {

// The folder of the lock files; nothing when no absolute base folder is known.
std::optional<std::string> LockFolder(const EnvironmentLookup& env);

class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock() { Release(); }

  // Releases the lock held before, then takes the one of `folder` in `lockFolder` (created when
  // missing). The process id of another process that holds it, or nothing: taken, or no lock to be
  // had. The lock already held for the same folder, named the same way, is kept as it is.
  std::optional<long> Take(const std::string& lockFolder, const std::string& folder);
  void Release();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  std::string heldFor_;  // the lock folder and the folder as Take was given them
};

}  // namespace wisetup
