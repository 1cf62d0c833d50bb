#include "storage/History.h"

#include <algorithm>
#include <cerrno>
#include <sstream>

#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "storage/Sha256.h"

namespace wisetup {
namespace {

constexpr std::string_view kManifestHeader = "wisetup-history 1";

struct Marker {
  RunState state;
  const char* name;
};
// In the order they are looked at: an undo outranks whatever came before it.
constexpr Marker kMarkers[] = {{RunState::Undone, "undone"},
                               {RunState::Declined, "declined"},
                               {RunState::RolledBack, "rolled-back"},
                               {RunState::Done, "done"}};

// Paths may hold any byte but NUL; tabs and line breaks are escaped so that a line stays a file.
std::string Escape(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

bool IsHash(std::string_view text) {
  if (text.size() != 64) return false;
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

std::vector<std::string_view> SplitTabs(std::string_view line, std::size_t fields) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < fields) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) break;
    parts.push_back(line.substr(0, tab));
    line.remove_prefix(tab + 1);
  }
  parts.push_back(line);
  return parts;
}

bool IsFile(const std::string& path) {
  return EntryKindOf(path, false) == EntryKind::File;
}

}  // namespace

std::optional<std::string> HistoryRoot(const EnvironmentLookup& environment) {
  const auto home = DataHome(environment);
  if (!home) return std::nullopt;
  return *home + "/wisetup/history";
}

std::string FormatManifest(const std::vector<HistoryFile>& files) {
  std::string out = std::string(kManifestHeader) + "\n";
  for (const HistoryFile& f : files) {
    out += (f.kept.empty() ? "-" : f.kept) + "\t" + (f.existed ? "existed" : "new") + "\t" +
           (f.oldHash.empty() ? "-" : f.oldHash) + "\t" + (f.newHash.empty() ? "-" : f.newHash) +
           "\t" + Escape(f.path) + "\n";
  }
  return out;
}

std::optional<std::vector<HistoryFile>> ParseManifest(std::string_view text) {
  std::vector<HistoryFile> files;
  bool header = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (!header) {
      if (line != kManifestHeader) return std::nullopt;
      header = true;
      continue;
    }
    const auto parts = SplitTabs(line, 5);
    if (parts.size() != 5) return std::nullopt;
    HistoryFile f;
    if (parts[1] != "existed" && parts[1] != "new") return std::nullopt;
    f.existed = parts[1] == "existed";
    if (parts[0] != "-") f.kept = std::string(parts[0]);
    if (parts[2] != "-") f.oldHash = std::string(parts[2]);
    if (parts[3] != "-") f.newHash = std::string(parts[3]);
    if (f.existed != !f.kept.empty() || f.existed != !f.oldHash.empty()) return std::nullopt;
    if (f.kept.find('/') != std::string::npos || f.kept == "." || f.kept == "..") {
      return std::nullopt;
    }
    if ((!f.oldHash.empty() && !IsHash(f.oldHash)) || (!f.newHash.empty() && !IsHash(f.newHash))) {
      return std::nullopt;
    }
    auto path = Unescape(parts[4]);
    if (!path || path->empty() || path->front() != '/') return std::nullopt;
    f.path = std::move(*path);
    files.push_back(std::move(f));
  }
  if (!header) return std::nullopt;
  return files;
}

std::optional<std::pair<std::string, long>> RunFolderKey(std::string_view name) {
  if (name.size() < 15) return std::nullopt;
  for (std::size_t i = 0; i < 15; ++i) {
    const bool digit = name[i] >= '0' && name[i] <= '9';
    if (i == 8 ? name[i] != '-' : !digit) return std::nullopt;
  }
  const std::string base(name.substr(0, 15));
  if (name.size() == 15) return std::make_pair(base, 1L);
  if (name[15] != '-' || name.size() == 16 || name.size() > 16 + 9) return std::nullopt;
  long suffix = 0;
  for (const char c : name.substr(16)) {
    if (c < '0' || c > '9') return std::nullopt;
    suffix = suffix * 10 + (c - '0');
  }
  if (suffix < 2 || name[16] == '0') return std::nullopt;
  return std::make_pair(base, suffix);
}

