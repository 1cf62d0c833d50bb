// The welder kinds a robot controller registers (its A_KIND codes) and everything the tool decides
// by kind: the name shown, the form of the robot-side tables, the registration tabs, the check box
// and area group, the transfer recipe and the power source models that may serve the welder. Every
// rule that depends on the kind reads this table.
#pragma once

#include <string_view>

#include "records/WeldRecords.h"

namespace wisetup {

// A controller has four welders with ten registrations each.
inline constexpr int kWelders = 4;
inline constexpr int kRegistrations = 10;

// The kind code of a welder slot the controller has not registered.
inline constexpr int kNotRegistered = 0;

// How the characteristic data of a chosen catalogue mode revises a robot-side table.
enum class TransferRecipe {
  None,
  CommandAndCharFromMode,  // RK1, RK1(S-2): command from row 1, characteristic from row 11
  RatedAndMethodRow,       // RK3: template's ratings; characteristic from row 11, or 30 for pulse
  RatedByModel,            // RK7: only the rated current, from the U model chosen
  CharFromMode,            // RK2, RK4, RK4(S-2): characteristic from row 11
  TemplateOrMethodRows,    // RK5, RK6: the template itself, or ratings and rows by method
};

struct WelderKindInfo {
  int code;  // -1 for the entry that stands for every unnamed code
  std::string_view japaneseName;
  std::string_view englishName;
  TableForm form;
  int tabsShown;         // registration tabs shown: 0, 2 or 10
  bool checkBoxApplies;  // CheckBoxUseRcWCD is shown and may be enabled
  bool areaShown;        // GroupBoxArea is shown and ComboBoxArea may be enabled
  bool methodMustMatch;  // the chosen mode's method must equal the robot table's
  TransferRecipe recipe;
  // Model codes that may serve the welder besides "no model" (0). A kind with neither accepts no
  // model at all, not even "no model". `ratedModelCode` is accepted only while the welder's first
  // short-form table is rated 350 or 400 A (or there is none).
  int modelCode;
  int ratedModelCode;
};

// The entry of a kind code; codes without a name share one entry ("---").
const WelderKindInfo& WelderKindOf(int kind);

// Whether the kind's robot-side tables are of the long form (unnamed kinds and 0 included).
bool IsLongRcTableKind(int welderKind);

// "RK1" and so on; "未登録"/"Not Registered" for 0 and "---" for unnamed codes. Language 0 is
// Japanese, any other English.
std::string_view WelderKindName(int kind, int languageIndex);

}  // namespace wisetup
