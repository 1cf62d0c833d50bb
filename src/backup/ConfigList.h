// The comma lists of the backup's arc welder configuration (A_KIND, A_WTBD).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/WelderKinds.h"

namespace wisetup {

// Splits a list: items are separated by a comma, by blanks (spaces and the control characters
// below them) or by a comma with blanks around it; blanks at the ends are ignored; two commas with
// nothing between give an empty item; a comma at the very end adds no item; an item in double
// quotes may hold commas and blanks ("" inside stands for one quote; a quote left open runs to the
// end of the value).
std::vector<std::string> SplitConfigList(std::string_view value);

// What Ac01arcw.CON registers: the kind of each welder ([ARC_WELDER] A_KIND) and the table number
// of each registration ([WELD_PROPERTYn] A_WTBD), as far as the lists go (at most kWelders and
// kRegistrations items; an absent key reads as its controller default).
struct ArcWelderConfig {
  std::vector<int> kinds;
  std::array<std::vector<int>, kWelders> tables;
};

struct ArcWelderConfigRead {
  std::optional<ArcWelderConfig> config;  // nothing when refused
  // Refused: no A_KIND at all (binary garbage, an empty file, another encoding), or an item that
  // is no integer (`badItem`, in the key `where`, "[ARC_WELDER] A_KIND").
  bool noKind = false;
  std::string badItem;
  std::string where;
};

// Every item is converted before anything is returned, so a bad item never gives half a backup.
ArcWelderConfigRead ParseArcWelderConfig(std::string_view text);

}  // namespace wisetup
