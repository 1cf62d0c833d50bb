// The state lines that `dump` prints: every value of the window model and every control property.
#pragma once

#include <string>
#include <vector>

#include "app/Mainunit.h"

namespace wisetup {

std::vector<std::string> DumpLines(const TForm1& form);

}  // namespace wisetup
