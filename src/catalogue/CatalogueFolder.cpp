#include "catalogue/CatalogueFolder.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/PathMap.h"

namespace wisetup {

std::vector<std::string> CatalogueSearchFolders(const std::string& executablePath,
                                                const EnvironmentLookup& env) {
  const auto slash = executablePath.find_last_of("/\\");
  const std::string folder =
      slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
  std::vector<std::string> places{MapPath(folder, "WeldingMode")};
  if (const auto home = DataHome(env)) places.push_back(*home + "/wisetup/WeldingMode");
  for (const std::string& dir : DataDirs(env)) places.push_back(dir + "/wisetup/WeldingMode");
  return places;
}

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
    std::error_code typeError;
    bool usable = false;
    if (it->is_symlink(typeError)) {
      const fs::file_status target = fs::status(it->path(), typeError);
      usable = !typeError && (fs::is_regular_file(target) || fs::is_directory(target));
    } else if (!typeError) {
      usable = it->is_regular_file(typeError) || it->is_directory(typeError);
    }
    if (!usable) continue;
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
