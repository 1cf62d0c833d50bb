// Companion names and how a companion is found among a folder's entries.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "catalogue/CatalogueFolder.h"

namespace wisetup {
namespace {

using std::string;
using std::vector;
using test::PrintTo;
using test::RowName;

// ---- companion names ---------------------------------------------------------------------------

struct CompanionRow {
  const char* name;
  string templateName;
  string companion;
};

class Companion : public testing::TestWithParam<CompanionRow> {};

TEST_P(Companion, ReplacesTheThreeLetters) {
  EXPECT_EQ(CompanionName(GetParam().templateName), GetParam().companion);
}

INSTANTIATE_TEST_SUITE_P(Rows, Companion,
                         testing::Values(CompanionRow{"Digits", "$WTBD12", "$WPLS12"},
                                         CompanionRow{"NoDigits", "$WTBD", "$WPLS"},
                                         CompanionRow{"LowerCase", "$wtbd7", "$wpls7"},
                                         CompanionRow{"LetterByLetter", "$WtBd1", "$WpLs1"},
                                         CompanionRow{"Suffix", "$WTBD3.BAK", "$WPLS3.BAK"}),
                         RowName());

// ---- finding the companion ---------------------------------------------------------------------

struct FindRow {
  const char* name;
  vector<string> entries;
  string templateName;
  std::optional<string> companion;
};

class FindCompanion : public testing::TestWithParam<FindRow> {};

TEST_P(FindCompanion, ExactNameFirstThenTheOnlyOneIgnoringCase) {
  EXPECT_EQ(CompanionIndex(GetParam().entries).Find(GetParam().templateName), GetParam().companion);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FindCompanion,
    testing::Values(
        FindRow{"Exact", {"$WPLS10", "$WPLS11", "$WPLS1"}, "$WTBD11", "$WPLS11"},
        FindRow{"LowerTwinTakesItsOwn", {"$WPLS11", "$wpls11"}, "$wtbd11", "$wpls11"},
        FindRow{"UpperTwinTakesItsOwn", {"$wpls11", "$WPLS11"}, "$WTBD11", "$WPLS11"},
        FindRow{"MixedCaseLetterByLetter", {"$WPLS1", "$WpLs1", "$wpls1"}, "$WtBd1", "$WpLs1"},
        FindRow{"OnlyOneIgnoringCase", {"$WPLS7", "$WPLS70"}, "$wtbd7", "$WPLS7"},
        FindRow{"SeveralIgnoringCaseNoneExact", {"$WPLS12", "$Wpls12"}, "$wtbd12", std::nullopt},
        FindRow{"Missing", {"$WPLS1", "$WPLS12"}, "$WTBD2", std::nullopt},
        FindRow{"WholeNameOnly", {"$WPLS12", "$WPLS1.BAK"}, "$WTBD1", std::nullopt},
        FindRow{"NoDigits", {"$WPLS1", "$wpls"}, "$WTBD", "$wpls"},
        FindRow{"EmptyFolder", {}, "$WTBD1", std::nullopt}),
    RowName());

}  // namespace
}  // namespace wisetup
