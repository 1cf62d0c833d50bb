// The comma lists of A_KIND and A_WTBD, split as the controller writes them.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "backup/ConfigList.h"

namespace wisetup {
namespace {

using std::string;
using std::vector;
using test::PrintTo;
using test::RowName;

// ---- the comma lists of A_KIND and A_WTBD ------------------------------------------------------

struct SplitRow {
  const char* name;
  string value;
  vector<string> items;
};

class Split : public testing::TestWithParam<SplitRow> {};

TEST_P(Split, GivesTheItems) {
  EXPECT_EQ(SplitConfigList(GetParam().value), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Split,
    testing::Values(SplitRow{"CommasAndBlanksMixed", "0,0 , 0,0", {"0", "0", "0", "0"}},
                    SplitRow{"BlanksAloneSeparate", "5 12   9", {"5", "12", "9"}},
                    SplitRow{"BlanksAtTheEndsIgnored", "  5,12  ", {"5", "12"}},
                    SplitRow{"EmptyItemBetweenCommas", "5,,9", {"5", "", "9"}},
                    SplitRow{"EmptyItemBetweenCommasWithBlanks", "5 , , 9", {"5", "", "9"}},
                    SplitRow{"LeadingCommaGivesEmptyItem", ",5", {"", "5"}},
                    SplitRow{"TrailingCommaAddsNoItem", "5,12,", {"5", "12"}},
                    SplitRow{"TrailingCommaWithBlanksAddsNoItem", "5,12 , ", {"5", "12"}},
                    SplitRow{"TwoTrailingCommasAddOneEmptyItem", "5,,", {"5", ""}},
                    SplitRow{"LoneComma", ",", {""}}, SplitRow{"Empty", "", {}},
                    SplitRow{"OnlyBlanks", " \t ", {}},
                    SplitRow{"QuotedItemKeepsCommasAndBlanks", "\"5, 12\",9", {"5, 12", "9"}},
                    SplitRow{"QuotedItemKeepsOuterBlanks", "\" 5 \" 6", {" 5 ", "6"}},
                    SplitRow{"QuotedEmptyItem", "\"\",5", {"", "5"}},
                    SplitRow{"DoubledQuoteInsideQuotes", "\"a\"\"b\"", {"a\"b"}},
                    SplitRow{"TextAfterClosingQuoteIsNextItem", "\"5\"x,6", {"5", "x", "6"}},
                    SplitRow{"QuoteInsideUnquotedItemIsText", "5\"x", {"5\"x"}},
                    SplitRow{"UnterminatedQuoteRunsToTheEnd", "\"5,6", {"5,6"}},
                    SplitRow{"ControlCharactersAreBlanks",
                             "\x01"
                             "5\x1f,\t12\x0b",
                             {"5", "12"}},
                    SplitRow{"DeleteIsNoBlank", "5\x7f,6", {"5\x7f", "6"}},
                    SplitRow{"NulIsABlank",
                             string("5\0"
                                    "6",
                                    3),
                             {"5", "6"}},
                    SplitRow{"HighBytesAreNotBlanks",
                             "\xa0"
                             "5 \xff",
                             {"\xa0"
                              "5",
                              "\xff"}}),
    RowName());

}  // namespace
}  // namespace wisetup
