#include "app/RegistrationTexts.h"

#include <array>

#include "app/UiTexts.h"
#include "records/WelderKinds.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(RegistrationText::Count)> kTexts = {{
    {"この登録にはテーブルがありません", "No table is registered here"},
}};

}  // namespace

std::string RegistrationTextOf(RegistrationText text, int language) {
  return TextOf(kTexts[static_cast<std::size_t>(text)], language);
}

std::string WelderName(int welder, int language) {
  if (welder < 0 || welder >= kWelders) return std::to_string(welder + 1);
  return TextOf(WelderNoItems[static_cast<std::size_t>(welder)], language);
}

std::string RegistrationName(int welder, int registration, int language) {
  const std::string tab =
      registration >= 0 && registration < kRegistrations
          ? UiTextOf(static_cast<TextRow>(static_cast<int>(TextRow::Register1) + registration),
                     language)
          : std::to_string(registration + 1);
  return WelderName(welder, language) + " " + tab;
}

}  // namespace wisetup
