// The state lines that `dump` prints: every value of the window model and every control property.
#pragma once

#include <string>
#include <vector>

#include "app/Mainunit.h"

namespace wisetup {

std::vector<std::string> DumpLines(const TForm1& form);

// The overview's rows as `overview` prints them, then its `overview end` line.
std::vector<std::string> OverviewLines(const TForm1& form);

}  // namespace wisetup
