#include "app/ChangeTexts.h"
#include "app/CompareTexts.h"
#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "platform/FileIo.h"
#include "survey/BackupCompare.h"

namespace wisetup {
namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace

void TForm1::MenuCompareClick() {
  ShownComparison.clear();
  // The twins of a line usually lie beside each other.
  const auto other =
      platform_.BrowseForFolder(CompareTextOf(CompareText::ComparePrompt, LanguageIndex),
                                FolderOf(WithoutTrailingSlash(LoadedBackupFolder)));
  if (!other) return;
  // The loaded backup is read again as it is on disk: that is what the other one is compared with.
  const BackupSnapshot loaded = ReadBackupSnapshot(LoadedBackupFolder);
  const BackupSnapshot chosen = ReadBackupSnapshot(*other);
  for (const BackupSnapshot* snapshot : {&loaded, &chosen}) {
    if (snapshot->ok()) continue;
    ShowMessageBox(MessageKind::Error, NotABackupLine(*snapshot, LanguageIndex),
                   UiText(TextRow::WrongFolderCaption));
    return;
  }
  ShownComparison = ComparisonLines(CompareBackups(loaded, chosen), LanguageIndex);
  platform_.ShowDocument(DocumentOf(CompareTextOf(CompareText::CompareTitle, LanguageIndex),
                                    Joined(ShownComparison), "wisetup-compare.txt"));
}

}  // namespace wisetup
