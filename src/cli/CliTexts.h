// The bilingual texts of the headless front. The words that begin a pair's line ("created",
// "refused", "previewed", "left part new") are fixed, so that scripts can read them in either
// language; the reasons and the summary follow the language.
#pragma once

#include <string>

namespace wisetup {

enum class CliText {
  Usage,           // the usage text, several lines
  SetupExists,     // "%s": the setup file; --overwrite was not given
  SameBackup,      // the backup is given in an earlier pair too
  SharedSetup,     // "%s": the setup folder is given in another pair too
  NotLoaded,       // the backup folder could not be loaded
  Summary,         // "%d" pairs, "%d" created or previewed, "%d" refused, "%d" left part new
  NothingToUndo,   // no run to undo
  SelectionsFile,  // "%s": the selections file could not be used; the reason follows
  Count
};

std::string CliTextOf(CliText text, int language);

}  // namespace wisetup
