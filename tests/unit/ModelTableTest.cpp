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

// The folder rules: areas by their own folder, ASIA sharing the Japanese catalogue for some
// families, the U models in JPN whatever the area.
TEST(ModelTable, AreaFolders) {
  using enum ModelIndex;
  struct Row {
    ModelIndex model;
    int area;
    std::optional<std::string> folder;
  };
  const std::vector<Row> rows = {
      {HxR350R400, 0, "JPN\\"},       {HxR500, 1, "USA\\"},        {HxR350LR400L, 2, "EU\\"},
      {HxS350S400, 3, "ASIA\\"},      {HxS350LS400L, 3, "ASIA\\"}, {HxT350T400, 3, "ASIA\\"},
      {HxR350R400, 3, "JPN\\"},       {HxR500, 3, "JPN\\"},        {HxR350LR400L, 3, "JPN\\"},
      {HxS500L, 3, "JPN\\"},          {HxU350P, 1, "JPN\\"},       {HxU500P, 3, "JPN\\"},
      {HxU350P, 7, "JPN\\"},          {HxU500P, -1, "JPN\\"},      {HxS350S400, 4, std::nullopt},
      {HxR350R400, -1, std::nullopt}, {None, 0, std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(AreaFolder(row.model, row.area), row.folder)
        << ModelRowOf(row.model).item << " area " << row.area;
  }
  EXPECT_EQ(FamilyFolder(HxS500L), "HXSL\\");
  EXPECT_EQ(FamilyFolder(None), std::nullopt);
}

// A listed catalogue needs a rated current to match its templates against in every area, and a
// model with a family folder has an area folder in every area.
TEST(ModelTable, ModelsWithACatalogueHaveFoldersAndRatingsEverywhere) {
  for (const ModelRow& row : ModelRows()) {
    for (int area = 0; area < kAreaCount; ++area) {
      const bool rated = RatedCurrentOf(row.index, area).has_value();
      EXPECT_EQ(rated, HasCatalogue(row.index)) << row.item << " area " << area;
      EXPECT_EQ(AreaFolder(row.index, area).has_value(), FamilyFolder(row.index).has_value())
          << row.item << " area " << area;
    }
  }
  EXPECT_FALSE(HasCatalogue(ModelIndex::None));
  EXPECT_FALSE(HasCatalogue(ModelIndex::HxU350P));
  EXPECT_FALSE(HasCatalogue(ModelIndex::HxU500P));
  EXPECT_TRUE(HasCatalogue(ModelIndex::HxT350T400));
}

TEST(ModelTable, RatedCurrents) {
  using enum ModelIndex;
  EXPECT_EQ(RatedCurrentOf(HxR500, 2), 500);
  EXPECT_EQ(RatedCurrentOf(HxR350R400, 2), 400);
  EXPECT_EQ(RatedCurrentOf(HxR350R400, 3), 350);
  EXPECT_EQ(RatedCurrentOf(HxS350S400, 1), 400);
  EXPECT_EQ(RatedCurrentOf(HxS350S400, 0), 350);
  for (const auto& [model, area] :
       {std::pair{None, 0}, std::pair{HxU350P, 0}, std::pair{HxU500P, 2}, std::pair{HxR350R400, 4},
        std::pair{HxR500, -1}}) {
    EXPECT_EQ(RatedCurrentOf(model, area), std::nullopt) << Index(model) << "/" << area;
  }
}

TEST(ModelTable, ItemIndexesOutsideTheListMeanNoModel) {
  for (const int item : {-1, 0, kModelCount, 99}) {
    EXPECT_EQ(ModelIndexOf(item), ModelIndex::None) << item;
  }
  for (const ModelRow& row : ModelRows()) EXPECT_EQ(ModelIndexOf(Index(row.index)), row.index);
  EXPECT_EQ(ModelCode(ModelIndexOf(-1)), 0);
}

// A setup file stores only the model code and the rated current; together they must name the
// model that was chosen, in every area.
TEST(ModelTable, CodeAndRatedCurrentGiveTheModelBack) {
  for (const ModelRow& row : ModelRows()) {
    if (row.index == ModelIndex::None) continue;
    for (int area = 0; area < kAreaCount; ++area) {
      const int rated = RatedCurrentOf(row.index, area).value_or(UModelRatedCurrent(row.index));
      EXPECT_EQ(ModelIndexFromCode(row.code, rated), row.index) << row.item << " area " << area;
    }
  }
  EXPECT_EQ(ModelIndexFromCode(22, 0), ModelIndex::HxR350R400);
  EXPECT_EQ(ModelIndexFromCode(20, 500), ModelIndex::HxR350LR400L);
  EXPECT_EQ(ModelIndexFromCode(0, 500), ModelIndex::None);
  EXPECT_EQ(ModelIndexFromCode(21, 350), ModelIndex::None);
  EXPECT_EQ(std::string(ModelRowOf(ModelIndex::None).item), "---------");
}

}  // namespace
}  // namespace wisetup
