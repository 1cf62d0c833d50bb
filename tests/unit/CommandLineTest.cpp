// The headless front: a line builder's batch over several backups, with its exit codes and lines,
// and the round trip from choices made in the window to the same files written headless.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/CompareTexts.h"
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

  // Every entry below the test's folder, with the bytes of each file.
  std::map<string, string> Tree() const {
    std::map<string, string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      tree[entry.path().string()] = entry.is_regular_file() ? test::ReadBytes(entry.path()) : "/";
    }
    return tree;
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

  // The whole batch is undone without a question, one line per backup; the window's run before it
  // stays.
  EXPECT_EQ(Run({"undo", "--language", "en"}, out), 0) << out;
  for (const char* backup : {"b3", "b1"}) {
    EXPECT_NE(out.find(Path(backup) + ": restored 13 files, removed 1 (they were new) — run "),
              string::npos)
        << out;
  }
  EXPECT_NE(out.find("2 runs: 2 put back, 0 left as they are\n"), string::npos) << out;
  for (const char* setup : {"s1", "s3"}) EXPECT_TRUE(fs::is_empty(dir_ / setup)) << setup;
  EXPECT_EQ(Weld("b1", "$WTBD1"), Weld("b2", "$WTBD1"));
  EXPECT_TRUE(fs::exists(dir_ / "sfirst" / "ZelSetUp.ini"));
}

