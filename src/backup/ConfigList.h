// The comma lists of the backup's arc welder configuration (A_KIND, A_WTBD).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wisetup {

// Splits a list: items are separated by a comma, by blanks (spaces and the control characters
// below them) or by a comma with blanks around it; blanks at the ends are ignored; two commas with
// nothing between give an empty item; a comma at the very end adds no item; an item in double
// quotes may hold commas and blanks ("" inside stands for one quote; a quote left open runs to the
// end of the value).
std::vector<std::string> SplitConfigList(std::string_view value);

}  // namespace wisetup
