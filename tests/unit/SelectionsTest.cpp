// The selections file: what it looks like, what the reader refuses and why, and the matching of
// its registrations against a listed catalogue.
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "selections/Selections.h"

namespace wisetup {
namespace {

using std::string;
using test::PrintTo;
using test::RowName;

const string kHashA(64, 'a');
const string kHashB(64, 'b');

Selections Sample() {
  Selections s;
  s.controller = 1;
  WelderChoice w1;
  w1.welderKind = 5;
  w1.model = 1;
  w1.modelText = "HX-R350/R400";
  w1.area = 2;
  w1.useRcWcd = false;
  w1.registrations[0] = RegistrationChoice{"$WTBD11", kHashA, " MAG  1.2 CO2 "};
  w1.registrations[1] = RegistrationChoice{"$WTBD13", kHashB, "\"quoted\""};
  s.welders[0] = w1;
  WelderChoice w4;
  w4.welderKind = 0;
  s.welders[3] = w4;
  return s;
}

TEST(SelectionsFormat, WritesTheSectionsInOrderWithCrLf) {
  Selections s;
  WelderChoice w;
  w.welderKind = 12;
  w.model = 3;
  w.modelText = "HX-R350L/R400L";
  w.registrations[9] = RegistrationChoice{"$WTBD7", kHashA, "MAG"};
  s.welders[1] = w;
  EXPECT_EQ(FormatSelections(s),
            "[Selections]\r\nVersion=1\r\nController=0\r\n"
            "[Welder2]\r\nWelderKind=12\r\nModel=3\r\nModelText=HX-R350L/R400L\r\nArea=0\r\n"
            "UseRcWcd=1\r\n"
            "[Welder2.Registration10]\r\nEntry=$WTBD7\r\nCondition=MAG\r\nSha256=" +
                kHashA + "\r\n[End]\r\n");
}

TEST(SelectionsFormat, ReadsBackWhatItWrote) {
  const Selections s = Sample();
  const SelectionsRead read = ParseSelections(FormatSelections(s));
  ASSERT_TRUE(read.selections);
  EXPECT_EQ(*read.selections, s);
}

TEST(SelectionsFormat, ALineBreakInATextCutsIt) {
  Selections s = Sample();
  s.welders[0]->registrations[0]->condition = "first\r\nsecond";
  const SelectionsRead read = ParseSelections(FormatSelections(s));
  ASSERT_TRUE(read.selections);
  EXPECT_EQ(read.selections->welders[0]->registrations[0]->condition, "first");
}

// ---- what the reader accepts beyond its own output ---------------------------------------------

const string kHead = "[Selections]\r\nVersion=1\r\nController=0\r\n";
const string kWelder1 =
    "[Welder1]\r\nWelderKind=5\r\nModel=1\r\nModelText=x\r\nArea=0\r\nUseRcWcd=1\r\n";
string Registration(const string& section, const string& entry, const string& hash = kHashA) {
  return "[" + section + "]\r\nEntry=" + entry + "\r\nCondition=c\r\nSha256=" + hash + "\r\n";
}
const string kEnd = "[End]\r\n";

TEST(SelectionsParse, IgnoresUnknownKeysAndSectionsAndLetterCase) {
  const string text =
      "; made by hand\n[selections]\nversion = 1\ncontroller=1\nColour=blue\n"
      "[Notes]\nWelder1=whatever\n[WELDER1]\nwelderkind=5\nmodel=2\nmodeltext=x\n"
      "area=3\nuserc wcd=0\nUseRcWcd=0\nFuture=1\n[welder1.registration3]\n"
      "entry=$wtbd3\ncondition=c\nsha256=" +
      string(64, 'F') + "\n[Welder1.RegistrationX]\n[end]\n";
  const SelectionsRead read = ParseSelections(text);
  ASSERT_TRUE(read.selections) << static_cast<int>(read.problem.fault);
  const Selections& s = *read.selections;
  EXPECT_EQ(s.controller, 1);
  ASSERT_TRUE(s.welders[0]);
  EXPECT_FALSE(s.welders[1]);
  EXPECT_EQ(s.welders[0]->model, 2);
  EXPECT_EQ(s.welders[0]->area, 3);
  EXPECT_FALSE(s.welders[0]->useRcWcd);
  ASSERT_TRUE(s.welders[0]->registrations[2]);
  EXPECT_EQ(s.welders[0]->registrations[2]->entry, "$wtbd3");
  EXPECT_EQ(s.welders[0]->registrations[2]->sha256, string(64, 'f'));
}

struct RefusalRow {
  const char* name;
  string text;
  SelectionsFault fault;
  string section = "";
  string key = "";
};

class Refusal : public testing::TestWithParam<RefusalRow> {};

TEST_P(Refusal, NamesTheReason) {
  const SelectionsRead read = ParseSelections(GetParam().text);
  EXPECT_FALSE(read.selections);
  EXPECT_EQ(read.problem.fault, GetParam().fault);
  EXPECT_EQ(read.problem.section, GetParam().section);
  EXPECT_EQ(read.problem.key, GetParam().key);
}

const string kComplete = kHead + kWelder1 + Registration("Welder1.Registration1", "$WTBD1") + kEnd;

INSTANTIATE_TEST_SUITE_P(
    Rows, Refusal,
    testing::Values(
        RefusalRow{"Empty", "", SelectionsFault::NotSelections},
        RefusalRow{"SetupFile", "[SYSTEM]\r\nVERSION=1\r\n", SelectionsFault::NotSelections},
        RefusalRow{"Binary", test::Bytes("\x00\xff[\x01"), SelectionsFault::NotSelections},
        RefusalRow{"LaterVersion", "[Selections]\r\nVersion=2\r\n", SelectionsFault::LaterVersion,
                   "Selections", "Version"},
        RefusalRow{"VersionZero", "[Selections]\r\nVersion=0\r\n[End]\r\n",
                   SelectionsFault::BadValue, "Selections", "Version"},
        RefusalRow{"CutInTheMiddle", kComplete.substr(0, kComplete.size() / 2),
                   SelectionsFault::CutShort},
        RefusalRow{"CutInsideTheDigest", kComplete.substr(0, kComplete.rfind("[End]") - 10),
                   SelectionsFault::CutShort},
        RefusalRow{"CutDigestBeforeEnd",
                   kHead + kWelder1 + Registration("Welder1.Registration1", "$WTBD1", "abc") + kEnd,
                   SelectionsFault::BadValue, "Welder1.Registration1", "Sha256"},
        RefusalRow{"NoController", "[Selections]\r\nVersion=1\r\n[End]\r\n",
                   SelectionsFault::MissingKey, "Selections", "Controller"},
        RefusalRow{"ControllerTwo", "[Selections]\r\nVersion=1\r\nController=2\r\n[End]\r\n",
                   SelectionsFault::BadValue, "Selections", "Controller"},
        RefusalRow{"WelderFive", kHead + "[Welder5]\r\n" + kEnd, SelectionsFault::NoSuchWelder,
                   "WELDER5"},
        RefusalRow{"WelderZero", kHead + "[Welder0]\r\n" + kEnd, SelectionsFault::NoSuchWelder,
                   "WELDER0"},
        RefusalRow{"WelderLeadingZero", kHead + "[Welder01]\r\n" + kEnd,
                   SelectionsFault::NoSuchWelder, "WELDER01"},
        RefusalRow{"WelderHuge", kHead + "[Welder99999999999999999999]\r\n" + kEnd,
                   SelectionsFault::NoSuchWelder, "WELDER99999999999999999999"},
        RefusalRow{"RegistrationOfWelderFive", kHead + "[Welder5.Registration1]\r\n" + kEnd,
                   SelectionsFault::NoSuchWelder, "WELDER5.REGISTRATION1"},
        RefusalRow{"RegistrationEleven",
                   kHead + kWelder1 + Registration("Welder1.Registration11", "$WTBD1") + kEnd,
                   SelectionsFault::NoSuchRegistration, "WELDER1.REGISTRATION11"},
        RefusalRow{"RegistrationWithoutWelder",
                   kHead + Registration("Welder2.Registration1", "$WTBD1") + kEnd,
                   SelectionsFault::NoWelderSection, "WELDER2.REGISTRATION1"},
        RefusalRow{"DuplicatedWelder", kHead + kWelder1 + kWelder1 + kEnd,
                   SelectionsFault::Duplicated, "WELDER1"},
        RefusalRow{"DuplicatedHead", kHead + kHead + kEnd, SelectionsFault::Duplicated,
                   "SELECTIONS"},
        RefusalRow{"ModelTwelve",
                   kHead +
                       "[Welder1]\r\nWelderKind=5\r\nModel=12\r\nModelText=x\r\nArea=0\r\n"
                       "UseRcWcd=1\r\n" +
                       kEnd,
                   SelectionsFault::BadValue, "Welder1", "Model"},
        RefusalRow{"AreaFour",
                   kHead +
                       "[Welder1]\r\nWelderKind=5\r\nModel=1\r\nModelText=x\r\nArea=4\r\n"
                       "UseRcWcd=1\r\n" +
                       kEnd,
                   SelectionsFault::BadValue, "Welder1", "Area"},
        RefusalRow{"KindNotANumber",
                   kHead +
                       "[Welder1]\r\nWelderKind=RK1\r\nModel=1\r\nModelText=x\r\nArea=0\r\n"
                       "UseRcWcd=1\r\n" +
                       kEnd,
                   SelectionsFault::BadValue, "Welder1", "WelderKind"},
        RefusalRow{
            "WelderWithoutArea",
            kHead + "[Welder1]\r\nWelderKind=5\r\nModel=1\r\nModelText=x\r\nUseRcWcd=1\r\n" + kEnd,
            SelectionsFault::MissingKey, "Welder1", "Area"},
        RefusalRow{"EntryOfAnotherFolder",
                   kHead + kWelder1 + Registration("Welder1.Registration1", "..\\x") + kEnd,
                   SelectionsFault::BadEntryName, "Welder1.Registration1", "Entry"},
        RefusalRow{"EntryWithSlash",
                   kHead + kWelder1 + Registration("Welder1.Registration1", "HXR/$WTBD1") + kEnd,
                   SelectionsFault::BadEntryName, "Welder1.Registration1", "Entry"},
        RefusalRow{"EntryDotDot",
                   kHead + kWelder1 + Registration("Welder1.Registration1", "..") + kEnd,
                   SelectionsFault::BadEntryName, "Welder1.Registration1", "Entry"},
        RefusalRow{
            "EntryWithNul",
            kHead + kWelder1 + Registration("Welder1.Registration1", string("$WTBD1\0x", 8)) + kEnd,
            SelectionsFault::BadEntryName, "Welder1.Registration1", "Entry"},
        RefusalRow{"EntryEmpty",
                   kHead + kWelder1 + Registration("Welder1.Registration1", "") + kEnd,
                   SelectionsFault::BadEntryName, "Welder1.Registration1", "Entry"},
        RefusalRow{"DigestNotHex",
                   kHead + kWelder1 +
                       Registration("Welder1.Registration1", "$WTBD1", string(63, 'a') + "g") +
                       kEnd,
                   SelectionsFault::BadValue, "Welder1.Registration1", "Sha256"}),
    RowName());

// ---- matching ----------------------------------------------------------------------------------

TEST(SelectionsMatch, AKindOtherThanTheBackupsIsAProblem) {
  WelderChoice w;
  w.welderKind = 5;
  EXPECT_FALSE(MatchWelderKind(0, w, 5));
  const auto problem = MatchWelderKind(2, w, 9);
  ASSERT_TRUE(problem);
  EXPECT_EQ(*problem, (MatchProblem{MatchFault::KindDiffers, 2, 0, "", 5, 9}));
}

TEST(SelectionsMatch, FindsEachEntryAndNamesWhatCannotBeApplied) {
  WelderChoice w;
  w.registrations[0] = RegistrationChoice{"$WTBD13", kHashB, ""};
  w.registrations[1] = RegistrationChoice{"$WTBD11", kHashA, ""};
  w.registrations[2] = RegistrationChoice{"$WTBD99", kHashA, ""};  // not listed
  w.registrations[3] = RegistrationChoice{"$WTBD12", kHashA, ""};  // listed, other template
  w.registrations[4] = RegistrationChoice{"$WTBD11", kHashA, ""};  // no table
  w.registrations[5] = RegistrationChoice{"$wtbd11", kHashA, ""};  // another letter case
  std::array<int, kRegistrations> tables;
  tables.fill(7);
  tables[4] = -1;
  const ListedCatalogue catalogue{{"$WTBD11", "$WTBD12", "$WTBD13"}, {kHashA, kHashB, kHashB}};
  const RegistrationMatch match = MatchRegistrations(1, w, tables, catalogue);
  EXPECT_EQ(match.modes, (std::array<int, kRegistrations>{2, 0, -1, -1, -1, 0, -1, -1, -1, -1}));
  EXPECT_EQ(match.problems, (std::vector<MatchProblem>{
                                {MatchFault::EntryMissing, 1, 2, "$WTBD99", 0, 0},
                                {MatchFault::TemplateChanged, 1, 3, "$WTBD12", 0, 0},
                                {MatchFault::NoTable, 1, 4, "$WTBD11", 0, 0},
                            }));
}

TEST(SelectionsMatch, SeveralNamesEqualIgnoringCaseMatchNone) {
  WelderChoice w;
  w.registrations[0] = RegistrationChoice{"$WTBD1", kHashA, ""};
  std::array<int, kRegistrations> tables;
  tables.fill(1);
  const ListedCatalogue catalogue{{"$wtbd1", "$Wtbd1"}, {kHashA, kHashA}};
  const RegistrationMatch match = MatchRegistrations(0, w, tables, catalogue);
  EXPECT_EQ(match.modes[0], -1);
  ASSERT_EQ(match.problems.size(), 1U);
  EXPECT_EQ(match.problems[0].fault, MatchFault::EntryMissing);
}

}  // namespace
}  // namespace wisetup
