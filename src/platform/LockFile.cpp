#include "platform/LockFile.h"

#include "platform/FileSystem.h"

namespace wisetup {
namespace {

bool IsAbsolute(const std::optional<std::string>& value) {
  return value && !value->empty() && value->front() == '/' &&
         value->find('\0') == std::string::npos;
}

bool IsFolder(const std::string& path) {
  return EntryKindOf(path, true) == EntryKind::Folder;
}

}  // namespace

std::optional<std::string> LockFolder(const EnvironmentLookup& env) {
  auto below = [](std::string base, const char* name) {
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return (base == "/" ? "" : base) + name;
  };
  if (const auto runtime = env("XDG_RUNTIME_DIR"); IsAbsolute(runtime) && IsFolder(*runtime)) {
    return below(*runtime, "/wisetup");
  }
  if (const auto cache = env("XDG_CACHE_HOME"); IsAbsolute(cache)) {
    return below(*cache, "/wisetup");
  }
  if (const auto home = env("HOME"); IsAbsolute(home)) return below(*home, "/.cache/wisetup");
  return std::nullopt;
}

}  // namespace wisetup
