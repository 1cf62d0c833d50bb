#include "platform/PathMap.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/FileSystem.h"

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
  return EntryKindOf(path, false) != EntryKind::Missing;
}

std::optional<std::string> FindIgnoringCase(const std::string& folder, std::string_view name) {
  std::optional<std::string> best;
  for (std::string& entryName : ListFolder(folder)) {
    if (!EqualsIgnoreCase(entryName, name)) continue;
    if (!best || entryName < *best) best = std::move(entryName);
  }
  return best;
}

std::string Join(const std::string& folder, std::string_view name) {
  std::string out = folder;
  if (!out.empty() && out.back() != '/') out += '/';
  out += name;
  return out;
}

EntryKind KindOf(std::string_view nativePath) {
  if (nativePath.empty() || HasNul(nativePath)) return EntryKind::Missing;
  return EntryKindOf(std::string(nativePath), true);
}

std::vector<std::string_view> Components(std::string_view slashed) {
  std::vector<std::string_view> components;
  std::size_t pos = 0;
  while (pos < slashed.size()) {
    const std::size_t next = std::min(slashed.find('/', pos), slashed.size());
    if (next > pos) components.push_back(slashed.substr(pos, next - pos));
    pos = next + 1;
  }
  return components;
}

// `current` followed by `components`, each matched ignoring case when it does not exist as
// written; from the first that matches nothing on, as written.
std::string MapUnder(std::string current, const std::vector<std::string_view>& components,
                     bool trailingSeparator) {
  if (components.empty()) return current;
  // Most paths exist exactly as written: one lookup instead of one per component.
  std::string whole = current;
  for (const std::string_view component : components) whole = Join(whole, component);
  if (!HasNul(whole) && EntryExists(whole)) {
    if (trailingSeparator) whole += '/';
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
  if (trailingSeparator) current += '/';
  return current;
}

std::string Slashed(std::string_view toolPath) {
  std::string slashed(toolPath);
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  return slashed;
}

}  // namespace

std::string MapPath(std::string_view toolPath) {
  const std::string slashed = Slashed(toolPath);
  const bool absolute = !slashed.empty() && slashed.front() == '/';
  const std::string root = absolute ? "/" : "";
  const auto components = Components(slashed);
  if (components.empty()) return root;
  return MapUnder(root, components, slashed.back() == '/');
}

std::string MapPath(std::string_view nativeFolder, std::string_view toolLiteral) {
  if (nativeFolder.empty()) return MapPath(toolLiteral);
  const std::string slashed = Slashed(toolLiteral);
  return MapUnder(std::string(nativeFolder), Components(slashed),
                  !slashed.empty() && slashed.back() == '/');
}

std::string MapName(const std::string& nativeFolder, std::string_view name) {
  const std::string exact = Join(nativeFolder, name);
  if (name.empty() || HasNul(name) || EntryExists(exact)) return std::string(name);
  const auto found = FindIgnoringCase(nativeFolder.empty() ? "." : nativeFolder, name);
  return found ? *found : std::string(name);
}

std::string NameOnDisk(const std::string& nativePath) {
  const std::size_t slash = nativePath.rfind('/');
  if (slash == std::string::npos || slash + 1 == nativePath.size()) return nativePath;
  const std::string folder = slash == 0 ? "/" : nativePath.substr(0, slash);
  const std::string_view name = std::string_view(nativePath).substr(slash + 1);
  std::optional<std::string> other;
  for (std::string& entry : ListFolder(folder)) {
    if (entry == name) return nativePath;
    if (!other && EqualsIgnoreCase(entry, name)) other = std::move(entry);
  }
  return other ? nativePath.substr(0, slash + 1) + *other : nativePath;
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

bool FileExists(std::string_view nativePath) {
  return KindOf(nativePath) == EntryKind::File;
}

bool FolderExists(std::string_view nativePath) {
  return KindOf(nativePath) == EntryKind::Folder;
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
