#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "records/WeldRecords.h"
#include "records/WelderKinds.h"

namespace wisetup {
namespace {

using test::PrintTo;
using test::RowName;

std::uint8_t Pattern(std::size_t i) {
  return static_cast<std::uint8_t>(i * 7 + 3);
}

RobotWeldTable Patterned(TableForm form) {
  RobotWeldTable t(form);
  auto bytes = t.MutableBytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = Pattern(i);
  return t;
}

struct LayoutRow {
  const char* name;
  TableForm form;
  std::size_t fieldBase;
  std::vector<std::size_t> groupWords;  // current, cmd, char, char2 of each group in order
};

class RecordLayout : public ::testing::TestWithParam<LayoutRow> {};

// Every named word is set through its accessor to a distinct value; the result must equal the
// patterned bytes with exactly those words replaced, so a misplaced or overlapping accessor and
// a clobbered spare, head, tail or 12-byte-group word all show up.
TEST_P(RecordLayout, NamedWordsLandAtTheirOffsetsAndNothingElseChanges) {
  const LayoutRow& row = GetParam();
  RobotWeldTable t = Patterned(row.form);
  std::vector<std::uint8_t> expected(t.Bytes().begin(), t.Bytes().end());
  std::uint16_t next = 0x1101;
  const auto put = [&](std::size_t offset) {
    const std::uint16_t v = next;
    next = static_cast<std::uint16_t>(next + 0x0102);
    expected[offset] = static_cast<std::uint8_t>(v & 0xFF);
    expected[offset + 1] = static_cast<std::uint8_t>(v >> 8);
    return v;
  };
  const std::size_t b = row.fieldBase;
  t.SetMethod(put(b));
  t.SetWireDiameter(put(b + 2));
  t.SetGasKind(put(b + 4));
  t.SetWireKind(put(b + 6));
  t.SetSpecial(put(b + 10));
  t.SetRatedCurrent(put(b + 12));
  t.SetRatedVoltage(put(b + 14));
  ASSERT_EQ(row.groupWords.size(), static_cast<std::size_t>(4 * t.ConditionCount()));
  for (int g = 1; g <= t.ConditionCount(); ++g) {
    const auto* w = &row.groupWords[static_cast<std::size_t>(4 * (g - 1))];
    t.SetCondCurrent(g, put(w[0]));
    t.SetCondCurrentCmd(g, put(w[1]));
    t.SetCondCharValue(g, put(w[2]));
    t.SetCondCharValue2(g, put(w[3]));
  }
  EXPECT_EQ(std::vector<std::uint8_t>(t.Bytes().begin(), t.Bytes().end()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RecordLayout,
    ::testing::Values(LayoutRow{"Short", TableForm::Short, 74, {90,  92,  94,  96,  98,  100, 102,
                                                                104, 106, 112, 114, 116, 118, 120,
                                                                122, 124, 126, 128, 130, 132}},
                      LayoutRow{
                          "Long", TableForm::Long, 112, {128, 130, 132, 134, 136, 138, 140, 142,
                                                         144, 150, 152, 154, 156, 158, 160, 162,
                                                         164, 166, 168, 170, 172, 174, 176, 178,
                                                         180, 182, 188, 190, 192, 194, 196, 198,
                                                         200, 202, 204, 206, 208, 210, 212, 214}}),
    test::RowName());

TEST(RecordWords, AreLittleEndian) {
  RobotWeldTable t(TableForm::Short);
  t.SetWord(146, 0xA1B2);
  EXPECT_EQ(t.Bytes()[146], 0xB2);
  EXPECT_EQ(t.Bytes()[147], 0xA1);
  t.MutableBytes()[0] = 0xFE;
  t.MutableBytes()[1] = 0x01;
  EXPECT_EQ(t.Word(0), 0x01FE);

  WpsModeRecord p;
  p.SetPoint(30, 13, 0xC3D4);
  EXPECT_EQ(p.Bytes()[990], 0xD4);
  EXPECT_EQ(p.Bytes()[991], 0xC3);
  p.SetPoint(0, 0, 0x0102);
  EXPECT_EQ(p.Word(4), 0x0102);
  p.SetPoint(11, 2, 7);
  EXPECT_EQ(p.Word(32 * 11 + 4 + 4), 7);
}

TEST(RecordWords, OutOfRangeThrowsInsteadOfTouchingMemory) {
  RobotWeldTable shortForm(TableForm::Short);
  EXPECT_THROW(shortForm.Word(147), std::out_of_range);
  EXPECT_THROW(shortForm.SetWord(148, 1), std::out_of_range);  // storage is 224, record is not
  EXPECT_THROW(shortForm.Group(0), std::out_of_range);
  EXPECT_THROW(shortForm.Group(6), std::out_of_range);
  RobotWeldTable longForm(TableForm::Long);
  EXPECT_NO_THROW(longForm.Word(222));
  EXPECT_THROW(longForm.Word(223), std::out_of_range);
  EXPECT_THROW(longForm.Group(11), std::out_of_range);
  WpsModeRecord p;
  EXPECT_THROW(p.Point(31, 0), std::out_of_range);
  EXPECT_THROW(p.Point(0, 14), std::out_of_range);
  EXPECT_THROW(p.SetPoint(-1, 0, 1), std::out_of_range);
  EXPECT_THROW(p.Word(991), std::out_of_range);
}

TEST(RecordEquality, ComparesFormAndEveryByte) {
  const RobotWeldTable a = Patterned(TableForm::Long);
  RobotWeldTable b = a;
  EXPECT_EQ(a, b);
  b.MutableBytes()[223] ^= 1;
  EXPECT_NE(a, b);
  EXPECT_NE(RobotWeldTable(TableForm::Short), RobotWeldTable(TableForm::Long));
  EXPECT_EQ(RobotWeldTable(TableForm::Short), RobotWeldTable(TableForm::Short));

  WpsModeRecord p;
  WpsModeRecord q;
  EXPECT_EQ(p, q);
  q.MutableBytes()[0] = 1;  // an uninterpreted word still counts
  EXPECT_NE(p, q);
}

// What the window shows for each kind, as the controller documentation names the kinds.
struct KindRow {
  const char* name;
  int kind;
  std::string japanese;
  std::string english;
  bool isLong;
  int tabs;
  bool checkBox;
  bool area;
};

class WelderKind : public ::testing::TestWithParam<KindRow> {};

TEST_P(WelderKind, NameFormAndControls) {
  const KindRow& row = GetParam();
  EXPECT_EQ(WelderKindName(row.kind, 0), row.japanese);
  EXPECT_EQ(WelderKindName(row.kind, 1), row.english);
  EXPECT_EQ(WelderKindName(row.kind, 7), row.english) << "any language but 0 is English";
  EXPECT_EQ(IsLongRcTableKind(row.kind), row.isLong);
  const WelderKindInfo& info = WelderKindOf(row.kind);
  EXPECT_EQ(info.tabsShown, row.tabs);
  EXPECT_EQ(info.checkBoxApplies, row.checkBox);
  EXPECT_EQ(info.areaShown, row.area);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WelderKind,
    ::testing::Values(KindRow{"NotRegistered", 0, "未登録", "Not Registered", true, 0, false, true},
                      KindRow{"Rk1", 5, "RK1", "RK1", false, 2, false, true},
                      KindRow{"Rk3", 9, "RK3", "RK3", false, 10, false, true},
                      KindRow{"Rk7", 10, "RK7", "RK7", false, 0, false, false},
                      KindRow{"Rk2", 11, "RK2", "RK2", false, 10, false, true},
                      KindRow{"Rk4", 12, "RK4", "RK4", true, 10, false, true},
                      KindRow{"Rk5", 13, "RK5", "RK5", true, 10, true, true},
                      KindRow{"Rk1S2", 14, "RK1(S-2)", "RK1(S-2)", false, 2, false, true},
                      KindRow{"Rk4S2", 17, "RK4(S-2)", "RK4(S-2)", true, 10, false, true},
                      KindRow{"Rk6", 19, "RK6", "RK6", true, 10, true, true},
                      KindRow{"Unnamed3", 3, "---", "---", true, 10, false, true},
                      KindRow{"UnnamedNegative", -1, "---", "---", true, 10, false, true}),
    RowName());

}  // namespace
}  // namespace wisetup
