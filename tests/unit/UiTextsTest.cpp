// The bilingual text tables: every row in both languages; the quoted texts and accessible names
// character for character.
#include <cerrno>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AccessibleTexts.h"
#include "app/ChangeTexts.h"
#include "app/CompareTexts.h"
#include "app/CreateFilesTexts.h"
#include "app/OverviewTexts.h"
#include "app/RegistrationTexts.h"
#include "app/SelectionsTexts.h"
#include "app/ShellTexts.h"
#include "app/UiTexts.h"

namespace wisetup {
namespace {

using std::string;
using test::PrintTo;
using test::RowName;

// ---- the text table -------------------------------------------------------------------------

TEST(UiTextTable, EveryRowHasBothLanguages) {
  for (int i = 0; i < kUiTextRows; ++i) {
    const auto row = static_cast<TextRow>(i);
    EXPECT_FALSE(UiTextOf(row, 0).empty()) << "row " << i;
    EXPECT_FALSE(UiTextOf(row, 1).empty()) << "row " << i;
    EXPECT_NE(UiTextOf(row, 0), UiTextOf(row, 1)) << "row " << i;
  }
}

// A table sized by its enum takes fewer rows than it has without a word: a row left out of a
// merge would show as an empty box.
template <typename Row, typename Of>
void ExpectEveryRowInBothLanguages(const char* table, Of of) {
  for (int i = 0; i < static_cast<int>(Row::Count); ++i) {
    for (int language : {0, 1}) {
      EXPECT_FALSE(of(static_cast<Row>(i), language).empty())
          << table << " row " << i << " language " << language;
    }
  }
}

TEST(TextTables, EveryRowHasBothLanguages) {
  ExpectEveryRowInBothLanguages<ShellText>("ShellText", ShellTextOf);
  ExpectEveryRowInBothLanguages<CreateFilesText>("CreateFilesText", CreateFilesTextOf);
  ExpectEveryRowInBothLanguages<SelectionsText>("SelectionsText", SelectionsTextOf);
  ExpectEveryRowInBothLanguages<ChangeText>("ChangeText", ChangeTextOf);
  ExpectEveryRowInBothLanguages<CompareText>("CompareText", CompareTextOf);
  ExpectEveryRowInBothLanguages<OverviewText>("OverviewText", OverviewTextOf);
  ExpectEveryRowInBothLanguages<RegistrationText>("RegistrationText", RegistrationTextOf);
  ExpectEveryRowInBothLanguages<AccessibleText>("AccessibleText", AccessibleTextOf);
}

// A text of the table or a control's accessible name: the quoted words in both languages.
struct TextRowCase {
  const char* name;
  std::variant<TextRow, Ctl> row;
  string japanese;
  string english;
};

string TextOf(const std::variant<TextRow, Ctl>& row, int language) {
  if (const Ctl* control = std::get_if<Ctl>(&row)) return AccessibleNameOf(*control, language);
  return UiTextOf(std::get<TextRow>(row), language);
}

class UiTextRows : public testing::TestWithParam<TextRowCase> {};

TEST_P(UiTextRows, MatchTheQuotedTexts) {
  EXPECT_EQ(TextOf(GetParam().row, 0), GetParam().japanese);
  EXPECT_EQ(TextOf(GetParam().row, 1), GetParam().english);
}

// Rows that a scenario transcript shows character for character in both languages are left to it;
// these are the texts no transcript shows, or whose characters are easy to get wrong.
INSTANTIATE_TEST_SUITE_P(
    Rows, UiTextRows,
    testing::Values(
        // The blank between the two halves of the title is a full-width one (U+3000).
        TextRowCase{"Title", TextRow::Title,
                    "溶接電源インターフェース(デジタル)\xE3\x80\x80セットアップ(Ver.7.0)",
                    "Welding Interface(Digital) Setup(Ver.7.0)"},
        TextRowCase{"MenuSettings", TextRow::MenuSettings, "設定(&S)", "Settings(&S)"},
        TextRowCase{"MenuBackupFolder", TextRow::MenuBackupFolder,
                    "バックアップフォルダの設定(&B)...", "Select Backup folder(&B)..."},
        TextRowCase{"EnglishItem", TextRow::MenuEnglish, "英語(&E)", "English(&E)"},
        TextRowCase{"TabTen", TextRow::Register10, "登録１０", "Register10"},
        TextRowCase{"WriteFailure", TextRow::CannotWrite, "%s が書き込めません。",
                    "Cannot write %s."},
        TextRowCase{"MethodsDifferKeepsItsBlank", TextRow::MethodsDiffer,
                    "関連付ける溶接法が一致しません。\n適切な溶接法を選択してください。",
                    "Welding method of characteristic data are different. \nPlease select the "
                    "appropriate destination."},
        TextRowCase{"ModeListOfRegister2", ComboBoxWpsWModeOf(1),
                    "溶接機側で使用する溶接モード 登録２", "Welding mode in WPS side, Register2"},
        TextRowCase{"RobotModeOfRegister10", EditRcWModeOf(9), "ロボット側の溶接モード 登録１０",
                    "Welding mode in RC side, Register10"},
        TextRowCase{"BackupBrowse", Ctl::ButtonBackupFolder, "バックアップフォルダを選択",
                    "Choose the backup folder"},
        TextRowCase{"SavingBrowse", Ctl::ButtonSaveFolder, "保存先フォルダを選択",
                    "Choose the saving folder"},
        TextRowCase{"WelderNumber", Ctl::ComboBoxWelderNo, "溶接機番号", "WPS No"},
        TextRowCase{"CaptionedButton", Ctl::ButtonExit, "", ""}),
    RowName());

TEST(UiTextTable, AnyLanguageOtherThanZeroIsEnglishAndRowsOutsideAreEmpty) {
  EXPECT_EQ(UiTextOf(TextRow::Exit, 5), "Exit");
  EXPECT_EQ(UiTextOf(TextRow::Exit, 0), "終了");
  EXPECT_EQ(UiTextOf(static_cast<TextRow>(-1), 0), "");
  EXPECT_EQ(UiTextOf(static_cast<TextRow>(kUiTextRows), 1), "");
}

TEST(UiTextTable, AsiaIsWrittenInHalfWidthKatakana) {
  EXPECT_EQ(string(AreaItems[3].japanese), "\xEF\xBD\xB1\xEF\xBD\xBC\xEF\xBE\x9E\xEF\xBD\xB1");
  EXPECT_EQ(string(WelderNoItems[3].japanese), "溶接機\xEF\xBC\x94");  // full-width 4
}

// A problem line names the file, our reason in the active language and, where the system gave one,
// the system's own words; a repeated line is shown once.
TEST(ProblemList, AppendsTheSystemsReason) {
  const std::vector<FileStatus> issues = {Failure(FileCode::CannotOpen, "/b/$WTBD1", EACCES),
                                          Failure(FileCode::ReadOnly, "/b/$WTBD2"),
                                          Failure(FileCode::CannotOpen, "/b/$WTBD1", EACCES)};
  EXPECT_EQ(ProblemList("H", issues, 1),
            "H\n/b/$WTBD1: cannot be opened (Permission denied)\n/b/$WTBD2: is read-only");
  EXPECT_EQ(ProblemList("H", issues, 0),
            "H\n/b/$WTBD1: 開けません (Permission denied)\n/b/$WTBD2: 読み取り専用です");
}

// Every reason has its text in both languages with each placeholder filled, and the file's own
// words (a section named with braces) are never taken for a placeholder.
TEST(SelectionsTexts, EveryFaultHasItsLineInBothLanguages) {
  for (int language : {0, 1}) {
    for (int f = 0; f <= static_cast<int>(SelectionsFault::BadEntryName); ++f) {
      const string text = SelectionsProblemText(
          SelectionsProblem{static_cast<SelectionsFault>(f), "W{r}", "K", 2}, language);
      EXPECT_FALSE(text.empty()) << f;
      EXPECT_EQ(text.find("{w}"), string::npos) << text;
      EXPECT_EQ(text.find("{n}"), string::npos) << text;
    }
    for (int f = 0; f <= static_cast<int>(MatchFault::NoTable); ++f) {
      const string text = MatchProblemText(
          MatchProblem{static_cast<MatchFault>(f), 1, 9, "$WTBD{a}", 5, 9}, language);
      EXPECT_NE(text.find(language == 0 ? "溶接機2" : "WPS2"), string::npos) << text;
      EXPECT_EQ(text.find("{welder}"), string::npos) << text;
      EXPECT_EQ(text.find("{registration}"), string::npos) << text;
    }
  }
  EXPECT_EQ(MatchProblemText(MatchProblem{MatchFault::EntryMissing, 1, 9, "$WTBD{a}", 0, 0}, 1),
            "WPS2 Register10: $WTBD{a} is not in this catalogue.");
  EXPECT_EQ(MatchProblemText(MatchProblem{MatchFault::KindDiffers, 0, 0, "", 5, 9}, 1),
            "WPS1: the file's WPS (RK1) is not the WPS registered in RC (RK3).");
}

}  // namespace
}  // namespace wisetup
