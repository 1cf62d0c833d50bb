// Applying selections to a loaded backup without any dialog, as a front without a window does: the
// choices taken from one load come back on a fresh load, and each choice that cannot be applied is
// returned while the rest is applied.
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Mainunit.h"
#include "demo-data/DemoData.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;
using test::PrintTo;
using test::RowName;

class SelectionsApply : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    platform_.executable = (dir_ / "app" / "wisetup").string();
    demo::WriteDemoCatalogue(dir_ / "app");
    demo::WriteDemoBackup(dir_ / "demo");
    form_.LanguageIndex = 1;
    form_.LoadBackupFolder((dir_ / "demo").string());
    Pick(Ctl::ComboBoxWpsWelder, 1);
    Mode(0, 0);
    Mode(1, 2);
    Pick(Ctl::ComboBoxWelderNo, 1);
    Pick(Ctl::ComboBoxArea, 2);
    Pick(Ctl::ComboBoxWpsWelder, 3);
    Mode(3, 1);
    Pick(Ctl::ComboBoxWelderNo, 3);
    Pick(Ctl::ComboBoxWpsWelder, 7);
    Mode(4, 4);
    form_.C(Ctl::CheckBoxUseRcWCD).Checked = false;
    form_.CheckBoxUseRcWCDClick();
    Pick(Ctl::ComboBoxWelderNo, 0);
    saved_ = form_.CurrentSelections();
    chosen_ = form_.Slots;
    form_.LoadBackupFolder((dir_ / "demo").string());
    platform_.messages.clear();
  }

  void Pick(Ctl list, int index) {
    form_.C(list).ItemIndex = index;
    InfoOf(list).handler(form_, list);
  }
  void Mode(int registration, int index) {
    form_.C(Ctl::PageControlRejist).ActivePage = registration;
    Pick(ComboBoxWpsWModeOf(registration), index);
  }

  test::RecordingPlatform platform_;
  TForm1 form_{platform_};
  Selections saved_;
  std::array<WelderSlot, kWelders> chosen_;
};

void ExpectSameChoices(const WelderSlot& a, const WelderSlot& b, int welder) {
  EXPECT_EQ(a.WpsModel, b.WpsModel) << welder;
  EXPECT_EQ(a.Area, b.Area) << welder;
  EXPECT_EQ(a.SelectedModes, b.SelectedModes) << welder;
  EXPECT_EQ(a.UseRcWcd, b.UseRcWcd) << welder;
}

TEST_F(SelectionsApply, GivesBackEveryChoiceAndAsksNothing) {
  const std::size_t browsed = platform_.browsed.size();
  EXPECT_TRUE(form_.ApplySelections(saved_).empty());
  for (int w = 0; w < kWelders; ++w) {
    ExpectSameChoices(form_.Slots[static_cast<std::size_t>(w)],
                      chosen_[static_cast<std::size_t>(w)], w);
  }
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(platform_.browsed.size(), browsed);
  EXPECT_EQ(form_.CurrentWelder, 0);
  EXPECT_EQ(form_.C(ComboBoxWpsWModeOf(1)).ItemIndex, 2);
}

struct ProblemRow {
  const char* name;
  std::function<void(Selections&)> change;
  MatchFault fault;
  int welder;
  int registration;
  // What the welder holds afterwards: the file's choices but for the registration named.
  bool welderApplied;
};

class SelectionsApplyProblem : public SelectionsApply,
                               public testing::WithParamInterface<ProblemRow> {};

TEST_P(SelectionsApplyProblem, IsReturnedAndTheRestApplied) {
  const ProblemRow& row = GetParam();
  row.change(saved_);
  const std::vector<MatchProblem> problems = form_.ApplySelections(saved_);
  ASSERT_EQ(problems.size(), 1U);
  EXPECT_EQ(problems[0].fault, row.fault);
  EXPECT_EQ(problems[0].welder, row.welder);
  if (row.welderApplied) {
    EXPECT_EQ(problems[0].registration, row.registration);
  }
  for (int w = 0; w < kWelders; ++w) {
    const auto uw = static_cast<std::size_t>(w);
    WelderSlot expected = chosen_[uw];
    if (w == row.welder && !row.welderApplied) {
      expected.WpsModel = 0;
      expected.Area = 0;
      expected.SelectedModes.fill(-1);
      expected.UseRcWcd = true;
    } else if (w == row.welder) {
      expected.SelectedModes[static_cast<std::size_t>(row.registration)] = -1;
    }
    ExpectSameChoices(form_.Slots[uw], expected, w);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SelectionsApplyProblem,
    testing::Values(
        ProblemRow{"KindDiffers", [](Selections& s) { s.welders[0]->welderKind = 11; },
                   MatchFault::KindDiffers, 0, 0, false},
        ProblemRow{"ModelRefused", [](Selections& s) { s.welders[3]->model = 1; },
                   MatchFault::ModelRefused, 3, 0, false},
        ProblemRow{"EntryRenamed",
                   [](Selections& s) { s.welders[0]->registrations[1]->entry = "$WTBD98"; },
                   MatchFault::EntryMissing, 0, 1, true},
        ProblemRow{"TemplateChanged",
                   [](Selections& s) { s.welders[1]->registrations[3]->sha256[0] ^= 1; },
                   MatchFault::TemplateChanged, 1, 3, true},
        ProblemRow{
            "NoTable",
            [](Selections& s) { s.welders[1]->registrations[2] = s.welders[1]->registrations[3]; },
            MatchFault::NoTable, 1, 2, true}),
    RowName());

}  // namespace
}  // namespace wisetup
