#include "app/Mainunit.h"

namespace wisetup {

bool TForm1::BrowseForFolder(const std::string& preselect, const std::string& purpose,
                             std::string& chosen) {
  int promptRow = -1;
  if (purpose == "backup_folder") promptRow = 51;
  if (purpose == "setup_folder") promptRow = 52;
  if (promptRow < 0) return false;
  const auto folder = platform_.BrowseForFolder(UiText(promptRow), preselect);
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
