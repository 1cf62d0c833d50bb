// The headless front: a line builder's batch over several backups, with its exit codes and lines,
// and the round trip from choices made in the window to the same files written headless.
#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Mainunit.h"
#include "cli/CommandLine.h"
#include "demo-data/DemoData.h"
#include "selections/Selections.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;
using std::string;
using std::vector;

// The catalogue is found through XDG_DATA_HOME, as an installed program finds it.
class CommandLine : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    demo::WriteDemoCatalogue(dir_ / "data" / "wisetup");
    for (const char* name : {"b1", "b2", "b3", "first"}) demo::WriteDemoBackup(dir_ / name);
    for (const char* name : {"s1", "s2", "s3", "sfirst"}) fs::create_directories(dir_ / name);
  }
  void TearDown() override {
    ::unsetenv("XDG_DATA_HOME");
    TempDirTest::TearDown();
  }

  // The demo walkthrough's choices made in the window on `backup`, then Create Files into `setup`
  // and the choices saved to line.selections.ini.
  void ChooseInTheWindow(const string& backup, const string& setup) {
    test::RecordingPlatform platform;
    platform.questionAnswer = MessageAnswer::Yes;
    platform.environment["XDG_DATA_HOME"] = Path("data");
    platform.executable = Path("nowhere/wisetup");
    TForm1 form(platform);
    form.LanguageIndex = 1;
    form.LoadBackupFolder(Path(backup));
    const vector<vector<std::pair<int, int>>> modes = {{{0, 0}, {1, 2}},
                                                       {{0, 0}, {1, 1}, {3, 2}},
                                                       {{0, 0}, {1, 1}, {2, 2}},
                                                       {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}};
    const int models[] = {1, 3, 4, 7};
    for (int w = 0; w < kWelders; ++w) {
      form.C(Ctl::ComboBoxWelderNo).ItemIndex = w;
      form.ComboBoxWelderNoChange();
      form.C(Ctl::ComboBoxWpsWelder).ItemIndex = models[w];
      form.ComboBoxWpsWelderChange();
      for (const auto& [registration, mode] : modes[static_cast<std::size_t>(w)]) {
        form.C(Ctl::PageControlRejist).ActivePage = registration;
        form.C(ComboBoxWpsWModeOf(registration)).ItemIndex = mode;
        form.ComboBoxWpsWModeChange(ComboBoxWpsWModeOf(registration));
      }
    }
    form.C(Ctl::EditConfigFolder).Text = Path(setup);
    form.ButtonMakeConfigClick();
    ASSERT_EQ(form.LastCreate.state, TForm1::CreateOutcome::State::Created);
    test::WriteBytes(dir_ / "line.selections.ini", FormatSelections(form.CurrentSelections()));
  }

  int Run(const vector<string>& arguments, string& out) {
    std::ostringstream o;
    std::ostringstream e;
    const int status = RunHeadless(arguments, o, e);
    out = o.str() + e.str();
    return status;
  }

  string Weld(const string& backup, const string& table) const {
    return test::ReadBytes(dir_ / backup / "WORK" / "A_APPLICATION" / "WELD" / table);
  }
};

