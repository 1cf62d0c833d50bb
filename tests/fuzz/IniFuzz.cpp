// Feeds arbitrary bytes to the profile document: parsing, lookup, setting and writing back must
// never crash, set values must read back, and keys that were not set must keep their values.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "platform/PathMap.h"
#include "text/IniDocument.h"
#include "text/TextScan.h"

namespace {

using wisetup::EqualsIgnoreCase;
using wisetup::IniDocument;
using wisetup::IsUtf16Le;
using wisetup::Utf16LeToUtf8;
using wisetup::fuzz::Trim;

// An independent scan for the name of the first section and the key names written under it, so
// that the check covers keys the fixed probes would never hit.
void FirstSectionKeys(std::string_view bytes, std::string& section,
                      std::vector<std::string>& keys) {
  bool inFirst = false;
  while (!bytes.empty() && keys.size() < 8) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = Trim(bytes.substr(0, end));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (inFirst) break;
      inFirst = true;
      section = std::string(Trim(line.substr(1, line.find(']') - 1)));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inFirst && equals != std::string_view::npos) {
      keys.emplace_back(Trim(line.substr(0, equals)));
    }
  }
}

// A value that reads back exactly: no line break, no blanks at its ends, no outer quote pair.
std::string WritableValue(std::string_view raw) {
  std::string value;
  for (const char c : raw) {
    if (c != '\r' && c != '\n') value += c;
  }
  value = std::string(Trim(value));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value += 'v';
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // A UTF-16LE file is read as its text, and that text is what is kept byte for byte.
  const std::string decoded = IsUtf16Le(input) ? Utf16LeToUtf8(input) : std::string();
  const std::string_view bytes = IsUtf16Le(input) ? std::string_view(decoded) : input;
  IniDocument document = IniDocument::Parse(input);
  if (document.Serialize() != bytes) std::abort();

  std::vector<std::pair<std::string, std::string>> probes = {{"Settings", "Top"},
                                                             {"settings", "LANGUAGE"},
                                                             {"Folder", "UPDATE"},
                                                             {"FOLDER", "backup"},
                                                             {"S", "k"},
                                                             {"", ""},
                                                             {"New Section", "Key"}};
  std::string firstSection;
  std::vector<std::string> firstKeys;
  FirstSectionKeys(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes, firstSection,
                   firstKeys);
  for (const std::string& key : firstKeys) probes.emplace_back(firstSection, key);

  std::vector<std::optional<std::string>> before;
  for (const auto& [section, key] : probes) before.push_back(document.Get(section, key));

  // The first bytes choose which probes are set; the rest of the input gives the values.
  const std::size_t setCount = size == 0 ? 1 : 1 + data[0] % 4;
  std::vector<std::size_t> setIndex;
  for (std::size_t i = 0; i < setCount; ++i) {
    const std::size_t choice = size > i + 1 ? data[i + 1] : i;
    setIndex.push_back(choice % probes.size());
  }
  const std::string_view rest = bytes.substr(std::min<std::size_t>(bytes.size(), 5));
  std::vector<std::string> values;
  for (std::size_t i = 0; i < setIndex.size(); ++i) {
    const std::size_t from = rest.empty() ? 0 : (i * 7919) % rest.size();
    values.push_back(WritableValue(rest.substr(from, 40)));
    document.Set(probes[setIndex[i]].first, probes[setIndex[i]].second, values.back());
  }

  const std::string written = document.Serialize();
  const IniDocument reread = IniDocument::Parse(written);
  if (reread.Serialize() != written) std::abort();

  for (std::size_t p = 0; p < probes.size(); ++p) {
    std::optional<std::string> expected = before[p];
    for (std::size_t i = 0; i < setIndex.size(); ++i) {
      // Names match ignoring case, so a probe is set by any set of an equal pair.
      const auto& set = probes[setIndex[i]];
      if (EqualsIgnoreCase(set.first, probes[p].first) &&
          EqualsIgnoreCase(set.second, probes[p].second)) {
        expected = values[i];
      }
    }
    if (reread.Get(probes[p].first, probes[p].second) != expected) std::abort();
  }
  return 0;
}
