#include <algorithm>

#include "app/ChangeTexts.h"
#include "app/CreateFilesTexts.h"
#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "backup/TableFiles.h"
#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "platform/PathMap.h"
#include "storage/FileTransaction.h"
#include "storage/History.h"
#include "storage/Sha256.h"

namespace wisetup {
namespace {

// The files of a run by what they hold now. Only files that hold what the run wrote are put back; a
// file back at its old content counts as put back; one that holds neither belongs to someone
// else's later work and is left alone.
struct RunFiles {
  std::vector<const HistoryFile*> fresh;
  std::size_t old = 0;
  std::vector<std::string> changed;
};

RunFiles Classify(const std::vector<HistoryFile>& files) {
  RunFiles out;
  for (const HistoryFile& file : files) {
    switch (CurrentContentOf(file)) {
      case FileNow::New:
        out.fresh.push_back(&file);
        break;
      case FileNow::Old:
        ++out.old;
        break;
      case FileNow::Neither:
        out.changed.push_back(file.path);
        break;
    }
  }
  return out;
}

// Adds the putting back of every fresh file to `files`; a kept copy that is missing or not what the
// manifest recorded is an issue of the transaction.
void AddRestores(FileTransaction& files, const std::string& runFolder, const RunFiles& run) {
  for (const HistoryFile* file : run.fresh) {
    const auto entry = files.Add(file->path, false);
    if (!entry) continue;
    if (!file->existed) {
      files.SetRemoved(*entry);
      continue;
    }
    const std::string keptPath = runFolder + "/" + file->kept;
    std::string kept;
    if (FileStatus read = ReadWholeFile(keptPath, kept, Links::Refuse); !read.ok()) {
      files.AddIssue(std::move(read));
    } else if (Sha256Hex(kept) != file->oldHash) {
      files.AddIssue(Failure(FileCode::CannotRead, keptPath));
    } else {
      files.SetContent(*entry, std::move(kept));
    }
  }
}

std::string PathLines(const std::vector<std::string>& paths) {
  std::string out;
  for (const std::string& path : paths) out += "\n" + path;
  return out;
}

// The folders of a run's files, each once, in the order of the manifest.
std::vector<std::string> FoldersOf(const std::vector<HistoryFile>& files) {
  std::vector<std::string> folders;
  for (const HistoryFile& file : files) {
    std::string folder = FolderOf(file.path);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(std::move(folder));
    }
  }
  return folders;
}

// Whether a run that rewrote tables rewrote none in `weldFolder` (the same folder reached by
// another path counts as that folder). The setup file says nothing about whose backup it was.
bool TablesElsewhere(const std::vector<HistoryFile>& files, const std::string& weldFolder) {
  bool tables = false;
  for (const HistoryFile& file : files) {
    if (EqualsIgnoreCase(BaseName(file.path), "ZelSetUp.ini")) continue;
    tables = true;
    if (!weldFolder.empty() && SameFolder(FolderOf(file.path), weldFolder)) return false;
  }
  return tables;
}

std::string RunTimeOf(const HistoryRun& run) {
  return RunTimeText(run.folder.substr(run.folder.rfind('/') + 1));
}

}  // namespace

std::string TForm1::BackupOfRun(const HistoryRun& run) {
  if (!run.record.backup.empty()) return run.record.backup;
  // A run of an older version kept no record: its first folder stands for it.
  return run.files.empty() ? run.folder : FolderOf(run.files.front().path);
}

void TForm1::RefreshRestoreOriginals() {
  const auto root = HistoryFolderRoot();
  C(Ctl::MenuRestoreOriginals).Enabled = root && NewestRun(*root).has_value();
  RefreshShowReport();
}

void TForm1::MenuRestoreOriginalsClick() {
  const auto root = HistoryFolderRoot();
  const auto run = root ? NewestRun(*root) : std::nullopt;
  if (!run) {
    RefreshRestoreOriginals();
    return;
  }
  // The engineer decides knowing when the run was, whose files it wrote, what goes and what is left
  // alone.
  const RunFiles now = Classify(run->files);
  auto text = [this](CreateFilesText row) { return CreateFilesTextOf(row, LanguageIndex); };
  std::string question = FormatCount(text(CreateFilesText::UndoQuestion), now.fresh.size());
  question += "\n" + FormatPath(text(CreateFilesText::UndoCreated), RunTimeOf(*run));
  question += "\n" + FormatPath(text(CreateFilesText::UndoBackup), BackupOfRun(*run));
  question += PathLines(FoldersOf(run->files));
  if (TablesElsewhere(run->files,
                      LoadedBackupFolder.empty() ? "" : WeldFolderPath(LoadedBackupFolder))) {
    question += "\n" + CreateFilesTextOf(CreateFilesText::UndoOtherBackup, LanguageIndex);
  }
  std::vector<std::string> restored;
  std::vector<std::string> removed;
  for (const HistoryFile* file : now.fresh)
    (file->existed ? restored : removed).push_back(file->path);
  question += "\n" + PathLines(restored);
  if (!removed.empty())
    question += "\n\n" + text(CreateFilesText::UndoWillRemove) + PathLines(removed);
  if (!now.changed.empty()) {
    question += "\n\n" + text(CreateFilesText::WillBeLeft);
    question += PathLines(now.changed);
  }
  if (ShowMessageBox(MessageKind::Question, question, UiText(TextRow::ConfirmCaption)) !=
      MessageAnswer::Yes)
    return;
  PutRunBack(*run);
}