namespace {

// A run's folder is a real folder, never a link to one.
bool IsRunFolder(const std::string& folder) {
  return EntryKindOf(folder, false) == EntryKind::Folder;
}

}  // namespace

std::vector<std::string> RunFoldersNewestFirst(const std::string& root) {
  std::vector<std::pair<std::pair<std::string, long>, std::string>> runs;
  for (std::string& name : ListFolder(root)) {
    if (auto key = RunFolderKey(name)) runs.emplace_back(*key, std::move(name));
  }
  std::sort(runs.rbegin(), runs.rend());
  // Only the names: the callers look at the newest few, and a history of years must not cost a
  // look-up per run each time the menu is refreshed.
  std::vector<std::string> names;
  names.reserve(runs.size());
  for (auto& run : runs) names.push_back(std::move(run.second));
  return names;
}

std::optional<std::vector<HistoryFile>> ReadManifest(const std::string& folder) {
  std::string text;
  if (!ReadWholeFile(folder + "/" + kManifestName, text).ok()) return std::nullopt;
  auto files = ParseManifest(text);
  if (!files || files->empty()) return std::nullopt;
  return files;
}

std::optional<HistoryRun> NewestRun(const std::string& root) {
  for (const std::string& name : RunFoldersNewestFirst(root)) {
    const std::string folder = root + "/" + name;
    if (!IsRunFolder(folder) || RunStateOf(folder) == RunState::Undone) continue;
    auto files = ReadManifest(folder);
    if (!files) continue;
    return HistoryRun{folder, std::move(*files), ReadRunRecord(folder)};
  }
  return std::nullopt;
}

std::optional<std::string> NewestRunHolding(const std::string& root, const std::string& name) {
  for (const std::string& run : RunFoldersNewestFirst(root)) {
    const std::string folder = root + "/" + run;
    if (!IsRunFolder(folder)) continue;
    if (IsFile(folder + "/" + name)) return folder;
  }
  return std::nullopt;
}

std::optional<RecordedRun> NewestRecordedRun(const std::string& root) {
  for (const std::string& name : RunFoldersNewestFirst(root)) {
    const std::string folder = root + "/" + name;
    if (!IsRunFolder(folder)) continue;
    // A folder without a manifest is a run that never began replacing.
    if (EntryKindOf(folder + "/" + kManifestName, false) == EntryKind::Missing) continue;
    return RecordedRun{folder, name, ReadManifest(folder)};
  }
  return std::nullopt;
}

RunState RunStateOf(const std::string& runFolder) {
  for (const Marker& marker : kMarkers) {
    if (IsFile(runFolder + "/" + marker.name)) return marker.state;
  }
  return RunState::InProgress;
}

FileStatus MarkRun(const std::string& runFolder, RunState state) {
  for (const Marker& marker : kMarkers) {
    if (marker.state != state) continue;
    const std::string path = runFolder + "/" + marker.name;
    if (state == RunState::Undone || state == RunState::Declined) {
      return WriteFileAtomically(path, "");
    }
    if (!TouchFile(path)) return Failure(FileCode::CannotWrite, path, errno);
    return {};
  }
  return {};
}

std::string RunTimeText(std::string_view name) {
  if (!RunFolderKey(name)) return std::string(name);
  const std::string n(name.substr(0, 15));
  return n.substr(0, 4) + "-" + n.substr(4, 2) + "-" + n.substr(6, 2) + " " + n.substr(9, 2) + ":" +
         n.substr(11, 2) + ":" + n.substr(13, 2);
}

