#include "backup/ConfigList.h"

#include "text/TextScan.h"

namespace wisetup {
std::vector<std::string> SplitConfigList(std::string_view value) {
  std::vector<std::string> items;
  std::size_t p = 0;
  const std::size_t n = value.size();
  auto skipBlanks = [&] {
    while (p < n && IsBlank(value[p], Blanks::ControlOrSpace)) ++p;
  };
  skipBlanks();
  while (p < n) {
    std::string item;
    if (value[p] == '"') {
      ++p;
      while (p < n) {
        if (value[p] == '"') {
          if (p + 1 < n && value[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += value[p++];
      }
    } else {
      const std::size_t start = p;
      while (p < n && !IsBlank(value[p], Blanks::ControlOrSpace) && value[p] != ',') ++p;
      item.assign(value.substr(start, p - start));
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (p < n && value[p] == ',') {
      ++p;
      skipBlanks();
    }
  }
  return items;
}

}  // namespace wisetup
