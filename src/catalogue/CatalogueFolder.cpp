#include "catalogue/CatalogueFolder.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/PathMap.h"

namespace wisetup {

std::vector<std::string> ListTemplateEntries(const std::string& nativeFolder) {
  namespace fs = std::filesystem;
  // Each name with its upper-case form, the sort key.
  std::vector<std::pair<std::string, std::string>> entries;
  std::error_code ec;
  fs::directory_iterator it(nativeFolder, ec);
  if (ec) return {};
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (name.size() < 5 || !EqualsIgnoreCase(name.substr(0, 5), "$WTBD")) continue;
    // The type the folder listing reports needs no further look-up; only links are followed.
    std::error_code statError;
    fs::file_status status = it->symlink_status(statError);
    if (!statError && fs::is_symlink(status)) status = fs::status(it->path(), statError);
    if (statError) continue;
    if (!fs::is_regular_file(status) && !fs::is_directory(status)) continue;
    std::string upper = AsciiUpper(name);
    entries.emplace_back(std::move(upper), std::move(name));
  }
  // Names that differ only in letter case (impossible on the file systems catalogues are made on)
  // fall back to byte order, so the listing never depends on the order the folder returns them in.
  std::sort(entries.begin(), entries.end());
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (auto& entry : entries) names.push_back(std::move(entry.second));
  return names;
}

std::string CompanionName(const std::string& templateName) {
  if (templateName.size() < 5) return templateName;
  return templateName.substr(0, 2) + "PLS" + templateName.substr(5);
}

}  // namespace wisetup
