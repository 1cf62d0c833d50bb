#include "app/Mainunit.h"

namespace wisetup {

void TForm1::MenuAboutClick() {}

void TForm1::DropFolders(const std::vector<std::string>&) {}

}  // namespace wisetup
