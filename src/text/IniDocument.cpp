#include "text/IniDocument.h"

#include <cstdint>
#include <limits>

#include "platform/FileIo.h"
#include "platform/PathMap.h"
#include "text/TextScan.h"

namespace wisetup {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kNewLineEnding = "\r\n";

std::string_view TrimBlanks(std::string_view text) {
  return TrimBlanks(text, Blanks::SpaceTab);
}

enum class LineKind { Other, Section, Key };

struct LineInfo {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed, quotes still on
};

LineInfo Classify(std::string_view text) {
  LineInfo info;
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty() || trimmed.front() == ';') return info;
  if (trimmed.front() == '[') {
    std::string_view name = trimmed.substr(1);
    const std::size_t close = name.find(']');
    if (close != std::string_view::npos) name = name.substr(0, close);
    info.kind = LineKind::Section;
    info.name = TrimBlanks(name);
    return info;
  }
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return info;
  info.kind = LineKind::Key;
  info.name = TrimBlanks(trimmed.substr(0, equals));
  info.value = TrimBlanks(trimmed.substr(equals + 1));
  return info;
}

std::string_view StripOuterQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string_view CutAtLineBreak(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  // Such files are read as text like any other; what is written back is 8-bit.
  if (IsUtf16Le(bytes)) return Parse(Utf16LeToUtf8(bytes));
  IniDocument document;
  if (bytes.starts_with(kBom)) {
    document.bom_ = std::string(kBom);
    bytes.remove_prefix(kBom.size());
  }
  Section current;
  bool inSection = false;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    Line line;
    if (end == std::string_view::npos) {
      line.text = std::string(bytes);
      bytes = {};
    } else {
      line.text = std::string(bytes.substr(0, end));
      const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
      const std::size_t endingSize = crlf ? 2 : 1;
      line.ending = std::string(bytes.substr(end, endingSize));
      bytes.remove_prefix(end + endingSize);
    }
    const LineInfo info = Classify(line.text);
    if (info.kind == LineKind::Section) {
      if (inSection) document.AddSection(std::move(current));
      current = Section{};
      current.name = AsciiUpper(info.name);
      current.header = std::move(line);
      inSection = true;
    } else if (inSection) {
      current.body.push_back(std::move(line));
    } else {
      document.preamble_.push_back(std::move(line));
    }
  }
  if (inSection) document.AddSection(std::move(current));
  return document;
}

void IniDocument::IndexKeys(Section& section) {
  section.firstKey.clear();
  section.lastKey.reset();
  for (std::size_t i = 0; i < section.body.size(); ++i) {
    const LineInfo info = Classify(section.body[i].text);
    if (info.kind != LineKind::Key) continue;
    section.firstKey.emplace(AsciiUpper(info.name), i);
    section.lastKey = i;
  }
}

void IniDocument::AddSection(Section section) {
  IndexKeys(section);
  firstSection_.emplace(section.name, sections_.size());
  sections_.push_back(std::move(section));
}

IniDocument::Line* IniDocument::LastLine() {
  if (!sections_.empty()) {
    Section& last = sections_.back();
    return last.body.empty() ? &last.header : &last.body.back();
  }
  return preamble_.empty() ? nullptr : &preamble_.back();
}

IniDocument IniDocument::Load(const std::string& nativePath) {
  std::string content;
  if (!ReadWholeFile(nativePath, content).ok()) return IniDocument();
  return Parse(content);
}

