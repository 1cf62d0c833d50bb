// The bilingual texts of the overview: its menu item, window, columns, the counts line, the state
// of a registration, and the accessible names of its controls.
#pragma once

#include <string>

#include "app/UiTexts.h"
#include "survey/RegistrationState.h"

namespace wisetup {

enum class OverviewText {
  MenuOverview,    // caption of the menu item
  WindowTitle,     // normal mode
  ReferenceTitle,  // reference mode: what the setup file chose, read-only
  ColumnRegistration,
  ColumnTable,    // the table number column
  ColumnState,    // the state column
  NoTable,        // the table number cell where none is known (reference mode)
  Counts,         // "{ready}", "{todo}", "{problems}"
  WelderHeading,  // "{welder}", "{kind}", "{model}", "{area}"
  Hint,           // how to go to a registration
  Close,          // the close button
  GridName,       // accessible name of the grid
  CountsName,     // accessible name of the counts line
  HintName,       // accessible name of the hint line
  Count
};

std::string OverviewTextOf(OverviewText text, int language);

// The short text of a state, said in words so that its colour is never the only sign.
std::string StateTextOf(RegistrationState state, int language);

// "{name}" of `text` replaced by `value`, everywhere.
std::string FillIn(std::string text, const std::string& name, const std::string& value);

}  // namespace wisetup
