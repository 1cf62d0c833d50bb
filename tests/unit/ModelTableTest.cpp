#include <gtest/gtest.h>

#include "TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/ModelTable.h"

namespace wisetup {
namespace {

using test::PrintTo;
using test::RowName;

std::vector<RobotWeldTable> FirstTableRated(std::uint16_t rated) {
  RobotWeldTable t(TableForm::Short);
  t.SetRatedCurrent(rated);
  return {t};
}

struct PairingRow {
  const char* name;
  int kind;
  std::vector<int> accepted;  // of the codes 0, 20, 22, 23, 24, 31, 33 and 99
  std::vector<RobotWeldTable> tables;
};

class Pairing : public ::testing::TestWithParam<PairingRow> {};

TEST_P(Pairing, AcceptsExactlyTheListedCodes) {
  const PairingRow& row = GetParam();
  for (const int code : {0, 20, 22, 23, 24, 31, 33, 99}) {
    const bool expected =
        std::find(row.accepted.begin(), row.accepted.end(), code) != row.accepted.end();
    EXPECT_EQ(IsCompatible(row.kind, code, row.tables), expected) << "code " << code;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Pairing,
    ::testing::Values(PairingRow{"Rk1", 5, {0, 22}, {}}, PairingRow{"Rk2", 11, {0, 22}, {}},
                      PairingRow{"Rk1S2", 14, {0, 22}, {}}, PairingRow{"Rk4", 12, {0, 20}, {}},
                      PairingRow{"Rk4S2", 17, {0, 20}, {}}, PairingRow{"Rk5", 13, {0, 31}, {}},
                      PairingRow{"Rk6", 19, {0, 24}, {}}, PairingRow{"Rk7", 10, {0, 33}, {}},
                      PairingRow{"Rk3NoTables", 9, {0, 23, 24}, {}},
                      PairingRow{"Rk3First350", 9, {0, 23, 24}, FirstTableRated(350)},
                      PairingRow{"Rk3First400", 9, {0, 23, 24}, FirstTableRated(400)},
                      PairingRow{"Rk3First500", 9, {0, 24}, FirstTableRated(500)},
                      PairingRow{"Rk3FirstAllZero", 9, {0, 24}, FirstTableRated(0)},
                      PairingRow{"NotRegistered", 0, {}, {}}, PairingRow{"Unnamed", 3, {}, {}}),
    test::RowName());

TEST(ModelTable, AreaFolders) {
  struct Row {
    int model, area;
    std::optional<std::string> folder;
  };
  const std::vector<Row> rows = {
      {1, 0, "JPN\\"},  {2, 1, "USA\\"},  {3, 2, "EU\\"},       {4, 3, "ASIA\\"},
      {5, 3, "ASIA\\"}, {7, 3, "ASIA\\"}, {1, 3, "JPN\\"},      {2, 3, "JPN\\"},
      {3, 3, "JPN\\"},  {6, 3, "JPN\\"},  {8, 1, "JPN\\"},      {9, 3, "JPN\\"},
      {8, 7, "JPN\\"},  {9, -1, "JPN\\"}, {4, 4, std::nullopt}, {1, -1, std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(AreaFolder(row.model, row.area), row.folder) << row.model << "/" << row.area;
  }
  EXPECT_EQ(FamilyFolder(6), "HXSL\\");
  EXPECT_EQ(FamilyFolder(0), std::nullopt);
  EXPECT_EQ(FamilyFolder(10), std::nullopt);
}

TEST(ModelTable, RatedCurrents) {
  EXPECT_EQ(RatedCurrentOf(1, 2), 400);
  EXPECT_EQ(RatedCurrentOf(1, 3), 350);
  EXPECT_EQ(RatedCurrentOf(4, 1), 400);
  EXPECT_EQ(RatedCurrentOf(4, 0), 350);
  EXPECT_EQ(RatedCurrentOf(6, 3), 500);
  EXPECT_EQ(RatedCurrentOf(7, 2), 400);
  for (const auto& [model, area] : {std::pair{0, 0}, std::pair{8, 0}, std::pair{9, 2},
                                    std::pair{1, 4}, std::pair{2, -1}, std::pair{-1, 0}}) {
    EXPECT_EQ(RatedCurrentOf(model, area), std::nullopt) << model << "/" << area;
  }
}

// A setup file stores only the model code and the rated current; together they must name the
// model that was chosen, in every area.
TEST(ModelTable, CodeAndRatedCurrentGiveTheModelBack) {
  for (int model = 1; model < kModelCount; ++model) {
    for (int area = 0; area < kAreaCount; ++area) {
      const int rated = RatedCurrentOf(model, area).value_or(model == 9 ? 500 : 350);
      EXPECT_EQ(ModelIndexFromCode(ModelCode(model), rated), model)
          << kModelItems[model] << " area " << area;
    }
  }
  EXPECT_EQ(ModelIndexFromCode(22, 0), 1);
  EXPECT_EQ(ModelIndexFromCode(0, 500), 0);
  EXPECT_EQ(ModelIndexFromCode(21, 350), 0);
  EXPECT_EQ(ModelCode(-1), 0);
  EXPECT_EQ(ModelCode(10), 0);
  EXPECT_EQ(std::string(kModelItems[0]), "---------");
  EXPECT_EQ(std::string(kModelItems[9]), "HX-U500P");
}

}  // namespace
}  // namespace wisetup
