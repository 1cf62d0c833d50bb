// The preview and the report as the engineer reads them: the totals first, each table headed by
// the registrations that use it in the window's words, a new setup file's keys listed.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/ChangeTexts.h"
#include "app/RegistrationTexts.h"

namespace wisetup {
namespace {

// Two registrations of two welders share table 22; table 5 has one; the setup file is new.
ChangeList Sample() {
  ChangeList list;
  FileChange setup{"/setup/ZelSetUp.ini", ComposedKind::SetupFile, FileState::New, {}, {}, {}};
  setup.written = {{"SYSTEM", {{"CONTROLLER", "1"}, {"BAUDRATE_CAN2", "0"}}},
                   {"WELDER1_MODE1_RC", {{"METHOD", "2"}}}};
  list.files.push_back(setup);
  list.files.push_back({"/b/WELD/$WTBD22",
                        ComposedKind::Table,
                        FileState::Changed,
                        {},
                        {},
                        {{"METHOD", 112, 2, 1, 2}}});
  list.files.push_back({"/b/WELD/$WTBD5", ComposedKind::Table, FileState::Unchanged, {}, {}, {}});
  return list;
}

ChangeHeading HeadingOf(int language) {
  ChangeHeading heading;
  heading.backupFolder = "/b";
  heading.setupFolder = "/setup";
  heading.tables["/b/WELD/$WTBD22"] = {22,
                                       {{RegistrationName(1, 0, language), "MAG 1.2", "CO2 1.2"},
                                        {RegistrationName(2, 1, language), "MAG 1.2", "MAG 1.2"}}};
  heading.tables["/b/WELD/$WTBD5"] = {5, {{RegistrationName(0, 3, language), "MIG", "MIG 1.0"}}};
  heading.notUsed = {{RegistrationName(1, 2, language), "TIG"}};
  return heading;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

struct TextCase {
  const char* name;
  int language;
  std::vector<std::string> expected;  // the whole text, line by line
};

class ChangeListTexts : public testing::TestWithParam<TextCase> {};

TEST_P(ChangeListTexts, SummaryFirstAndTablesNamedByTheirRegistrations) {
  EXPECT_EQ(Lines(ChangeListText(Sample(), HeadingOf(GetParam().language), GetParam().language)),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, ChangeListTexts,
    testing::Values(TextCase{"Japanese",
                             0,
                             {"書き込むファイル 3 個のうち、内容が変わるのは 2 個です。",
                              "バックアップフォルダ: /b",
                              "セットアップファイルの保存先: /setup",
                              "テーブルのない登録で選択された溶接モード (使われません):",
                              "  溶接機２ 登録３: TIG",
                              "",
                              "/setup/ZelSetUp.ini — 新規作成",
                              "  新しいファイルです。次のキーをすべて書き込みます:",
                              "  [SYSTEM]",
                              "    CONTROLLER=1",
                              "    BAUDRATE_CAN2=0",
                              "  [WELDER1_MODE1_RC]",
                              "    METHOD=2",
                              "",
                              "溶接機２ 登録１, 溶接機３ 登録２ — テーブル 22 — 変更あり",
                              "  溶接機２ 登録１",
                              "    ロボット側: MAG 1.2",
                              "    溶接モード: CO2 1.2",
                              "  溶接機３ 登録２",
                              "    ロボット側: MAG 1.2",
                              "    溶接モード: MAG 1.2",
                              "  ファイル: /b/WELD/$WTBD22",
                              "  METHOD: 1 → 2",
                              "",
                              "溶接機１ 登録４ — テーブル 5 — 変更なし",
                              "  溶接機１ 登録４",
                              "    ロボット側: MIG",
                              "    溶接モード: MIG 1.0",
                              "  ファイル: /b/WELD/$WTBD5",
                              "  このテーブルは変更されません。"}},
                    TextCase{"English",
                             1,
                             {"3 files are written; 2 of them change.",
                              "Backup folder: /b",
                              "Setup folder: /setup",
                              "Modes chosen where no table is registered (not used):",
                              "  WPS2 Register3: TIG",
                              "",
                              "/setup/ZelSetUp.ini — new",
                              "  A new file; every key below is written:",
                              "  [SYSTEM]",
                              "    CONTROLLER=1",
                              "    BAUDRATE_CAN2=0",
                              "  [WELDER1_MODE1_RC]",
                              "    METHOD=2",
                              "",
                              "WPS2 Register1, WPS3 Register2 — table 22 — changed",
                              "  WPS2 Register1",
                              "    Robot side: MAG 1.2",
                              "    Welding mode: CO2 1.2",
                              "  WPS3 Register2",
                              "    Robot side: MAG 1.2",
                              "    Welding mode: MAG 1.2",
                              "  File: /b/WELD/$WTBD22",
                              "  METHOD: 1 → 2",
                              "",
                              "WPS1 Register4 — table 5 — unchanged",
                              "  WPS1 Register4",
                              "    Robot side: MIG",
                              "    Welding mode: MIG 1.0",
                              "  File: /b/WELD/$WTBD5",
                              "  This table does not change."}}),
    [](const testing::TestParamInfo<TextCase>& param) { return std::string(param.param.name); });

// Without a heading (a table the window does not know) a file is named by its path alone.
TEST(ChangeListTexts, TableWithoutHeadingIsNamedByItsPath) {
  const auto lines = Lines(ChangeListText(Sample(), 1));
  EXPECT_EQ(lines.front(), "3 files are written; 2 of them change.");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "/b/WELD/$WTBD22 — changed"), lines.end());
}

// One file, or one change among several, is said in the singular.
TEST(ChangeListTexts, SummarySaysOneFileAndOneChangeInTheSingular) {
  struct Row {
    std::size_t files, changed;
    const char* english;
  };
  for (const Row& row : {Row{1, 1, "1 file is written; it changes."},
                         Row{1, 0, "1 file is written; it does not change."},
                         Row{3, 1, "3 files are written; 1 of them changes."},
                         Row{2, 0, "2 files are written; 0 of them change."}}) {
    ChangeList list;
    for (std::size_t f = 0; f < row.files; ++f) {
      list.files.push_back({"/b/$WTBD" + std::to_string(f),
                            ComposedKind::Table,
                            f < row.changed ? FileState::Changed : FileState::Unchanged,
                            {},
                            {},
                            {}});
    }
    EXPECT_EQ(Lines(ChangeSummaryText(list, {}, 1)).front(), row.english);
    EXPECT_EQ(Lines(ChangeSummaryText(list, {}, 0)).front(),
              "書き込むファイル " + std::to_string(row.files) + " 個のうち、内容が変わるのは " +
                  std::to_string(row.changed) + " 個です。");
  }
}

TEST(RegistrationNames, AreTheWelderItemAndTheTabCaption) {
  EXPECT_EQ(RegistrationName(3, 9, 0), "溶接機４ 登録１０");
  EXPECT_EQ(RegistrationName(0, 0, 1), "WPS1 Register1");
  EXPECT_EQ(RegistrationTextOf(RegistrationText::NoTable, 0), "この登録にはテーブルがありません");
  EXPECT_EQ(RegistrationTextOf(RegistrationText::NoTable, 1), "No table is registered here");
}

}  // namespace
}  // namespace wisetup
