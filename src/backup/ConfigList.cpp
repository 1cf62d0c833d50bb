#include "backup/ConfigList.h"

#include "text/IniDocument.h"
#include "text/TextScan.h"

namespace wisetup {
namespace {

// The first `limit` items of a list, converted; false with the item when one is no integer.
bool ConvertItems(const std::string& value, std::size_t limit, std::vector<int>& numbers,
                  std::string& badItem) {
  for (const std::string& item : SplitConfigList(value)) {
    if (numbers.size() == limit) break;
    const auto number = ParseDecimalInt(item);
    if (!number) {
      badItem = item;
      return false;
    }
    numbers.push_back(*number);
  }
  return true;
}

}  // namespace

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

ArcWelderConfigRead ParseArcWelderConfig(std::string_view text) {
  const IniDocument doc = IniDocument::Parse(text);
  ArcWelderConfigRead read;
  if (!doc.Get("ARC_WELDER", "A_KIND")) {
    read.noKind = true;
    return read;
  }
  ArcWelderConfig config;
  if (!ConvertItems(doc.GetString("ARC_WELDER", "A_KIND", "0, 0, 0, 0"), kWelders, config.kinds,
                    read.badItem)) {
    read.where = "[ARC_WELDER] A_KIND";
    return read;
  }
  for (int w = 0; w < kWelders; ++w) {
    const std::string section = "WELD_PROPERTY" + std::to_string(w + 1);
    if (!ConvertItems(doc.GetString(section, "A_WTBD", "-1, -1, -1, -1, -1, -1, -1, -1, -1, -1"),
                      kRegistrations, config.tables[static_cast<std::size_t>(w)], read.badItem)) {
      read.where = "[" + section + "] A_WTBD";
      return read;
    }
  }
  read.config = std::move(config);
  return read;
}

}  // namespace wisetup
