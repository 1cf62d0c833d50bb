#include "cli/UndoCommand.h"

#include "app/ChangeTexts.h"
#include "app/CreateFilesTexts.h"
#include "app/Mainunit.h"
#include "cli/CliTexts.h"
#include "storage/History.h"

namespace wisetup {
namespace {

std::string Fill(CliText row, int language, std::initializer_list<std::string> args) {
  return FillText(CliTextOf(row, language), args);
}

// Puts one run back and says how it went; true when it was put back.
bool UndoOne(const HistoryRun& run, CommandContext& context) {
  TForm1 form(context.platform);
  form.LanguageIndex = context.language;
  const TForm1::UndoOutcome outcome = form.RestoreRun(run, true);
  const std::string backup = TForm1::BackupOfRun(run);
  const int language = context.language;
  switch (outcome.state) {
    case TForm1::UndoOutcome::State::Restored:
      context.out << Fill(
                         CliText::UndoRestored, language,
                         {backup, std::to_string(outcome.restored), std::to_string(outcome.removed),
                          RunTimeText(run.folder.substr(run.folder.rfind('/') + 1))})
                  << "\n";
      if (!outcome.marked) {
        context.out << "  " << CreateFilesTextOf(CreateFilesText::UndoNotMarked, language) << "\n";
      }
      return true;
    case TForm1::UndoOutcome::State::ChangedSince:
      context.out << Fill(CliText::UndoLeft, language, {backup}) << "\n";
      for (const std::string& path : outcome.changed) context.out << "  " << path << "\n";
      return false;
    case TForm1::UndoOutcome::State::Failed:
      context.out << Fill(CliText::UndoFailed, language, {backup}) << "\n";
      for (std::size_t start = 0; start < outcome.failure.size();) {
        const std::size_t end = std::min(outcome.failure.find('\n', start), outcome.failure.size());
        context.out << "  " << outcome.failure.substr(start, end - start) << "\n";
        start = end + 1;
      }
      return false;
  }
  return false;
}

int RunUndo(const Arguments& arguments, CommandContext& context) {
  const auto root =
      HistoryRoot([&](const std::string& name) { return context.platform.Environment(name); });
  std::vector<HistoryRun> runs;
  if (root && arguments.Has("--backup")) {
    if (auto run = NewestRunOfBackup(*root, AbsolutePath(arguments.Value("--backup")))) {
      runs.push_back(std::move(*run));
    }
  } else if (root) {
    runs = NewestBatch(*root);
  }
  if (runs.empty()) {
    context.out << CliTextOf(CliText::NothingToUndo, context.language) << "\n";
    return 1;
  }
  std::size_t putBack = 0;
  for (const HistoryRun& run : runs) putBack += UndoOne(run, context) ? 1 : 0;
  context.out << Fill(CliText::UndoSummary, context.language,
                      {std::to_string(runs.size()), std::to_string(putBack),
                       std::to_string(runs.size() - putBack)})
              << "\n";
  return putBack == runs.size() ? 0 : 1;
}

}  // namespace

const CommandSpec& UndoCommand() {
  static const CommandSpec command = {
      "undo",
      {"直前の wisetup apply の全組 (またはウィンドウの直前の作成) を作成前の内容に戻す",
       "puts back every pair of the last wisetup apply (or the window's last Create Files)"},
      {{"--backup",
        "DIR",
        false,
        false,
        nullptr,
        {"このバックアップの直前の作成だけを戻す",
         "puts back only the newest run made from this backup"}}},
      {"終了コード: 0 すべて戻した、1 戻せなかった作成がある、2 使い方の誤り",
       "Exit status: 0 all put back, 1 a run left as it is or none to undo, 2 usage error"},
      RunUndo,
  };
  return command;
}

}  // namespace wisetup
