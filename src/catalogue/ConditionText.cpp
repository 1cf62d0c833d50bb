#include "catalogue/ConditionText.h"

#include <cstdint>
#include <string_view>

namespace wisetup {

namespace {

struct Bilingual {
  std::string_view japanese;
  std::string_view english;
};

std::string_view Pick(const Bilingual& text, int languageIndex) {
  return languageIndex == 0 ? text.japanese : text.english;
}

// Padded so that the pieces after the method line up in a fixed-pitch font: 9 columns in
// Japanese (half-width katakana count one), 6 in English.
constexpr Bilingual kMethods[] = {
    {"直流     ", "DC    "}, {"直流ﾊﾟﾙｽ ", "DCP   "}, {"直流ｳｪｰﾌﾞ", "DCWP  "},
    {"交流ﾊﾟﾙｽ ", "ACP   "}, {"交流ｳｪｰﾌﾞ", "ACWP  "}, {"ﾌﾞﾚｰｼﾞﾝｸﾞ", "BRZING"},
    {"ﾀﾝﾃﾞﾑ    ", "TANDEM"}, {"------   ", "MELTDN"}, {"ACP-HiEN ", "ACP2  "},
};

struct Diameter {
  std::uint16_t code;
  Bilingual text;
};

constexpr Diameter kDiameters[] = {
    {6, {"φ0.6", "dia.0.6"}},  {8, {"φ0.8", "dia.0.8"}},  {9, {"φ0.9", "dia.0.9"}},
    {10, {"φ1.0", "dia.1.0"}}, {12, {"φ1.2", "dia.1.2"}}, {14, {"φ1.4", "dia.1.4"}},
    {16, {"φ1.6", "dia.1.6"}},
};

constexpr Bilingual kWireKinds[] = {
    {"軟鋼ｿﾘｯﾄﾞ", "Mild steel"},
    {"軟鋼ｺｱｰﾄﾞ", "Mild steel(Cored)"},
    {"ｽﾃﾝﾚｽｿﾘｯﾄﾞ", "Stainless steel"},
    {"ｽﾃﾝﾚｽｺｱｰﾄﾞ", "Stainless steel(Cored)"},
    {"軟質ｱﾙﾐ", "Soft aluminum"},
    {"硬質ｱﾙﾐ", "Hard aluminum"},
    {"ｲﾝｺﾈﾙ", "Inconel"},
    {"ﾌﾞﾚｲｽﾞ", "Bronze"},      // 7: long-form tables name it differently, below
    {"ﾌﾞﾚｰｼﾞﾝｸﾞ", "Brazing"},  // 8: likewise
    {"ﾁﾀﾆｳﾑ", "Titanium"},
    {"ﾏｸﾞﾈｼｳﾑ", "Magnesium"},
    {"ﾌｪﾗｲﾄ", "Ferrite"},
    {"ﾒﾀﾙｺｱｰﾄﾞ", "Mild steel(Metal Cored)"},
    {"ｽﾃﾝﾚｽﾒﾀﾙｺｱｰﾄﾞ", "Stainless steel(Metal Cored)"},
    {"Z-Pro. Zn", "Z-Pro. Zn"},
};

constexpr Bilingual kLongFormWireKind7 = {"ﾌﾞﾚｰｼﾞﾝｸﾞCuSi", "Brazing CuSi"};
constexpr Bilingual kLongFormWireKind8 = {"ﾌﾞﾚｰｼﾞﾝｸﾞCuAl", "Brazing CuAl"};

constexpr std::string_view kGases[] = {
    "CO2",    "MAG",        "MIG",          "Ar", "90%Ar+10%CO2", "98%Ar+2%CO2", "97.5%Ar+2.5%CO2",
    "100%Ar", "98%Ar+2%O2", "70%Ar+30%CO2",
};

template <typename T, std::size_t N>
const T* Entry(const T (&table)[N], std::uint16_t code) {
  return code < N ? &table[code] : nullptr;
}

std::string_view MethodText(std::uint16_t code, int languageIndex) {
  const auto* entry = Entry(kMethods, code);
  return entry != nullptr ? Pick(*entry, languageIndex) : std::string_view{};
}

std::string_view DiameterText(std::uint16_t code, int languageIndex) {
  for (const auto& d : kDiameters) {
    if (d.code == code) return Pick(d.text, languageIndex);
  }
  return {};
}

std::string_view WireKindText(std::uint16_t code, TableForm form, int languageIndex) {
  if (form == TableForm::Long && code == 7) return Pick(kLongFormWireKind7, languageIndex);
  if (form == TableForm::Long && code == 8) return Pick(kLongFormWireKind8, languageIndex);
  const auto* entry = Entry(kWireKinds, code);
  return entry != nullptr ? Pick(*entry, languageIndex) : std::string_view{};
}

std::string_view GasText(std::uint16_t code) {
  const auto* entry = Entry(kGases, code);
  return entry != nullptr ? *entry : std::string_view{};
}

constexpr int kKindWithAcNames = 17;

std::string_view SpecialText(std::uint16_t special, int kindCode, bool allowLowSuffix) {
  // Bits 12 to 15 are flags the text does not describe.
  switch (special & 0xFFFu) {
    case 1:
      return "(High)";
    case 2:
      return kindCode == kKindWithAcNames ? "(AC)" : "(EN)";
    case 3:
      return kindCode == kKindWithAcNames ? "(Hi AC)" : "(Hi EN)";
    case 4:
      return "(Soft)";
    case 8:
      return "(M-EN)";
    case 16:
      return "(Low*)";
    case 32:
      return "(Low#)";
    case 33:
      return "(High#)";
    case 64:
      return "(HiPls)";
    default:
      return allowLowSuffix && (special & 0xFFu) == 0 ? "(Low)" : "";
  }
}

std::string_view RatedCurrentSuffix(std::uint16_t ratedCurrent) {
  switch (ratedCurrent) {
    case 350:
      return "  (350A)";
    case 400:
      return "  (400A)";
    case 500:
      return "  (500A)";
    default:
      return "";
  }
}

constexpr std::string_view kSeparator = "  ";
constexpr int kKindWithRatedSuffix = 9;

}  // namespace

std::string MakeConditionText(const RobotWeldTable& table, int kindCode, bool allowLowSuffix,
                              int languageIndex) {
  std::string text;
  text += MethodText(table.Method(), languageIndex);
  text += kSeparator;
  text += DiameterText(table.WireDiameter(), languageIndex);
  text += kSeparator;
  text += WireKindText(table.WireKind(), table.Form(), languageIndex);
  text += kSeparator;
  text += GasText(table.GasKind());
  text += kSeparator;
  text += SpecialText(table.Special(), kindCode, allowLowSuffix);
  if (kindCode == kKindWithRatedSuffix) text += RatedCurrentSuffix(table.RatedCurrent());
  return text;
}

}  // namespace wisetup
