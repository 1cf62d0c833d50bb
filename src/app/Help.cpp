#include "app/Mainunit.h"
#include "app/ShellTexts.h"
#include "app/UiTexts.h"
#include "platform/PathMap.h"

namespace wisetup {

void TForm1::MenuAboutClick() {
  // The box is titled by the menu item without its access key.
  std::string caption = UiText(TextRow::MenuAbout);
  if (caption.ends_with("(&A)")) caption.resize(caption.size() - 4);
  std::string text =
      "wisetup\n" +
      FormatPath(ShellTextOf(ShellText::AboutVersion, LanguageIndex), WISETUP_VERSION) + "\n" +
      ShellTextOf(ShellText::AboutLicence, LanguageIndex);
  if (const std::string toolkit = platform_.ToolkitVersion(); !toolkit.empty()) {
    text += "\n" + toolkit;
  }
  ShowMessageBox(MessageKind::Information, text, caption);
}

void TForm1::DropFolders(const std::vector<std::string>& paths) {
  // Several folders or a file give no single backup to load; guessing one would load the wrong
  // robot's data.
  if (paths.size() != 1 || paths.front().empty() || !FolderExists(paths.front())) {
    ShowMessageBox(MessageKind::Error, ShellTextOf(ShellText::DropRefused, LanguageIndex),
                   UiText(TextRow::WrongFolderCaption));
    return;
  }
  LoadBackupFolder(paths.front());
}

}  // namespace wisetup
