#include <sys/stat.h>

#include <cerrno>

#include "app/CreateFilesTexts.h"
#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "platform/FileTransaction.h"
#include "platform/History.h"
#include "platform/Sha256.h"

namespace wisetup {
namespace {

bool Missing(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

// Whether the file still holds what the run wrote (a run that removed a file wrote "nothing").
bool HoldsWhatRunWrote(const HistoryFile& file) {
  if (file.newHash.empty()) return Missing(file.path);
  std::string current;
  return !ReadRegularFile(file.path, current) && Sha256Hex(current) == file.newHash;
}

// Only files that still hold what the run wrote are put back, all together; a file changed since
// belongs to someone else's later work and is listed in `skipped`. Returns how many are put back.
std::size_t AddRestores(FileTransaction& files, const HistoryRun& run,
                        std::vector<std::string>& skipped) {
  std::size_t restoring = 0;
  for (const HistoryFile& file : run.files) {
    if (!HoldsWhatRunWrote(file)) {
      skipped.push_back(file.path);
      continue;
    }
    const auto entry = files.Add(file.path, false);
    if (!entry) continue;
    ++restoring;
    if (!file.existed) {
      files.SetRemoved(*entry);
      continue;
    }
    const std::string keptPath = run.folder + "/" + file.kept;
    std::string kept;
    if (const auto issue = ReadRegularFile(keptPath, kept)) {
      files.AddIssue(*issue);
    } else if (Sha256Hex(kept) != file.oldHash) {
      files.AddIssue({keptPath, FileProblem::CannotRead, {}});
    } else {
      files.SetContent(*entry, std::move(kept));
    }
  }
  return restoring;
}

}  // namespace

void TForm1::RefreshRestoreOriginals() {
  const auto root = HistoryFolderRoot();
  C(Ctl::MenuRestoreOriginals).Enabled = root && NewestRun(*root).has_value();
}

void TForm1::MenuRestoreOriginalsClick() {
  const auto root = HistoryFolderRoot();
  const auto run = root ? NewestRun(*root) : std::nullopt;
  if (!run) {
    RefreshRestoreOriginals();
    return;
  }
  std::string question =
      FormatCount(CreateFilesText(CreateText::UndoQuestion, LanguageIndex), run->files.size());
  for (const HistoryFile& file : run->files) question += "\n" + file.path;
  if (ShowMessageBox(MessageKind::Question, question, UiText(TextRow::ConfirmCaption)) !=
      MessageAnswer::Yes)
    return;

  FileTransaction files;
  std::vector<std::string> skipped;
  const std::size_t restoring = AddRestores(files, *run, skipped);
  auto refuse = [this](const std::vector<FileIssue>& issues, CreateText header) {
    ShowMessageBox(MessageKind::Error,
                   ProblemList(CreateFilesText(header, LanguageIndex), issues, LanguageIndex),
                   CreateFilesText(CreateText::UndoErrorCaption, LanguageIndex));
  };
  if (!files.Issues().empty()) return refuse(files.Issues(), CreateText::UndoFailed);
  if (restoring > 0) {
    const CommitOutcome outcome = files.Commit();
    if (!outcome.ok) {
      refuse(outcome.issues,
             outcome.leftNew.empty() ? CreateText::UndoFailed : CreateText::UndoLeftChanged);
      return;
    }
  }
  // The files are back either way; a run left unmarked is only offered again, so it is said, not
  // refused.
  const bool marked = MarkUndone(run->folder).ok();
  RefreshRestoreOriginals();

  std::string report = FormatCount(CreateFilesText(CreateText::UndoDone, LanguageIndex), restoring);
  if (!marked) report += "\n\n" + CreateFilesText(CreateText::UndoNotMarked, LanguageIndex);
  if (!skipped.empty()) {
    report += "\n\n" + CreateFilesText(CreateText::UndoSkipped, LanguageIndex);
    for (const std::string& path : skipped) report += "\n" + path;
  }
  ShowMessageBox(MessageKind::Information, report, UiText(TextRow::CompletedCaption));
}

}  // namespace wisetup