TEST_F(CommandLine, ABatchWithARefusedPairCreatesTheOthersAndSaysSo) {
  ChooseInTheWindow("first", "sfirst");
  // b2's setup file exists and --overwrite is not given.
  test::WriteBytes(dir_ / "s2" / "ZelSetUp.ini", "[KEPT]\r\n");
  const string b2Table = Weld("b2", "$WTBD1");
  string out;
  const int status =
      Run({"apply", "--selections", Path("line.selections.ini"), "--backup", Path("b1"), "--setup",
           Path("s1"), "--backup", Path("b2"), "--setup", Path("s2"), "--backup", Path("b3"),
           "--setup", Path("s3"), "--language", "en"},
          out);
  EXPECT_EQ(status, 1) << out;
  const string history = Path("data") + "/wisetup/history/";
  EXPECT_NE(out.find(Path("b1") + ": created, 14 files, report " + history), string::npos) << out;
  EXPECT_NE(out.find(Path("b2") + ": refused\n  " + Path("s2") +
                     "/ZelSetUp.ini exists (--overwrite replaces it)\n"),
            string::npos)
      << out;
  EXPECT_NE(out.find(Path("b3") + ": created, 14 files"), string::npos) << out;
  EXPECT_NE(out.find("3 pairs: 2 done, 1 refused, 0 left part new\n"), string::npos) << out;
  EXPECT_EQ(test::ReadBytes(dir_ / "s2" / "ZelSetUp.ini"), "[KEPT]\r\n");
  EXPECT_EQ(Weld("b2", "$WTBD1"), b2Table);

  // Headless gives byte for byte what the window gave.
  EXPECT_EQ(test::ReadBytes(dir_ / "s1" / "ZelSetUp.ini"),
            test::ReadBytes(dir_ / "sfirst" / "ZelSetUp.ini"));
  for (const char* table : {"$WTBD1", "$WTBD2", "$WTBD11", "$WTBD12", "$WTBD14", "$WTBD21",
                            "$WTBD22", "$WTBD23", "$WTBD31", "$WTBD33", "$WTBD35"}) {
    EXPECT_EQ(Weld("b1", table), Weld("first", table)) << table;
  }

  // The newest run (b3's) is undone without a question.
  EXPECT_EQ(Run({"undo", "--language", "en"}, out), 0) << out;
  EXPECT_EQ(out, "14 files restored.\n");
  EXPECT_FALSE(fs::exists(dir_ / "s3" / "ZelSetUp.ini"));
}

TEST_F(CommandLine, UsageErrorsAndRefusalsBeforeAnythingIsWritten) {
  ChooseInTheWindow("first", "sfirst");
  string out;
  struct Row {
    const char* name;
    vector<string> arguments;
    int status;
    const char* says;
  };
  const vector<Row> rows = {
      {"NoPair", {"apply", "--selections", Path("line.selections.ini")}, 2, "Usage:"},
      {"SetupWithoutBackup", {"apply", "--selections", "x", "--setup", Path("s1")}, 2, "Usage:"},
      {"UnknownOption", {"undo", "--force"}, 2, "Usage:"},
      {"BadLanguage", {"undo", "--language", "de"}, 2, "Usage:"},
      {"SameBackupTwice",
       {"apply", "--selections", Path("line.selections.ini"), "--backup", Path("b1"), "--setup",
        Path("s1"), "--backup", Path("b1") + "/", "--setup", Path("s2"), "--preview"},
       1,
       "this backup folder is given twice"},
      {"SharedSetupFolder",
       {"apply", "--selections", Path("line.selections.ini"), "--backup", Path("b1"), "--setup",
        Path("s1"), "--backup", Path("b2"), "--setup", Path("s1")},
       1,
       "is given for another backup too"},
      {"MissingSelections",
       {"apply", "--selections", Path("none.ini"), "--backup", Path("b1"), "--setup", Path("s1")},
       1,
       "cannot be used"},
      {"NotABackup",
       {"apply", "--selections", Path("line.selections.ini"), "--backup", Path("s3"), "--setup",
        Path("s1")},
       1,
       "Wrong RC backup folder"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Run(row.arguments, out), row.status) << out;
    EXPECT_NE(out.find(row.says), string::npos) << out;
  }
  for (const char* setup : {"s1", "s2"}) EXPECT_TRUE(fs::is_empty(dir_ / setup)) << setup;
}

TEST_F(CommandLine, PreviewPrintsTheChangeListAndWritesNothing) {
  ChooseInTheWindow("first", "sfirst");
  const string table = Weld("b1", "$WTBD1");
  string out;
  EXPECT_EQ(Run({"apply", "--selections", Path("line.selections.ini"), "--backup", Path("b1"),
                 "--setup", Path("s1"), "--preview"},
                out),
            0);
  EXPECT_NE(out.find("preview file=\"" + Path("s1") + "/ZelSetUp.ini\" new\n"), string::npos)
      << out;
  EXPECT_NE(out.find("preview end files=14 changed=14\n"), string::npos) << out;
  EXPECT_TRUE(fs::is_empty(dir_ / "s1"));
  EXPECT_EQ(Weld("b1", "$WTBD1"), table);
}

}  // namespace
}  // namespace wisetup
