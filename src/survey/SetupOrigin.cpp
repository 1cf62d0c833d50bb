#include "survey/SetupOrigin.h"

#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "platform/PathMap.h"
#include "storage/History.h"
#include "storage/Sha256.h"

namespace wisetup {
namespace {

std::optional<FileIdentity> IdOf(const std::string& path) {
  EntryInfo info = Examine(path, false);
  if (info.kind != EntryKind::File) return std::nullopt;
  return std::move(info.identity);
}

// The entry of `files` that is the file `target` now, if any. A path that names it as text needs no
// look-up; another (the folder reached by another name) is compared by what it leads to.
const HistoryFile* EntryFor(const std::vector<HistoryFile>& files, const std::string& path,
                            const FileIdentity& target) {
  for (const HistoryFile& file : files) {
    if (file.path == path) return &file;
  }
  // Only a file of the same name (in any letter case) can be it: the others cost no look-up.
  const std::string name = BaseName(path);
  for (const HistoryFile& file : files) {
    if (EqualsIgnoreCase(BaseName(file.path), name) &&
        SameIdentity(IdOf(file.path).value_or(FileIdentity{}), target))
      return &file;
  }
  return nullptr;
}

}  // namespace

std::optional<SetupOrigin> SetupOriginOf(const std::string& historyRoot,
                                         const std::string& setupFile) {
  const auto target = IdOf(setupFile);
  if (!target) return std::nullopt;
  std::optional<std::string> currentHash;
  for (const std::string& name : RunFoldersNewestFirst(historyRoot)) {
    const std::string folder = historyRoot + "/" + name;
    const auto files = ReadManifest(folder);
    if (!files) continue;
    const HistoryFile* entry = EntryFor(*files, setupFile, *target);
    if (entry == nullptr) continue;
    // An undone or rolled-back run left the file as it was before: an older run may have made it.
    const RunState state = RunStateOf(folder);
    if (state == RunState::Undone || state == RunState::RolledBack) continue;
    if (!currentHash) {
      std::string content;
      if (!ReadWholeFile(setupFile, content, Links::Refuse).ok()) return std::nullopt;
      currentHash = Sha256Hex(content);
    }
    // The newest run that wrote the file decides: changed since, it has no known origin.
    if (entry->newHash != *currentHash) return std::nullopt;
    RunRecord record = ReadRunRecord(folder);
    if (record.backup.empty()) return std::nullopt;
    return SetupOrigin{std::move(record.backup), RunTimeText(name), folder};
  }
  return std::nullopt;
}

bool MadeFromOtherBackup(const SetupOrigin& origin, const std::string& backup) {
  return !SameBackupFolder(origin.backup, backup);
}

}  // namespace wisetup
