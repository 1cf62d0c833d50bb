#include "platform/BaseDirs.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

#include "platform/FileSystem.h"

namespace wisetup {
namespace {

// An entry that exists and is not a folder cannot hold anything of ours; a missing one can be
// created when something is saved.
bool Usable(const std::string& path) {
  if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos) return false;
  const EntryKind kind = EntryKindOf(path, true);
  return kind == EntryKind::Missing || kind == EntryKind::Folder;
}

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::optional<std::string> BaseFolder(const EnvironmentLookup& env, const char* variable,
                                      const char* belowHome) {
  if (const auto value = env(variable); value && Usable(*value)) {
    return WithoutTrailingSeparators(*value);
  }
  const auto home = env("HOME");
  if (!home || home->empty() || home->front() != '/') return std::nullopt;
  const std::string base = WithoutTrailingSeparators(*home);
  return (base == "/" ? "" : base) + belowHome;
}

constexpr std::array<std::string_view, 5> kSystemFolders = {"usr", "bin", "sbin", "opt", "snap"};

}  // namespace

std::optional<std::string> ConfigHome(const EnvironmentLookup& env) {
  return BaseFolder(env, "XDG_CONFIG_HOME", "/.config");
}

std::optional<std::string> DataHome(const EnvironmentLookup& env) {
  return BaseFolder(env, "XDG_DATA_HOME", "/.local/share");
}

std::vector<std::string> DataDirs(const EnvironmentLookup& env) {
  std::vector<std::string> dirs;
  if (const auto value = env("XDG_DATA_DIRS")) {
    const std::string_view list(*value);
    std::size_t at = 0;
    while (at <= list.size()) {
      const std::size_t colon = std::min(list.find(':', at), list.size());
      const std::string entry(list.substr(at, colon - at));
      if (Usable(entry)) dirs.push_back(WithoutTrailingSeparators(entry));
      at = colon + 1;
    }
  }
  if (dirs.empty()) dirs = {"/usr/local/share", "/usr/share"};
  return dirs;
}

bool IsSystemPath(std::string_view path) {
  if (path.empty() || path.front() != '/') return false;
  // The first component decides, once ".." has been taken back.
  std::vector<std::string_view> components;
  std::size_t at = 0;
  while (at < path.size()) {
    const std::size_t slash = std::min(path.find('/', at), path.size());
    const std::string_view part = path.substr(at, slash - at);
    if (part == "..") {
      if (!components.empty()) components.pop_back();
    } else if (!part.empty() && part != ".") {
      components.push_back(part);
    }
    at = slash + 1;
  }
  return !components.empty() && std::find(kSystemFolders.begin(), kSystemFolders.end(),
                                          components.front()) != kSystemFolders.end();
}

bool InSystemFolder(const std::string& executablePath) {
  if (IsSystemPath(executablePath)) return true;
  // weakly_canonical also resolves a path whose last parts do not exist (a pretend executable).
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(executablePath, ec);
  if (ec) return false;
  const std::filesystem::path real = std::filesystem::weakly_canonical(absolute, ec);
  if (ec) return false;
  // Our paths are UTF-8 byte strings, whatever the system's own path type.
  const std::u8string text = real.u8string();
  return IsSystemPath(std::string(text.begin(), text.end()));
}

}  // namespace wisetup
