#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstdint>
#include <ostream>
#include <string>

#include "catalogue/ConditionText.h"

namespace wisetup {
namespace {

using test::PrintTo;
using test::RowName;

constexpr std::uint16_t kNone = 0xFFFF;  // a code no table knows

struct TextRow {
  const char* name;
  TableForm form;
  std::uint16_t method, diameter, wireKind, gas, special, ratedCurrent;
  int kindCode;
  bool allowLow;
  int language;
  std::string expected;
};

class ConditionText : public ::testing::TestWithParam<TextRow> {};

TEST_P(ConditionText, IsComposedFromTheTables) {
  const TextRow& row = GetParam();
  RobotWeldTable t(row.form);
  t.SetMethod(row.method);
  t.SetWireDiameter(row.diameter);
  t.SetWireKind(row.wireKind);
  t.SetGasKind(row.gas);
  t.SetSpecial(row.special);
  t.SetRatedCurrent(row.ratedCurrent);
  EXPECT_EQ(MakeConditionText(t, row.kindCode, row.allowLow, row.language), row.expected);
}

constexpr auto S = TableForm::Short;
constexpr auto L = TableForm::Long;

INSTANTIATE_TEST_SUITE_P(
    Cases, ConditionText,
    ::testing::Values(
        TextRow{"WorkedJapanese", S, 1, 12, 0, 1, 0, 0, 5, false, 0,
                "直流ﾊﾟﾙｽ   φ1.2  軟鋼ｿﾘｯﾄﾞ  MAG  "},
        TextRow{"WorkedEnglish", L, 1, 12, 0, 0, 0, 0, 22, true, 1,
                "DCP     dia.1.2  Mild steel  CO2  (Low)"},
        TextRow{"NoEntriesSpecial5Catalogue", L, kNone, 7, kNone, kNone, 5, 0, 22, true, 1,
                "        "},
        TextRow{"NoEntriesSpecial0Catalogue", L, 9, 11, 15, 10, 0, 0, 22, true, 0, "        (Low)"},
        TextRow{"NoEntriesSpecial0Robot", S, 9, 13, 15, 10, 0, 0, 5, false, 1, "        "},
        TextRow{"Special100IsLowForCatalogue", L, kNone, 15, kNone, kNone, 0x100, 0, 24, true, 1,
                "        (Low)"},
        TextRow{"Special100NothingForRobot", S, kNone, 15, kNone, kNone, 0x100, 0, 5, false, 1,
                "        "},
        TextRow{"LowByteSetGivesNoLow", L, kNone, 0, kNone, kNone, 0x180, 0, 24, true, 1,
                "        "},
        TextRow{"HighNibbleIgnoredForLow", L, kNone, 0, kNone, kNone, 0xF000, 0, 24, true, 1,
                "        (Low)"},
        TextRow{"HighNibbleIgnored", S, kNone, 0, kNone, kNone, 0x1001, 0, 5, false, 1,
                "        (High)"},
        TextRow{"Special2Kind17", L, kNone, 0, kNone, kNone, 2, 0, 17, false, 1, "        (AC)"},
        TextRow{"Special2Kind12", L, kNone, 0, kNone, kNone, 2, 0, 12, false, 1, "        (EN)"},
        TextRow{"Special2Catalogue", L, kNone, 0, kNone, kNone, 2, 0, 20, true, 0, "        (EN)"},
        TextRow{"Special3Kind17", L, kNone, 0, kNone, kNone, 3, 0, 17, false, 0, "        (Hi AC)"},
        TextRow{"Special3Kind5", S, kNone, 0, kNone, kNone, 3, 0, 5, false, 0, "        (Hi EN)"},
        TextRow{"Special33", L, kNone, 0, kNone, kNone, 33, 0, 12, false, 1, "        (High#)"},
        TextRow{"WireKind7ShortEnglish", S, kNone, 0, 7, kNone, 5, 0, 5, false, 1,
                "    Bronze    "},
        TextRow{"WireKind7LongEnglish", L, kNone, 0, 7, kNone, 5, 0, 12, false, 1,
                "    Brazing CuSi    "},
        TextRow{"WireKind8ShortJapanese", S, kNone, 0, 8, kNone, 5, 0, 5, false, 0,
                "    ﾌﾞﾚｰｼﾞﾝｸﾞ    "},
        TextRow{"WireKind8LongJapanese", L, kNone, 0, 8, kNone, 5, 0, 12, false, 0,
                "    ﾌﾞﾚｰｼﾞﾝｸﾞCuAl    "},
        TextRow{"Kind9Rated350", S, 0, 16, 2, 9, 4, 350, 9, false, 1,
                "DC      dia.1.6  Stainless steel  70%Ar+30%CO2  (Soft)  (350A)"},
        TextRow{"Kind9Rated500Japanese", S, 6, 6, 14, 6, 0, 500, 9, false, 0,
                "ﾀﾝﾃﾞﾑ      φ0.6  Z-Pro. Zn  97.5%Ar+2.5%CO2    (500A)"},
        TextRow{"Kind9Rated300NoSuffix", S, 7, 10, 13, 3, 64, 300, 9, false, 1,
                "MELTDN  dia.1.0  Stainless steel(Metal Cored)  Ar  (HiPls)"},
        TextRow{"RatedSuffixOnlyForKind9", S, 8, 14, 11, 8, 8, 400, 5, false, 0,
                "ACP-HiEN   φ1.4  ﾌｪﾗｲﾄ  98%Ar+2%O2  (M-EN)"},
        TextRow{"AnyOtherLanguageIsEnglish", L, 5, 9, 4, 2, 16, 0, 23, true, 7,
                "BRZING  dia.0.9  Soft aluminum  MIG  (Low*)"}),
    test::RowName());

// Columns of a fixed-pitch font: half-width katakana and ASCII take one, everything else two.
int Columns(const std::string& utf8) {
  int columns = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t cp = length == 1 ? lead : lead & (0xFFu >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    }
    columns += (cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F)) ? 1 : 2;
    i += length;
  }
  return columns;
}

TEST(ConditionTextMethods, ArePaddedToOneWidthPerLanguage) {
  for (std::uint16_t method = 0; method <= 8; ++method) {
    RobotWeldTable t(TableForm::Long);
    t.SetMethod(method);
    t.SetWireDiameter(kNone);
    t.SetWireKind(kNone);
    t.SetGasKind(kNone);
    t.SetSpecial(5);
    for (const auto& [language, width] : {std::pair{0, 9}, std::pair{1, 6}}) {
      std::string text = MakeConditionText(t, 12, false, language);
      ASSERT_GE(text.size(), 8u);
      text.resize(text.size() - 8);  // the four empty pieces' separators
      EXPECT_EQ(Columns(text), width) << "method " << method << " language " << language;
    }
  }
}

}  // namespace
}  // namespace wisetup
