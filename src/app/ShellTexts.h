// The bilingual texts of the shell beyond the numbered table: the settings file, the catalogue
// search, drops on the window and the About box. A new text of the shell goes here.
#pragma once

#include <string>

namespace wisetup {

enum class ShellText {
  CannotWrite,         // "%s": a profile file that cannot be written (an error display)
  SettingsUnreadable,  // "%s": the settings exist but cannot be read, and were not saved
  NoWelderKind,        // "%s": follows the wrong-folder message for a configuration without
  CatalogueMissing,    // "%s": the places searched, one a line
  CatalogueMissingCaption,
  DropRefused,   // something other than one folder was dropped on the window
  AboutVersion,  // "%s": the version
  AboutLicence,
  Count
};

std::string ShellTextOf(ShellText text, int language);

}  // namespace wisetup
