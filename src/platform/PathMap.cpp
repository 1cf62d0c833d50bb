#include "platform/PathMap.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace wisetup {

namespace {

char AsciiUpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// A byte string holding NUL would name a different file once handed to the system.
bool HasNul(std::string_view text) {
  return text.find('\0') != std::string_view::npos;
}

bool EntryExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::string> FindIgnoringCase(const std::string& folder, std::string_view name) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view entryName(entry->d_name);
    if (!EqualsIgnoreCase(entryName, name)) continue;
    if (!best || entryName < *best) best = std::string(entryName);
  }
  ::closedir(dir);
  return best;
}

std::string Join(const std::string& folder, std::string_view name) {
  std::string out = folder;
  if (!out.empty() && out.back() != '/') out += '/';
  out += name;
  return out;
}

bool StatMapped(std::string_view toolPath, struct stat& info) {
  if (toolPath.empty()) return false;
  const std::string mapped = MapPath(toolPath);
  if (mapped.empty() || HasNul(mapped)) return false;
  return ::stat(mapped.c_str(), &info) == 0;
}

}  // namespace

std::string MapPath(std::string_view toolPath) {
  std::string slashed(toolPath);
  std::replace(slashed.begin(), slashed.end(), '\\', '/');

  std::vector<std::string_view> components;
  const std::string_view view(slashed);
  std::size_t pos = 0;
  while (pos < view.size()) {
    const std::size_t next = std::min(view.find('/', pos), view.size());
    if (next > pos) components.push_back(view.substr(pos, next - pos));
    pos = next + 1;
  }

  const bool absolute = !view.empty() && view.front() == '/';
  std::string current = absolute ? "/" : "";
  if (components.empty()) return current;

  // Most paths exist exactly as written: one lookup instead of one per component.
  std::string whole = current;
  for (const std::string_view component : components) whole = Join(whole, component);
  if (!HasNul(whole) && EntryExists(whole)) {
    if (view.back() == '/') whole += '/';
    return whole;
  }

  bool matching = true;
  for (const std::string_view component : components) {
    std::string candidate = Join(current, component);
    if (matching && (HasNul(component) || !EntryExists(candidate))) {
      const auto found = HasNul(component)
                             ? std::nullopt
                             : FindIgnoringCase(current.empty() ? "." : current, component);
      if (found) {
        candidate = Join(current, *found);
      } else {
        matching = false;
      }
    }
    current = std::move(candidate);
  }
  if (view.back() == '/') current += '/';
  return current;
}

std::string NormalizePath(std::string_view toolPath) {
  std::string out(toolPath.size(), '\0');
  std::size_t n = 0;
  bool afterSeparator = false;
  for (const char c : toolPath) {
    const bool separator = c == '/' || c == '\\';
    if (separator && afterSeparator) continue;
    out[n++] = separator ? '/' : c;
    afterSeparator = separator;
  }
  out.resize(n);
  return out;
}

std::string ShownPath(std::string_view toolPath) {
  return MapPath(toolPath);
}

bool FileExists(std::string_view toolPath) {
  struct stat info {};
  return StatMapped(toolPath, info) && S_ISREG(info.st_mode);
}

bool FolderExists(std::string_view toolPath) {
  struct stat info {};
  return StatMapped(toolPath, info) && S_ISDIR(info.st_mode);
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpperChar(c);
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpperChar(a[i]) != AsciiUpperChar(b[i])) return false;
  }
  return true;
}

}  // namespace wisetup