// A usage error (status 2) is said first, before any pair, and a selections file that cannot be
// used in one line; a pair refused before loading (status 1) is said among the pairs.
TEST_F(CommandLine, UsageErrorsAndRefusalsBeforeAnythingIsWritten) {
  ChooseInTheWindow("first", "sfirst");
  test::WriteBytes(dir_ / "bad.ini", "[NOT SELECTIONS]\r\n");
  string out;
  struct Row {
    const char* name;
    vector<string> arguments;
    int status;
    string says;
  };
  const string checkUsage = "Usage:\n  wisetup check --selections FILE --backup DIR --setup DIR";
  const vector<Row> rows = {
      {"NoPair",
       {"apply", "--selections", Path("line.selections.ini")},
       2,
       "wisetup: --backup is required\nUsage:\n  wisetup apply --selections FILE"},
      {"SetupWithoutBackup",
       {"apply", "--selections", "x", "--setup", Path("s1")},
       2,
       "wisetup: --setup must follow --backup\nUsage:\n  wisetup apply --selections FILE"},
      {"BackupWithoutSetup",
       {"check", "--selections", "x", "--backup", Path("b1")},
       2,
       "wisetup: --backup needs --setup after it\n" + checkUsage},
      {"UnknownOption", {"undo", "--force"}, 2, "wisetup: unknown option: --force\nUsage:\n"},
      {"UnknownCommand",
       {"chek", "--backup", Path("b1")},
       2,
       "wisetup: unknown command: chek\nUsage:\n"},
      {"BadLanguage",
       {"undo", "--language", "de"},
       2,
       "wisetup: --language takes ja or en: de\nUsage:\n  wisetup undo"},
      {"OneBackup", {"compare", Path("b1")}, 2, "wisetup: BACKUP_B is required\nUsage:\n"},
      {"ThreeBackups",
       {"compare", Path("b1"), Path("b2"), Path("b3")},
       2,
       "wisetup: unexpected argument: " + Path("b3") + "\nUsage:\n"},
      {"NoCatalogue",
       {"check", "--selections", Path("line.selections.ini"), "--backup", Path("b1"), "--setup",
        Path("s1"), "--catalogue", Path("s1")},
       2,
       "wisetup: " + Path("s1") + " holds no catalogue (no WeldingMode folder)\n" + checkUsage},
      {"BadSelections",
       {"apply", "--selections", Path("bad.ini"), "--backup", Path("b1"), "--setup", Path("s1"),
        "--backup", Path("b2"), "--setup", Path("s2")},
       2,
       "wisetup: the selections file " + Path("bad.ini") + " cannot be used: "},
      {"MissingSelections",
       {"check", "--selections", Path("none.ini"), "--backup", Path("b1"), "--setup", Path("s1")},
       2,
       "wisetup: the selections file " + Path("none.ini") + " cannot be used: "},
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
      {"NotABackup",
       {"apply", "--selections", Path("line.selections.ini"), "--backup", Path("s3"), "--setup",
        Path("s1")},
       1,
       "Wrong RC backup folder"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    vector<string> arguments = row.arguments;
    if (std::find(arguments.begin(), arguments.end(), "--language") == arguments.end()) {
      arguments.insert(arguments.end(), {"--language", "en"});
    }
    EXPECT_EQ(Run(arguments, out), row.status) << out;
    if (row.status == 2) {
      EXPECT_EQ(out.rfind(row.says, 0), 0u) << out;
    } else {
      EXPECT_NE(out.find(row.says), string::npos) << out;
    }
    if (string(row.name).ends_with("Selections")) {
      EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    }
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
  // The window's words, not the driver's lines.
  EXPECT_NE(out.find(Path("b1") + ": previewed\n14 files are written; 14 of them change.\n"),
            string::npos)
      << out;
  EXPECT_NE(
      out.find(Path("s1") + "/ZelSetUp.ini — new\n  A new file; every key below is written:\n"),
      string::npos)
      << out;
  EXPECT_NE(out.find("\n1 pair: 1 done, 0 refused, 0 left part new\n"), string::npos) << out;
  EXPECT_TRUE(fs::is_empty(dir_ / "s1"));
  EXPECT_EQ(Weld("b1", "$WTBD1"), table);
}

PaperDocument writtenPdf;
FileStatus KeepPdf(const PaperDocument& document, const std::string&) {
  writtenPdf = document;
  return {};
}

// The line's document: the first page lists every pair, then each pair's report or preview, or a
// refused pair's reasons under its line.
TEST_F(CommandLine, TheLinesPdfHoldsEveryPairFromANewPage) {
  ChooseInTheWindow("first", "sfirst");
  test::WriteBytes(dir_ / "s2" / "ZelSetUp.ini", "[KEPT]\r\n");
  for (const bool preview : {false, true}) {
    SCOPED_TRACE(preview);
    vector<string> arguments = {"apply",    "--selections", Path("line.selections.ini"),
                                "--backup", Path("b1"),     "--setup",
                                Path("s1"), "--backup",     Path("b2"),
                                "--setup",  Path("s2"),     "--pdf",
                                "line.pdf", "--language",   "en"};
    if (preview) arguments.push_back("--preview");
    std::ostringstream out;
    writtenPdf = {};
    EXPECT_EQ(RunHeadless(arguments, out, out, &KeepPdf), preview ? 0 : 1) << out.str();
    const vector<PaperSection>& sections = writtenPdf.sections;
    ASSERT_EQ(sections.size(), 3U);
    EXPECT_EQ(sections[0].heading.front(), "Line handover");
    const string b1 = Path("b1") + " → " + Path("s1") + (preview ? ": previewed" : ": created");
    const string b2 = Path("b2") + " → " + Path("s2") + (preview ? ": previewed" : ": refused");
    EXPECT_EQ(sections[0].text, b1 + "\n" + b2 + "\n");
    EXPECT_EQ(sections[1].heading.front(),
              preview ? "Preview of Create Files" : "Report of Create Files");
    EXPECT_NE(sections[1].text.find("14 files are written"), string::npos) << sections[1].text;
    if (!preview) {
      EXPECT_EQ(sections[2].heading, vector<string>{b2});
      EXPECT_NE(sections[2].text.find("exists (--overwrite replaces it)"), string::npos);
    }
  }
}

// A check's document: its first page lists each backup's verdict, each backup's lines follow.
TEST_F(CommandLine, TheChecksPdfHoldsEveryVerdict) {
  ChooseInTheWindow("first", "sfirst");
  std::ostringstream out;
  writtenPdf = {};
  EXPECT_EQ(
      RunHeadless({"check", "--selections", Path("line.selections.ini"), "--backup", Path("b1"),
                   "--setup", Path("s1"), "--pdf", "check.pdf", "--language", "en"},
                  out, out, &KeepPdf),
      1)
      << out.str();
  const vector<PaperSection>& sections = writtenPdf.sections;
  ASSERT_EQ(sections.size(), 2U);
  EXPECT_EQ(sections[0].heading.front(), "Line check");
  EXPECT_EQ(sections[0].text, Path("b1") + ": differs, 14 files\n");
  EXPECT_EQ(sections[1].heading, vector<string>{Path("b1") + ": differs, 14 files"});
  EXPECT_NE(sections[1].text.find("ZelSetUp.ini"), string::npos) << sections[1].text;
}

// The lines of a production line: a board's file made from another cell's backup is refused even
// under --overwrite and replaced only when asked for by name; undo puts back the batch, leaving a
// backup changed since, or only the backup named.
TEST_F(CommandLine, AFileOfAnotherBackupIsRefusedAndABatchIsUndoneTogether) {
  ChooseInTheWindow("first", "sfirst");
  const string selections = Path("line.selections.ini");
  const string b2Table = Weld("b2", "$WTBD1");
  string out;
  ASSERT_EQ(Run({"apply", "--selections", selections, "--backup", Path("b1"), "--setup", Path("s1"),
                 "--language", "en"},
                out),
            0)
      << out;
  const string made = test::ReadBytes(dir_ / "s1" / "ZelSetUp.ini");
  EXPECT_EQ(Run({"apply", "--selections", selections, "--backup", Path("b2"), "--setup", Path("s1"),
                 "--overwrite", "--language", "en"},
                out),
            1);
  EXPECT_NE(out.find(Path("b2") + ": refused\n  " + Path("s1") +
                     "/ZelSetUp.ini was made from the backup folder " + Path("b1") + " on "),
            string::npos)
      << out;
  EXPECT_EQ(Run({"apply", "--selections", selections, "--backup", Path("b2"), "--setup", Path("s1"),
                 "--preview", "--language", "en"},
                out),
            0);
  EXPECT_NE(out.find("/ZelSetUp.ini — unchanged\n  made from " + Path("b1") + " on "), string::npos)
      << out;
  EXPECT_EQ(test::ReadBytes(dir_ / "s1" / "ZelSetUp.ini"), made);
  EXPECT_EQ(Weld("b2", "$WTBD1"), b2Table);

  // Replaced when asked for; b3 in the same batch. b3's file is then changed by hand.
  ASSERT_EQ(Run({"apply", "--selections", selections, "--backup", Path("b2"), "--setup", Path("s1"),
                 "--replace-other-backup", "--backup", Path("b3"), "--setup", Path("s3")},
                out),
            0)
      << out;
  test::WriteBytes(dir_ / "s3" / "ZelSetUp.ini", "[EDITED]\r\n");
  EXPECT_EQ(Run({"undo", "--language", "en"}, out), 1);
  EXPECT_NE(
      out.find(Path("b3") + ": changed since, left as it is\n  " + Path("s3") + "/ZelSetUp.ini\n"),
      string::npos)
      << out;
  EXPECT_NE(out.find(Path("b2") + ": restored 14 files, removed 0 (they were new)"), string::npos)
      << out;
  EXPECT_NE(out.find("2 runs: 1 put back, 1 left as they are\n"), string::npos) << out;
  EXPECT_EQ(test::ReadBytes(dir_ / "s1" / "ZelSetUp.ini"), made);
  EXPECT_EQ(Weld("b2", "$WTBD1"), b2Table);
  EXPECT_NE(Weld("b3", "$WTBD1"), b2Table) << "nothing of b3 is put back half";

  // Only the backup named: b1's run, older than the batch.
  EXPECT_EQ(Run({"undo", "--backup", Path("b1") + "/", "--language", "en"}, out), 0) << out;
  EXPECT_NE(out.find(Path("b1") + ": restored 13 files, removed 1"), string::npos) << out;
  EXPECT_TRUE(fs::is_empty(dir_ / "s1"));
  EXPECT_EQ(Weld("b1", "$WTBD1"), b2Table);
  EXPECT_EQ(Run({"undo", "--backup", Path("b1"), "--language", "en"}, out), 1);
  EXPECT_EQ(out, "There is no Create Files to undo.\n");
}

TEST_F(CommandLine, AMissingSetupFolderIsMadeWhereItsParentIsAndJapaneseIsJapanese) {
  ChooseInTheWindow("first", "sfirst");
  string out;
  EXPECT_EQ(Run({"apply", "--selections", Path("line.selections.ini"), "--backup", Path("b1"),
                 "--setup", Path("new-board"), "--backup", Path("b2"), "--setup",
                 Path("none/board"), "--language", "en"},
                out),
            1);
  EXPECT_NE(out.find(Path("b1") + ": created, 14 files, report "), string::npos) << out;
  EXPECT_NE(out.find("\n  created the setup folder " + Path("new-board") + "\n"), string::npos)
      << out;
  EXPECT_NE(out.find(Path("b2") + ": refused\n  the folder " + Path("none") +
                     ", in which the setup folder would be made, does not exist\n"),
            string::npos)
      << out;
  EXPECT_TRUE(fs::exists(dir_ / "new-board" / "ZelSetUp.ini"));
  EXPECT_FALSE(fs::exists(dir_ / "none"));

  EXPECT_EQ(Run({"apply", "--selections", Path("line.selections.ini"), "--backup", Path("b2"),
                 "--setup", Path("new-board"), "--language", "ja"},
                out),
            1);
  EXPECT_NE(out.find(Path("b2") + ": 作成しませんでした\n"), string::npos) << out;
  for (const char* english : {"refused", "made from", "pairs"}) {
    EXPECT_EQ(out.find(english), string::npos) << english << "\n" << out;
  }
}

// compare prints the window's lines and answers as diff does; a folder that is no backup is one
// line, in either language.
TEST_F(CommandLine, CompareSaysWhatTheWindowSaysWithDiffsExitStatus) {
  ChooseInTheWindow("first", "sfirst");  // first's tables now hold the chosen modes
  struct Row {
    const char* name;
    string a, b;
    const char* language;
    int status;
  };
  const vector<Row> rows = {
      {"Twins", Path("b1"), Path("b2"), "en", 0},
      {"SameFolder", Path("b1"), Path("b1") + "/", "ja", 0},
      {"Applied", Path("b1"), Path("first"), "en", 1},
      {"AppliedJapanese", Path("first"), Path("b2"), "ja", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    string out;
    EXPECT_EQ(Run({"compare", row.a, row.b, "--language", row.language}, out), row.status);
    string expected;
    const int language = string(row.language) == "ja" ? 0 : 1;
    for (const string& line : ComparisonLines(
             CompareBackups(ReadBackupSnapshot(row.a), ReadBackupSnapshot(AbsolutePath(row.b))),
             language)) {
      expected += line + "\n";
    }
    EXPECT_EQ(out, expected);
  }
  for (const char* language : {"ja", "en"}) {
    string out;
    EXPECT_EQ(Run({"compare", Path("b1"), Path("s1"), "--language", language}, out), 2);
    EXPECT_EQ(out,
              NotABackupLine(ReadBackupSnapshot(Path("s1")), language[0] == 'j' ? 0 : 1) + "\n");
    EXPECT_EQ(Run({"compare", Path("nowhere"), Path("b1"), "--language", language}, out), 2);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
  }
}

// A line at a maintenance visit: the cell set up from these selections is up to date, a cell never
// set up differs, a cell whose board file was made from another backup differs for that reason,
// and a folder that is no backup is refused; in both languages, and nothing is touched.
TEST_F(CommandLine, CheckJudgesEachPairAndTouchesNothing) {
  ChooseInTheWindow("first", "sfirst");
  string out;
  ASSERT_EQ(Run({"apply", "--selections", Path("line.selections.ini"), "--backup", Path("b1"),
                 "--setup", Path("s1")},
                out),
            0)
      << out;
  const char* runtime = ::getenv("XDG_RUNTIME_DIR");
  const string kept = runtime != nullptr ? runtime : "";
  ::setenv("XDG_RUNTIME_DIR", Path("run").c_str(), 1);  // where a lock would be left
  fs::create_directories(Path("run"));
  const auto before = Tree();
  const vector<string> line = {"check",        "--selections", Path("line.selections.ini"),
                               "--backup",     Path("first"),  "--setup",
                               Path("sfirst"), "--backup",     Path("b2"),
                               "--setup",      Path("s2"),     "--backup",
                               Path("first"),  "--setup",      Path("s1"),
                               "--backup",     Path("s3"),     "--setup",
                               Path("s3")};
  auto with = [&](const char* language) {
    vector<string> arguments = line;
    arguments.insert(arguments.end(), {"--language", language});
    return arguments;
  };
  EXPECT_EQ(Run(with("en"), out), 1);
  const vector<string> inEnglish = {
      Path("first") + ": up to date\n",
      Path("b2") + ": differs, 14 files\n  " + Path("s2") + "/ZelSetUp.ini — new\n",
      "this backup folder is given twice",
      Path("s3") + ": refused\n  ",
      "4 pairs: 1 up to date, 1 differ, 2 refused\n",
  };
  for (const string& said : inEnglish) EXPECT_NE(out.find(said), string::npos) << said << out;
  EXPECT_EQ(Run(with("ja"), out), 1);
  for (const string& said :
       {Path("first") + ": 最新です\n", string("4 組: 最新 1、相違 1、拒否 2\n")}) {
    EXPECT_NE(out.find(said), string::npos) << said << out;
  }
  for (const char* english : {"up to date", "differs", "refused", "pairs"}) {
    EXPECT_EQ(out.find(english), string::npos) << english << "\n" << out;
  }
  // The board of b1 checked against first, which holds the same choices.
  EXPECT_EQ(Run({"check", "--selections", Path("line.selections.ini"), "--backup", Path("first"),
                 "--setup", Path("s1"), "--language", "en"},
                out),
            1);
  EXPECT_NE(out.find(Path("first") + ": differs, 1 file\n  " + Path("s1") +
                     "/ZelSetUp.ini — unchanged\n"),
            string::npos)
      << out;
  EXPECT_NE(out.find("  made from " + Path("b1") + " on "), string::npos) << out;
  EXPECT_NE(out.find("1 pair: 0 up to date, 1 differ, 0 refused\n"), string::npos) << out;
  // Nor does a preview of the same pair take a lock.
  EXPECT_EQ(Run({"apply", "--preview", "--selections", Path("line.selections.ini"), "--backup",
                 Path("first"), "--setup", Path("s1")},
                out),
            0)
      << out;
  EXPECT_EQ(Tree(), before);
  if (kept.empty()) {
    ::unsetenv("XDG_RUNTIME_DIR");
  } else {
    ::setenv("XDG_RUNTIME_DIR", kept.c_str(), 1);
  }
}

// The catalogue given on the command line, as the folder holding WeldingMode or WeldingMode itself,
// where the window would find none. A folder holding none is a usage error (above).
TEST_F(CommandLine, CatalogueGivenAsItsFolderOrWeldingModeItself) {
  ChooseInTheWindow("first", "sfirst");
  ::setenv("XDG_DATA_HOME", Path("elsewhere").c_str(), 1);  // no catalogue where the window looks
  const vector<string> check = {"check",        "--selections", Path("line.selections.ini"),
                                "--backup",     Path("first"),  "--setup",
                                Path("sfirst"), "--language",   "en"};
  string out;
  EXPECT_EQ(Run(check, out), 1) << out;
  for (const string& catalogue : {Path("data/wisetup"), Path("data/wisetup/WeldingMode")}) {
    vector<string> arguments = check;
    arguments.insert(arguments.end(), {"--catalogue", catalogue});
    EXPECT_EQ(Run(arguments, out), 0) << catalogue << "\n" << out;
    arguments[0] = "apply";
    arguments.push_back("--preview");
    EXPECT_EQ(Run(arguments, out), 0) << catalogue << "\n" << out;
  }
}

TEST_F(CommandLine, HelpExplainsEveryDeclaredOptionAndTheManualListsThem) {
  string out;
  EXPECT_EQ(Run({"--help", "--language", "en"}, out), 0);
  EXPECT_NE(out.find("--version"), string::npos) << out;
  const string manual = test::ReadBytes(WISETUP_MANUAL);
  for (const CommandSpec* command : Commands()) {
    SCOPED_TRACE(command->word);
    EXPECT_NE(out.find(string("  ") + command->word + " "), string::npos) << out;
    string help;
    EXPECT_EQ(Run({command->word, "--help", "--language", "en"}, help), 0);
    EXPECT_NE(help.find(Synopsis(*command)), string::npos) << help;
    for (const OptionSpec& option : command->options) {
      EXPECT_NE(help.find(string(option.name) + (option.value ? string(" ") + option.value : "")),
                string::npos)
          << option.name;
      EXPECT_NE(help.find(option.help.english), string::npos) << option.name;
      string manualName = option.name;  // the manual writes each dash as \-
      for (std::size_t at = 0; (at = manualName.find('-', at)) != string::npos; at += 2) {
        manualName.insert(at, "\\");
      }
      EXPECT_NE(manual.find(manualName), string::npos) << option.name;
    }
  }
}

}  // namespace
}  // namespace wisetup
