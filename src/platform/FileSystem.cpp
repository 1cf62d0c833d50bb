#include "platform/FileSystem.h"

namespace wisetup {

bool SameIdentity(const FileIdentity& a, const FileIdentity& b) {
  if (a.number != 0 && b.number != 0) return a.device == b.device && a.number == b.number;
  return !a.canonical.empty() && a.canonical == b.canonical;
}

}  // namespace wisetup
