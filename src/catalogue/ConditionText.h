// The one-line description of a welding condition shown for robot-side tables and catalogue
// templates. Constant tables in Japanese and English; the language is chosen by the caller.
#pragma once

#include <string>

#include "records/WeldRecords.h"

namespace wisetup {

// Method, diameter, wire kind, gas and special text joined by two blanks, plus the rated-current
// suffix when `kindCode` is 9. `languageIndex` 0 is Japanese, any other value English. Codes
// without a table entry give empty pieces; the separators are always there.
std::string MakeConditionText(const RobotWeldTable& table, int kindCode, bool allowLowSuffix,
                              int languageIndex);

}  // namespace wisetup
