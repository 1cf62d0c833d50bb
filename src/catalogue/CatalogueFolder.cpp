#include "catalogue/CatalogueFolder.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
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

std::string CompanionName(const std::string& templateName) {
  if (templateName.size() < 5) return templateName;
  std::string name = templateName;
  constexpr std::string_view kLetters = "PLS";
  for (std::size_t i = 0; i < kLetters.size(); ++i) {
    char& c = name[i + 2];
    const bool lower = c >= 'a' && c <= 'z';
    c = lower ? static_cast<char>(kLetters[i] - 'A' + 'a') : kLetters[i];
  }
  return name;
}

CompanionIndex::CompanionIndex(const std::vector<std::string>& names) {
  for (const std::string& name : names) Add(name);
}

void CompanionIndex::Add(const std::string& name) {
  if (!exact_.insert(name).second) return;
  auto [it, fresh] = folded_.try_emplace(AsciiUpper(name), Folded{name, false});
  if (!fresh) it->second.several = true;
}

std::optional<std::string> CompanionIndex::Find(const std::string& templateName) const {
  std::string wanted = CompanionName(templateName);
  if (exact_.contains(wanted)) return wanted;
  const auto it = folded_.find(AsciiUpper(wanted));
  if (it == folded_.end() || it->second.several) return std::nullopt;
  return it->second.name;
}

CatalogueListing ListCatalogueFolder(const std::string& nativeFolder) {
  namespace fs = std::filesystem;
  CatalogueListing listing;
  // Each template name with its upper-case form, the sort key.
  std::vector<std::pair<std::string, std::string>> entries;
  std::error_code ec;
  fs::directory_iterator it(nativeFolder, ec);
  if (ec) return listing;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (name.size() < 5) continue;
    std::string upper = AsciiUpper(name);
    if (upper.starts_with("$WPLS")) {
      listing.companions.Add(name);
      continue;
    }
    if (!upper.starts_with("$WTBD")) continue;
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
    entries.emplace_back(std::move(upper), std::move(name));
  }
  // Names that differ only in letter case (impossible on the file systems catalogues are made on)
  // fall back to byte order, so the listing never depends on the order the folder returns them in.
  std::sort(entries.begin(), entries.end());
  listing.templates.reserve(entries.size());
  for (auto& entry : entries) listing.templates.push_back(std::move(entry.second));
  return listing;
}

std::vector<std::string> ListTemplateEntries(const std::string& nativeFolder) {
  return ListCatalogueFolder(nativeFolder).templates;
}

}  // namespace wisetup
