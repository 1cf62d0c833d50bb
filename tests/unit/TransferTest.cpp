#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "backup/CharacteristicTransfer.h"
#include "records/WeldRecords.h"
#include "records/WelderKinds.h"

namespace wisetup {
namespace {

using test::PrintTo;
using test::RowName;

WpsModeRecord WithCurrentPoints(const std::vector<std::uint16_t>& points) {
  WpsModeRecord p;
  for (std::size_t j = 0; j < points.size(); ++j) p.SetPoint(0, static_cast<int>(j), points[j]);
  return p;
}

struct LookupRow {
  const char* name;
  std::vector<std::uint16_t> currentPoints;
  std::vector<std::uint16_t> values;  // row 11
  std::uint16_t current;
  std::optional<std::int64_t> expected;
};

class Lookup : public ::testing::TestWithParam<LookupRow> {};

TEST_P(Lookup, Interpolates) {
  const LookupRow& row = GetParam();
  WpsModeRecord p = WithCurrentPoints(row.currentPoints);
  for (std::size_t j = 0; j < row.values.size(); ++j)
    p.SetPoint(11, static_cast<int>(j), row.values[j]);
  EXPECT_EQ(LookupCharacteristic(p, 11, row.current), row.expected);
}

const std::vector<std::uint16_t> kSteps = {0,    500,  1000, 1500, 2000, 2500, 3000,
                                           3500, 4000, 4500, 5000, 5500, 6000, 6500};

INSTANTIATE_TEST_SUITE_P(
    Cases, Lookup,
    ::testing::Values(
        LookupRow{"WorkedExample", kSteps, {0, 0, 2000, 2400}, 120, 2160},
        LookupRow{"AtAPointGivesItsValue", kSteps, {0, 0, 2000, 2400}, 100, 2000},
        // A step in the abscissa: the strict search takes the value right of the step.
        LookupRow{"AtADuplicatedPointTakesTheRightSide",
                  {0, 500, 1000, 1000, 2000},
                  {0, 0, 2000, 3000, 4000},
                  100,
                  3000},
        LookupRow{"EqualFirstPointsAboveGivePointZero", {5000, 5000, 6000}, {777, 999, 1}, 10, 777},
        LookupRow{"ExtrapolatesBelowPointZero", {1000, 1500}, {2000, 2400}, 50, 1600},
        LookupRow{"NegativeQuotientTruncatesTowardZero", {1000, 1003}, {100, 101}, 99, 97},
        LookupRow{"NoPointAbove", kSteps, {}, 650, std::nullopt},
        LookupRow{"AllPointsZero", {}, {}, 0, std::nullopt},
        LookupRow{"ExtremeRisingWordsDoNotOverflow", {0, 65535}, {0, 65535}, 6553, 65530},
        LookupRow{"ExtremeFallingWordsDoNotOverflow", {0, 65535}, {65535, 0}, 6553, 5},
        LookupRow{"NonAscendingUsesFirstPointAbove",
                  {0, 2000, 1000, 3000},
                  {0, 100, 900, 2900},
                  250,
                  900 + 1500 * 2000 / 2000}),
    test::RowName());

// Recipes. The catalogue record has current points every 50 A and rows that rise by 100 per
// point, so a row's value at current c (below 650 A) is base + 2c.
constexpr std::uint16_t kRow1Base = 1000, kRow2Base = 20000, kRow11Base = 30000, kRow30Base = 40000;

WpsModeRecord Catalogue() {
  WpsModeRecord p = WithCurrentPoints(kSteps);
  for (const auto& [row, base] : {std::pair{1, kRow1Base}, std::pair{2, kRow2Base},
                                  std::pair{11, kRow11Base}, std::pair{30, kRow30Base}}) {
    for (int j = 0; j < WpsModeRecord::kPoints; ++j) {
      p.SetPoint(row, j, static_cast<std::uint16_t>(base + 100 * j));
    }
  }
  return p;
}

std::uint16_t CurrentOfGroup(int g) {
  return g == 2 ? 700 : static_cast<std::uint16_t>(20 + 31 * g);
}

RobotWeldTable Filled(TableForm form, std::uint8_t seed, std::uint16_t method) {
  RobotWeldTable t(form);
  auto bytes = t.MutableBytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * seed + 1);
  t.SetMethod(method);
  for (int g = 1; g <= t.ConditionCount(); ++g) t.SetCondCurrent(g, CurrentOfGroup(g));
  return t;
}

enum class Cmd { Kept, FromCurrent, FromRow1 };

struct RecipeRow {
  const char* name;
  int kind;
  std::uint16_t method;
  Cmd cmd;
  int charBase;  // 0: characteristic words kept
  bool ratedFromTemplate;
};

class Recipe : public ::testing::TestWithParam<RecipeRow> {};

TEST_P(Recipe, RevisesExactlyTheNamedWords) {
  const RecipeRow& row = GetParam();
  const TableForm form = IsLongRcTableKind(row.kind) ? TableForm::Long : TableForm::Short;
  const RobotWeldTable t = Filled(form, 5, row.method);
  RobotWeldTable e = Filled(TableForm::Long, 11, 9);
  e.SetRatedCurrent(400);
  e.SetRatedVoltage(41);
  const WpsModeRecord p = Catalogue();

  RobotWeldTable expected = t;
  if (row.ratedFromTemplate) {
    expected.SetRatedCurrent(400);
    expected.SetRatedVoltage(41);
  }
  for (int g = 1; g <= t.ConditionCount(); ++g) {
    const int c = CurrentOfGroup(g);
    const bool inRange = c < 650;
    if (row.cmd == Cmd::FromCurrent) expected.SetCondCurrentCmd(g, static_cast<std::uint16_t>(c));
    if (row.cmd == Cmd::FromRow1 && inRange) {
      expected.SetCondCurrentCmd(g, static_cast<std::uint16_t>(kRow1Base + 2 * c));
    }
    if (row.charBase != 0 && inRange) {
      const auto v = static_cast<std::uint16_t>((row.charBase + 2 * c) / 10);
      expected.SetCondCharValue(g, v);
      expected.SetCondCharValue2(g, v);
    }
  }

  const auto r = BuildRevisedTable({row.kind, &t, &p, &e, 0, true});
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(*r, expected);
  if (form == TableForm::Long) {
    for (std::size_t offset : {146u, 148u, 184u, 186u}) EXPECT_EQ(r->Word(offset), t.Word(offset));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Recipe,
    ::testing::Values(RecipeRow{"Kind5", 5, 3, Cmd::FromRow1, kRow11Base, false},
                      RecipeRow{"Kind14", 14, 1, Cmd::FromRow1, kRow11Base, false},
                      RecipeRow{"Kind9Method0", 9, 0, Cmd::FromCurrent, kRow11Base, true},
                      RecipeRow{"Kind9Method1", 9, 1, Cmd::FromCurrent, kRow30Base, true},
                      RecipeRow{"Kind11", 11, 1, Cmd::FromCurrent, kRow11Base, false},
                      RecipeRow{"Kind12", 12, 1, Cmd::FromCurrent, kRow11Base, false},
                      RecipeRow{"Kind17", 17, 4, Cmd::FromCurrent, kRow11Base, false},
                      RecipeRow{"Kind13Method0", 13, 0, Cmd::FromCurrent, kRow11Base, true},
                      RecipeRow{"Kind13Method2", 13, 2, Cmd::FromCurrent, kRow30Base, true},
                      RecipeRow{"Kind13Method4", 13, 4, Cmd::FromCurrent, kRow2Base, true},
                      RecipeRow{"Kind13Method5", 13, 5, Cmd::FromCurrent, kRow11Base, true},
                      RecipeRow{"Kind19Method1", 19, 1, Cmd::FromCurrent, kRow30Base, true},
                      RecipeRow{"Kind19Method3", 19, 3, Cmd::FromCurrent, kRow2Base, true}),
    test::RowName());

TEST(RecipeKind10, SetsOnlyTheRatedCurrentByModel) {
  const RobotWeldTable t = Filled(TableForm::Short, 3, 0);
  for (const auto& [model, rated] : {std::pair{9, 500}, std::pair{8, 350}, std::pair{0, 500}}) {
    RobotWeldTable expected = t;
    expected.SetRatedCurrent(static_cast<std::uint16_t>(rated));
    const auto r = BuildRevisedTable({10, &t, nullptr, nullptr, model, true});
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, expected) << "model " << model;
  }
}

TEST(RecipeWithoutRobotData, TakesTheTemplateWithTheRobotsWireAndGas) {
  for (const int kind : {13, 19}) {
    const RobotWeldTable t = Filled(TableForm::Long, 5, 1);
    const RobotWeldTable e = Filled(TableForm::Long, 11, 3);
    RobotWeldTable expected = e;
    expected.SetWireDiameter(t.WireDiameter());
    expected.SetGasKind(t.GasKind());
    expected.SetWireKind(t.WireKind());
    expected.SetSpecial(t.Special());
    const WpsModeRecord p = Catalogue();
    const auto r = BuildRevisedTable({kind, &t, &p, &e, 0, false});
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, expected) << "kind " << kind;
  }
}

TEST(RecipeTable, KindsWithoutRecipeBuildNothing) {
  const RobotWeldTable t(TableForm::Long);
  for (const int kind : {0, 3, 15, 18, 20, -1}) {
    EXPECT_FALSE(HasTransferRecipe(kind)) << kind;
    EXPECT_FALSE(BuildRevisedTable({kind, &t, nullptr, nullptr, 0, true}).has_value()) << kind;
  }
  for (const int kind : {5, 9, 10, 11, 12, 13, 14, 17, 19}) EXPECT_TRUE(HasTransferRecipe(kind));
}

TEST(RecipeTable, MissingInputIsRefusedNotDereferenced) {
  const RobotWeldTable t(TableForm::Long);
  EXPECT_THROW(BuildRevisedTable({12, &t, nullptr, nullptr, 0, true}), std::invalid_argument);
  EXPECT_THROW(BuildRevisedTable({10, nullptr, nullptr, nullptr, 9, true}), std::invalid_argument);
  EXPECT_THROW(BuildRevisedTable({13, &t, nullptr, nullptr, 0, false}), std::invalid_argument);
}

}  // namespace
}  // namespace wisetup