FileNow CurrentContentOf(const HistoryFile& file) {
  if (const EntryInfo info = Examine(file.path, false); info.kind == EntryKind::Missing) {
    if (info.error != ENOENT) return FileNow::Neither;
    if (file.newHash.empty()) return FileNow::New;  // the run removed it
    return file.existed ? FileNow::Neither : FileNow::Old;
  }
  std::string current;
  if (!ReadWholeFile(file.path, current, Links::Refuse).ok()) return FileNow::Neither;
  const std::string hash = Sha256Hex(current);
  if (!file.newHash.empty() && hash == file.newHash) return FileNow::New;
  if (file.existed && hash == file.oldHash) return FileNow::Old;
  return FileNow::Neither;
}

namespace {

constexpr std::string_view kRunRecordHeader = "wisetup-run 1";

// A field of a run record: "NAME\tVALUE", the value escaped as in the manifest.
std::optional<std::string> RecordField(std::string_view& text, std::string_view name) {
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end + 1);
  if (!line.starts_with(name) || line.size() <= name.size() || line[name.size()] != '\t') {
    return std::nullopt;
  }
  return Unescape(line.substr(name.size() + 1));
}

std::optional<HistoryRun> RunAt(const std::string& root, const std::string& name) {
  const std::string folder = root + "/" + name;
  if (!IsRunFolder(folder) || RunStateOf(folder) == RunState::Undone) return std::nullopt;
  auto files = ReadManifest(folder);
  if (!files) return std::nullopt;
  return HistoryRun{folder, std::move(*files), ReadRunRecord(folder)};
}

}  // namespace

std::string FormatRunRecord(const RunRecord& record) {
  return std::string(kRunRecordHeader) + "\nbackup\t" + Escape(record.backup) + "\nsetup\t" +
         Escape(record.setup) + "\nbatch\t" + Escape(record.batch) + "\n";
}

std::optional<RunRecord> ParseRunRecord(std::string_view text) {
  if (!text.starts_with(kRunRecordHeader) || text.size() == kRunRecordHeader.size() ||
      text[kRunRecordHeader.size()] != '\n') {
    return std::nullopt;
  }
  text.remove_prefix(kRunRecordHeader.size() + 1);
  auto backup = RecordField(text, "backup");
  auto setup = RecordField(text, "setup");
  auto batch = RecordField(text, "batch");
  if (!backup || !setup || !batch || !text.empty()) return std::nullopt;
  return RunRecord{std::move(*backup), std::move(*setup), std::move(*batch)};
}

RunRecord ReadRunRecord(const std::string& runFolder) {
  std::string text;
  if (!ReadWholeFile(runFolder + "/" + kRunRecordName, text, Links::Refuse).ok()) return {};
  return ParseRunRecord(text).value_or(RunRecord{});
}

std::vector<HistoryRun> NewestBatch(const std::string& root) {
  std::vector<HistoryRun> batch;
  for (const std::string& name : RunFoldersNewestFirst(root)) {
    // A batch's name begins with the time it began: no older run can belong to it.
    if (!batch.empty() && name.substr(0, 15) < batch.front().record.batch.substr(0, 15)) break;
    auto run = RunAt(root, name);
    if (!run) continue;
    if (batch.empty()) {
      const bool alone = run->record.batch.empty();
      batch.push_back(std::move(*run));
      if (alone) break;
    } else if (run->record.batch == batch.front().record.batch) {
      batch.push_back(std::move(*run));
    }
  }
  return batch;
}

std::optional<HistoryRun> NewestRunOfBackup(const std::string& root, const std::string& backup) {
  for (const std::string& name : RunFoldersNewestFirst(root)) {
    const std::string folder = root + "/" + name;
    if (!IsRunFolder(folder) || RunStateOf(folder) == RunState::Undone) continue;
    // The record is small: it is read before the manifest.
    if (!SameBackupFolder(ReadRunRecord(folder).backup, backup)) continue;
    if (auto run = RunAt(root, name)) return run;
  }
  return std::nullopt;
}

bool SameBackupFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  return a == b || SameFolder(a, b);
}

}  // namespace wisetup
