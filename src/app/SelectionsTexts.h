// The bilingual texts of saving and applying a selections file: the dialog filter, the reason a
// file is refused, and one line per choice that could not be applied.
#pragma once

#include <string>

#include "app/UiTexts.h"
#include "selections/Selections.h"

namespace wisetup {

// Why a file was refused, one line.
std::string SelectionsProblemText(const SelectionsProblem& problem, int language);

// One line naming the welder (and registration) and why that choice could not be applied.
std::string MatchProblemText(const MatchProblem& problem, int language);

}  // namespace wisetup
