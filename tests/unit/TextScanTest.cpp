// The scanners of the text files: integers, blanks, UTF-16LE and quoted values.
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include "text/IniDocument.h"
#include "text/TextScan.h"

namespace wisetup {
namespace {

using test::Bytes;
using test::PrintTo;
using test::RowName;

using std::nullopt;
using std::optional;
using std::string;

// ---- integers ----------------------------------------------------------------------------------

struct IntRow {
  const char* name;
  const char* text;
  optional<int> settings;
  optional<int> decimal;
};

class IntParsing : public testing::TestWithParam<IntRow> {};

TEST_P(IntParsing, Converts) {
  const IntRow& row = GetParam();
  EXPECT_EQ(ParseSettingsInt(row.text), row.settings);
  EXPECT_EQ(ParseDecimalInt(row.text), row.decimal);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IntParsing,
    testing::Values(
        IntRow{"Negative", "-17", -17, -17}, IntRow{"Plus", "+5", 5, 5},
        IntRow{"LeadingZeros", "007", 7, 7}, IntRow{"Max", "2147483647", 2147483647, 2147483647},
        IntRow{"Min", "-2147483648", -2147483647 - 1, -2147483647 - 1},
        IntRow{"AboveMax", "2147483648", nullopt, nullopt},
        IntRow{"BelowMin", "-2147483649", nullopt, nullopt},
        IntRow{"Huge", "99999999999999999999999", nullopt, nullopt},
        IntRow{"HexLower", "0x20", 32, nullopt}, IntRow{"HexUpper", "0X1F", 31, nullopt},
        IntRow{"HexDollar", "$ff", 255, nullopt},
        IntRow{"HexMax", "0x7FFFFFFF", 2147483647, nullopt},
        IntRow{"HexTooBig", "0x80000000", nullopt, nullopt},
        IntRow{"HexLongZeros", "0x000000000001", 1, nullopt},
        IntRow{"HexWithoutDigits", "0x", nullopt, nullopt},
        IntRow{"DollarAlone", "$", nullopt, nullopt},
        IntRow{"SignedHex", "-0x10", nullopt, nullopt},
        IntRow{"HexBadDigit", "0x1g", nullopt, nullopt}, IntRow{"Empty", "", nullopt, nullopt},
        IntRow{"SignAlone", "-", nullopt, nullopt}, IntRow{"TrailingText", "12a", nullopt, nullopt},
        IntRow{"InnerBlank", "1 2", nullopt, nullopt}),
    RowName());

// A profile file saved as UTF-16LE reads as its text, whatever the code units; nothing is dropped.
TEST(Utf16Le, DecodesToUtf8) {
  struct Row {
    const char* name;
    string bytes, utf8;
  };
  for (const Row& row : {
           Row{"Ascii",
               Bytes("\xFF\xFEk\0=\0"
                     "5\0"),
               "k=5"},
           Row{"Kana", Bytes("\xFF\xFE\x7F\xFF"), "\xEF\xBD\xBF"},  // U+FF7F half-width
           Row{"Pair", Bytes("\xFF\xFE\x3D\xD8\x00\xDE"), "\xF0\x9F\x98\x80"},
           Row{"LoneHigh",
               Bytes("\xFF\xFE\x3D\xD8"
                     "a\0"),
               "\xEF\xBF\xBD"
               "a"},
           Row{"LoneLow", Bytes("\xFF\xFE\x00\xDE"), "\xEF\xBF\xBD"},
           Row{"OddByte",
               Bytes("\xFF\xFE"
                     "a\0b"),
               "a\xEF\xBF\xBD"},
       }) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(IsUtf16Le(row.bytes));
    EXPECT_EQ(Utf16LeToUtf8(row.bytes), row.utf8);
  }
  EXPECT_FALSE(IsUtf16Le("\xFF"));
}

TEST(QuotedValue, CutsAtSixtyFourCharactersNeverInsideOne) {
  const string kanji = "\xE7\x9B\xB4";  // one character, three bytes
  string many;
  for (int i = 0; i < 70; ++i) many += kanji;
  string cut;
  for (int i = 0; i < 64; ++i) cut += kanji;
  EXPECT_EQ(QuotedValue(string(64, 'a')), string(64, 'a'));
  EXPECT_EQ(QuotedValue(string(65, 'a')), string(64, 'a') + "…");
  EXPECT_EQ(QuotedValue(many), cut + "…");
  EXPECT_EQ(QuotedValue(string(100, '\xE7'), 3), string(3, '\xE7') + "…");  // broken sequences
  EXPECT_EQ(QuotedValue(string(10'000'000, '9')).size(), 64 + string("…").size());
}

// Each file format keeps its own blanks; a set taken for another would change what files read.
TEST(Blanks, EachSetHoldsItsCharacters) {
  struct Row {
    char c;
    bool spaceTab, cSpace, controlOrSpace;
  };
  for (const Row& row : {Row{' ', true, true, true}, Row{'\t', true, true, true},
                         Row{'\r', false, true, true}, Row{'\v', false, true, true},
                         Row{'\x01', false, false, true}, Row{'\x7f', false, false, false},
                         Row{'a', false, false, false}, Row{'\xa0', false, false, false}}) {
    SCOPED_TRACE(static_cast<int>(row.c));
    EXPECT_EQ(IsBlank(row.c, Blanks::SpaceTab), row.spaceTab);
    EXPECT_EQ(IsBlank(row.c, Blanks::CSpace), row.cSpace);
    EXPECT_EQ(IsBlank(row.c, Blanks::ControlOrSpace), row.controlOrSpace);
  }
  EXPECT_EQ(TrimBlanks("\v 12\t\f", Blanks::CSpace), "12");
  EXPECT_EQ(TrimBlanks("\v 12\t\f", Blanks::SpaceTab), "\v 12\t\f");
}

}  // namespace
}  // namespace wisetup
