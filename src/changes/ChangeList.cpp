#include "changes/ChangeList.h"

#include <algorithm>

#include "text/IniDocument.h"
#include "text/TextScan.h"

namespace wisetup {
namespace {

std::size_t RecordSize(TableForm form) {
  return form == TableForm::Long ? RobotWeldTable::kLongSize : RobotWeldTable::kShortSize;
}

bool ByteChanged(const std::string& oldContent, const std::string& newContent, std::size_t at) {
  if (at >= newContent.size()) return false;  // nothing written there
  return at >= oldContent.size() || oldContent[at] != newContent[at];
}

std::uint16_t WordAt(const std::string& content, std::size_t at) {
  const auto byte = [&content](std::size_t i) -> unsigned {
    return i < content.size() ? static_cast<unsigned char>(content[i]) : 0u;
  };
  return static_cast<std::uint16_t>(byte(at) | (byte(at + 1) << 8));
}

}  // namespace

std::size_t ChangeList::ChangedCount() const {
  return static_cast<std::size_t>(
      std::count_if(files.begin(), files.end(),
                    [](const FileChange& f) { return f.state != FileState::Unchanged; }));
}

std::vector<RecordChange> CompareRecords(TableForm form, const std::string& oldContent,
                                         const std::string& newContent) {
  const std::size_t size = RecordSize(form);
  const auto fields = RobotWeldTable::NamedFields(form);
  std::vector<RecordChange> changes;
  auto field = fields.begin();
  std::size_t at = 0;
  while (at < size) {
    if (field != fields.end() && field->offset == at) {
      if (ByteChanged(oldContent, newContent, at) || ByteChanged(oldContent, newContent, at + 1)) {
        changes.push_back({field->name, at, 2, WordAt(oldContent, at), WordAt(newContent, at)});
      }
      at += 2;
      ++field;
      continue;
    }
    if (!ByteChanged(oldContent, newContent, at)) {
      ++at;
      continue;
    }
    // A run ends at the first unchanged byte or where a named word begins.
    const std::size_t limit = field != fields.end() ? field->offset : size;
    std::size_t end = at;
    while (end < limit && ByteChanged(oldContent, newContent, end)) ++end;
    changes.push_back({{}, at, end - at, 0, 0});
    at = end;
  }
  return changes;
}

std::vector<KeyChange> CompareSetupFiles(const std::string& oldContent,
                                         const std::string& newContent) {
  const IniDocument before = IniDocument::Parse(oldContent);
  const IniDocument after = IniDocument::Parse(newContent);
  std::vector<KeyChange> changes;
  for (const auto& [section, key] : after.ReachableKeys()) {
    const std::string now = after.Get(section, key).value_or("");
    const std::optional<std::string> was = before.Get(section, key);
    if (was && *was == now) continue;
    changes.push_back({section + "/" + key, was.value_or(""), now});
  }
  return changes;
}

std::vector<SectionKeys> SetupFileKeys(const std::string& content) {
  const IniDocument document = IniDocument::Parse(content);
  std::vector<SectionKeys> sections;
  for (const auto& [section, key] : document.ReachableKeys()) {
    if (sections.empty() || sections.back().section != section) sections.push_back({section, {}});
    sections.back().keys.emplace_back(key, document.Get(section, key).value_or(""));
  }
  return sections;
}

ChangeList ComputeChangeList(const std::vector<ComposedFile>& composed) {
  ChangeList list;
  for (const ComposedFile& file : composed) {
    FileChange change;
    change.path = file.path;
    change.kind = file.kind;
    if (file.kind == ComposedKind::SetupFile) {
      if (!file.existed) {
        change.state = FileState::New;
        change.written = SetupFileKeys(file.newContent);
      } else if (file.oldContent != file.newContent) {
        change.state = FileState::Changed;
        change.keys = CompareSetupFiles(file.oldContent, file.newContent);
      }
    } else {
      change.record = CompareRecords(file.form, file.oldContent, file.newContent);
      const std::size_t size = RecordSize(file.form);
      const bool differs = file.oldContent.substr(0, size) != file.newContent.substr(0, size);
      if (!file.existed) {
        change.state = FileState::New;
      } else if (differs || !change.record.empty()) {
        change.state = FileState::Changed;
      }
    }
    list.files.push_back(std::move(change));
  }
  return list;
}

std::vector<std::string> PreviewLines(const ChangeList& list) {
  static const char* const kStates[] = {"new", "changed", "unchanged"};
  std::vector<std::string> lines;
  for (const FileChange& file : list.files) {
    lines.push_back("preview file=" + QuoteC(file.path) + " " +
                    kStates[static_cast<int>(file.state)]);
    for (const KeyChange& key : file.keys) {
      lines.push_back("preview key=" + QuoteC(key.key) + " old=" + QuoteC(key.oldValue) +
                      " new=" + QuoteC(key.newValue));
    }
    for (const RecordChange& change : file.record) {
      if (change.field.empty()) {
        lines.push_back("preview bytes offset=" + std::to_string(change.offset) +
                        " length=" + std::to_string(change.length));
      } else {
        lines.push_back("preview field=" + QuoteC(change.field) +
                        " old=" + std::to_string(change.oldValue) +
                        " new=" + std::to_string(change.newValue));
      }
    }
  }
  lines.push_back("preview end files=" + std::to_string(list.files.size()) +
                  " changed=" + std::to_string(list.ChangedCount()));
  return lines;
}

}  // namespace wisetup
