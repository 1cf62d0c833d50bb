#include "catalogue/CatalogueFolder.h"

#include <algorithm>
#include <filesystem>

#include "platform/PathMap.h"

namespace wisetup {

std::vector<std::string> ListTemplateEntries(const std::string& nativeFolder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(nativeFolder, ec);
  if (ec) return names;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (name.size() < 5 || !EqualsIgnoreCase(name.substr(0, 5), "$WTBD")) continue;
    std::error_code statError;
    const fs::file_status status = fs::status(it->path(), statError);
    if (statError) continue;
    if (!fs::is_regular_file(status) && !fs::is_directory(status)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return AsciiUpper(a) < AsciiUpper(b);
  });
  return names;
}

std::string CompanionName(const std::string& templateName) {
  if (templateName.size() < 5) return templateName;
  return templateName.substr(0, 2) + "PLS" + templateName.substr(5);
}

}  // namespace wisetup