std::vector<std::pair<std::string, std::string>> IniDocument::ReachableKeys() const {
  std::vector<std::pair<std::string, std::string>> keys;
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    const Section& section = sections_[s];
    if (firstSection_.at(section.name) != s) continue;
    const std::string sectionName(Classify(section.header.text).name);
    for (std::size_t i = 0; i < section.body.size(); ++i) {
      const LineInfo info = Classify(section.body[i].text);
      if (info.kind != LineKind::Key || section.firstKey.at(AsciiUpper(info.name)) != i) continue;
      keys.emplace_back(sectionName, std::string(info.name));
    }
  }
  return keys;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto found = firstSection_.find(AsciiUpper(section));
  if (found == firstSection_.end()) return std::nullopt;
  const Section& s = sections_[found->second];
  const auto line = s.firstKey.find(AsciiUpper(key));
  if (line == s.firstKey.end()) return std::nullopt;
  return std::string(StripOuterQuotes(Classify(s.body[line->second].text).value));
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::string IniDocument::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
  auto value = Get(section, key);
  return value ? std::move(*value) : std::string(defaultValue);
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = CutAtLineBreak(section);
  key = CutAtLineBreak(key);
  value = CutAtLineBreak(value);

  const auto found = firstSection_.find(AsciiUpper(section));
  if (found == firstSection_.end()) {
    if (Line* last = LastLine(); last != nullptr && last->ending.empty()) {
      last->ending = kNewLineEnding;
    }
    Section added;
    added.name = AsciiUpper(section);
    added.header = {"[" + std::string(section) + "]", std::string(kNewLineEnding)};
    added.body.push_back(
        {std::string(key) + "=" + std::string(value), std::string(kNewLineEnding)});
    AddSection(std::move(added));
    return;
  }

  Section& s = sections_[found->second];
  const std::string upperKey = AsciiUpper(key);
  if (const auto line = s.firstKey.find(upperKey); line != s.firstKey.end()) {
    Line& target = s.body[line->second];
    target.text = std::string(Classify(target.text).name) + "=" + std::string(value);
    return;
  }
  // After the last key line, before any comments or blank lines that follow it. No key line moves,
  // so the key index stays valid.
  Line& before = s.lastKey ? s.body[*s.lastKey] : s.header;
  if (before.ending.empty()) before.ending = kNewLineEnding;
  const std::size_t at = s.lastKey ? *s.lastKey + 1 : 0;
  s.body.insert(s.body.begin() + static_cast<std::ptrdiff_t>(at),
                Line{std::string(key) + "=" + std::string(value), std::string(kNewLineEnding)});
  s.firstKey.emplace(upperKey, at);
  s.lastKey = at;
}

void IniDocument::DropShadowedKeys(
    const std::function<bool(std::string_view section, std::string_view key)>& wanted) {
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    Section& s = sections_[i];
    const bool repeated = firstSection_.at(s.name) != i;
    std::vector<Line> kept;
    kept.reserve(s.body.size());
    bool dropped = false;
    for (std::size_t j = 0; j < s.body.size(); ++j) {
      const LineInfo info = Classify(s.body[j].text);
      if (info.kind == LineKind::Key) {
        const std::string upperKey = AsciiUpper(info.name);
        const bool shadowed = repeated || s.firstKey.at(upperKey) != j;
        if (shadowed && wanted(s.name, upperKey)) {
          dropped = true;
          continue;
        }
      }
      kept.push_back(std::move(s.body[j]));
    }
    s.body = std::move(kept);
    if (dropped) IndexKeys(s);
  }
}

std::string IniDocument::Serialize() const {
  std::size_t size = bom_.size();
  auto count = [&size](const Line& line) { size += line.text.size() + line.ending.size(); };
  for (const Line& line : preamble_) count(line);
  for (const Section& s : sections_) {
    count(s.header);
    for (const Line& line : s.body) count(line);
  }
  std::string out;
  out.reserve(size);
  out += bom_;
  auto add = [&out](const Line& line) {
    out += line.text;
    out += line.ending;
  };
  for (const Line& line : preamble_) add(line);
  for (const Section& s : sections_) {
    add(s.header);
    for (const Line& line : s.body) add(line);
  }
  return out;
}

FileStatus IniDocument::Save(const std::string& nativePath) const {
  return WriteFileAtomically(nativePath, Serialize());
}

std::string QuoteProfileValue(std::string_view value) {
  const bool trimmed = !value.empty() && (IsBlank(value.front(), Blanks::SpaceTab) ||
                                          IsBlank(value.back(), Blanks::SpaceTab));
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (!trimmed && !quoted) return std::string(value);
  return "\"" + std::string(value) + "\"";
}

std::optional<int> ParseSettingsInt(std::string_view text) {
  return ParseInt(text, {.hex0x = true, .hexDollar = true});
}

std::optional<int> ParseDecimalInt(std::string_view text) {
  return ParseInt(text);
}

}  // namespace wisetup