TForm1::UndoOutcome TForm1::RestoreRun(const HistoryRun& run, bool whole) {
  const RunFiles now = Classify(run.files);
  UndoOutcome result;
  result.changed = now.changed;
  if (whole && !now.changed.empty()) {
    result.state = UndoOutcome::State::ChangedSince;
    return result;
  }
  FileTransaction files;
  AddRestores(files, run.folder, now);
  auto refuse = [&](const std::vector<FileStatus>& issues, CreateFilesText header) {
    result.failure = ProblemList(CreateFilesTextOf(header, LanguageIndex), issues, LanguageIndex);
    return result;
  };
  if (!files.Issues().empty()) return refuse(files.Issues(), CreateFilesText::UndoFailed);
  if (!now.fresh.empty()) {
    const CommitOutcome outcome = files.Commit();
    if (!outcome.ok) {
      std::vector<FileStatus> issues = outcome.notPutBack;
      issues.insert(issues.end(), outcome.issues.begin(), outcome.issues.end());
      return refuse(issues, outcome.leftNew.empty() ? CreateFilesText::UndoFailed
                                                    : CreateFilesText::UndoLeftChanged);
    }
    // Tables of the loaded backup that are put back hold what the window read from them again.
    NoteTableContents(files);
  }
  // The files are back either way; a run left unmarked is only offered again, so it is said, not
  // refused.
  result.state = UndoOutcome::State::Restored;
  result.marked = MarkUndone(run.folder).ok();
  for (const HistoryFile& file : run.files) {
    if (std::find(now.changed.begin(), now.changed.end(), file.path) != now.changed.end()) continue;
    ++(file.existed ? result.restored : result.removed);
  }
  RefreshRestoreOriginals();
  return result;
}

void TForm1::PutRunBack(const HistoryRun& run) {
  const UndoOutcome result = RestoreRun(run, false);
  if (result.state != UndoOutcome::State::Restored) {
    ShowMessageBox(MessageKind::Error, result.failure,
                   CreateFilesTextOf(CreateFilesText::UndoErrorCaption, LanguageIndex));
    return;
  }
  std::string report = FillText(CreateFilesTextOf(CreateFilesText::UndoDone, LanguageIndex),
                                {std::to_string(result.restored), std::to_string(result.removed),
                                 RunTimeOf(run), BackupOfRun(run)});
  if (!result.marked) {
    report += "\n\n" + CreateFilesTextOf(CreateFilesText::UndoNotMarked, LanguageIndex);
  }
  if (!result.changed.empty()) {
    report += "\n\n" + CreateFilesTextOf(CreateFilesText::UndoSkipped, LanguageIndex);
    report += PathLines(result.changed);
  }
  ShowMessageBox(MessageKind::Information, report, UiText(TextRow::CompletedCaption));
}

void TForm1::CheckInterruptedRun() {
  const auto root = HistoryFolderRoot();
  const auto latest = root ? NewestRecordedRun(*root) : std::nullopt;
  if (!latest || RunStateOf(latest->folder) != RunState::InProgress) return;
  const std::string when = RunTimeText(latest->name);
  auto unchecked = [&](const std::vector<FileStatus>& issues) {
    ShowMessageBox(
        MessageKind::Error,
        ProblemList(FormatPath(CreateFilesTextOf(CreateFilesText::Unchecked, LanguageIndex), when),
                    issues, LanguageIndex),
        CreateFilesTextOf(CreateFilesText::UndoErrorCaption, LanguageIndex));
  };
  if (!latest->files) {
    return unchecked({Failure(FileCode::ManifestDamaged, latest->folder + "/" + kManifestName)});
  }
  const RunFiles now = Classify(*latest->files);
  // A run every file of which is new, or none of which holds what it wrote, needs no decision; the
  // marker only saves comparing the files again.
  if (now.fresh.size() == latest->files->size()) {
    static_cast<void>(MarkRun(latest->folder, RunState::Done));
    return;
  }
  if (now.fresh.empty()) {
    static_cast<void>(MarkRun(latest->folder, RunState::RolledBack));
    return;
  }
  // What Yes would need is checked before the question, so that Yes cannot fail on it.
  FileTransaction probe;
  AddRestores(probe, latest->folder, now);
  if (!probe.Issues().empty()) return unchecked(probe.Issues());

  std::string question = FormatCount(
      FormatCount(FormatPath(CreateFilesTextOf(CreateFilesText::Interrupted, LanguageIndex), when),
                  now.fresh.size()),
      latest->files->size());
  for (const HistoryFile* file : now.fresh) question += "\n" + file->path;
  if (!now.changed.empty()) {
    question += "\n\n" + CreateFilesTextOf(CreateFilesText::WillBeLeft, LanguageIndex);
    question += PathLines(now.changed);
  }
  if (ShowMessageBox(MessageKind::Question, question, UiText(TextRow::ConfirmCaption)) ==
      MessageAnswer::Yes) {
    PutRunBack({latest->folder, *latest->files, ReadRunRecord(latest->folder)});
  } else {
    static_cast<void>(MarkRun(latest->folder, RunState::Declined));
  }
}

}  // namespace wisetup
