// The words that name a welder's registration as the window shows it (the welder list's item and
// the tab's caption), for the preview, the report and the messages that point at a tab, and the
// line of a tab whose registration has no table.
#pragma once

#include <string>

namespace wisetup {

enum class RegistrationText {
  NoTable,  // the robot-side line of a tab whose registration has no table
  Count
};

std::string RegistrationTextOf(RegistrationText text, int language);

// "溶接機２" / "WPS2" for welder 1 (from 0).
std::string WelderName(int welder, int language);
// "溶接機２ 登録１" / "WPS2 Register1" for welder 1, registration 0 (both from 0).
std::string RegistrationName(int welder, int registration, int language);

}  // namespace wisetup
