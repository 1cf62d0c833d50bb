#include "app/Mainunit.h"

namespace wisetup {

bool TForm1::BrowseForFolder(const std::string& preselect, const std::string& purpose,
                             std::string& chosen) {
  std::optional<TextRow> prompt;
  if (purpose == "backup_folder") prompt = TextRow::BackupFolderPrompt;
  if (purpose == "setup_folder") prompt = TextRow::SetupFolderPrompt;
  if (!prompt) return false;
  const auto folder = platform_.BrowseForFolder(UiText(*prompt), preselect);
  if (!folder) return false;
  chosen = *folder;
  return true;
}

void TForm1::ClickSetupFolder() {
  std::string folder;
  if (BrowseForFolder(C(Ctl::EditConfigFolder).Text, "setup_folder", folder)) {
    C(Ctl::EditConfigFolder).Text = folder;
  }
}

}  // namespace wisetup
