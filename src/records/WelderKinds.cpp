#include "records/WelderKinds.h"

#include <array>

namespace wisetup {
namespace {

using enum TableForm;
using enum TransferRecipe;

// clang-format off
constexpr std::array<WelderKindInfo, 10> kKinds = {{
//  code  japanese  english           form   tabs  check  area   method recipe                  model rated
    { 0, "未登録",  "Not Registered", Long,   0,   false, true,  false, None,                    -1,   -1},
    { 5, "RK1",      "RK1",           Short,  2,   false, true,  false, CommandAndCharFromMode,  22,   -1},
    { 9, "RK3",      "RK3",           Short, 10,   false, true,  true,  RatedAndMethodRow,       24,   23},
    {10, "RK7",      "RK7",           Short,  0,   false, false, false, RatedByModel,            33,   -1},
    {11, "RK2",      "RK2",           Short, 10,   false, true,  false, CharFromMode,            22,   -1},
    {12, "RK4",      "RK4",           Long,  10,   false, true,  false, CharFromMode,            20,   -1},
    {13, "RK5",      "RK5",           Long,  10,   true,  true,  true,  TemplateOrMethodRows,    31,   -1},
    {14, "RK1(S-2)", "RK1(S-2)",      Short,  2,   false, true,  false, CommandAndCharFromMode,  22,   -1},
    {17, "RK4(S-2)", "RK4(S-2)",      Long,  10,   false, true,  false, CharFromMode,            20,   -1},
    {19, "RK6",      "RK6",           Long,  10,   true,  true,  true,  TemplateOrMethodRows,    24,   -1},
}};

constexpr WelderKindInfo kUnnamed =
    {-1, "---",      "---",           Long,  10,   false, true,  false, None,                    -1,   -1};
// clang-format on

}  // namespace

const WelderKindInfo& WelderKindOf(int kind) {
  for (const WelderKindInfo& info : kKinds) {
    if (info.code == kind) return info;
  }
  return kUnnamed;
}

bool IsLongRcTableKind(int welderKind) {
  return WelderKindOf(welderKind).form == TableForm::Long;
}

std::string_view WelderKindName(int kind, int languageIndex) {
  const WelderKindInfo& info = WelderKindOf(kind);
  return languageIndex == 0 ? info.japaneseName : info.englishName;
}

}  // namespace wisetup
