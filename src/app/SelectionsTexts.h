// The bilingual texts of saving and applying a selections file: the menu items, the dialog filter,
// the reason a file is refused, and one line per choice that could not be applied.
#pragma once

#include <string>

#include "app/UiTexts.h"
#include "selections/Selections.h"

namespace wisetup {

enum class SelectionsText {
  MenuSaveSelections,   // caption of the menu item
  MenuApplySelections,  // caption of the menu item
  SelectionsFilter,     // "description|pattern" of the dialogs
  SelectionsRefusedCaption,
  SelectionsRefused,  // "%s": the file; the reason follows on the next line
  SelectionsApplyCaption,
  SelectionsApplied,
  SelectionsNotThere,  // "%s": a save into the folders that go to the controller or board
  SelectionsPartly,    // heads the list of what could not be applied
  SaveCaption,
  SavedWithoutModes,    // heads the registrations of a setup file left out of the saved file
  ModeNotFound,         // "%1" welder, "%2" registration
  SelectionsSaved,      // "%s": the status line after saving
  SelectionsLeftOut,    // heads the modes not saved, chosen where no table is registered
  SelectionsOpenTitle,  // title of the file dialog of Apply selections
  Count
};

std::string SelectionsTextOf(SelectionsText text, int language);

// Why a file was refused, one line.
std::string SelectionsProblemText(const SelectionsProblem& problem, int language);

// One line naming the welder (and registration) and why that choice could not be applied.
std::string MatchProblemText(const MatchProblem& problem, int language);

}  // namespace wisetup
