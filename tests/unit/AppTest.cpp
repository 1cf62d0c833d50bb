// The application shell of TForm1 driven through a recording Platform: the settings file, the
// folder choices, the reset of the welders and the end of the run.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Mainunit.h"

namespace wisetup {
namespace {

using std::string;
using test::AllZero;
using test::BytesOf;
using test::Fill;
namespace fs = std::filesystem;
using test::Pattern;
using test::PrintTo;
using test::ReadBytes;
using test::RecordingPlatform;
using test::RowName;
using test::WriteBytes;

// A fresh folder per test, with the pretend executable inside it.
class ShellTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    platform_.executable = (dir_ / "wisetup").string();
  }

  fs::path SettingsFile() const { return dir_ / "wisetup.INI"; }
  // The start-up of the window up to the backup folder browser, which the platform cancels.
  void Show() { form_.FormShow(); }

  RecordingPlatform platform_;
  TForm1 form_{platform_};
};

// ---- settings: reading ----------------------------------------------------------------------

struct LoadRow {
  const char* name;
  std::optional<string> content;  // nothing: no settings file
  int lcid;
  int language;
  WindowPlacement placement = WindowPlacement();
  string update = "";
  string backup = "";
};

class LoadSettings : public ShellTest, public testing::WithParamInterface<LoadRow> {};

TEST_P(LoadSettings, AppliesUsableValuesAndDefaultsForTheRest) {
  const LoadRow& row = GetParam();
  if (row.content) WriteBytes(SettingsFile(), *row.content);
  platform_.lcid = row.lcid;
  Show();
  EXPECT_EQ(form_.LanguageIndex, row.language);
  EXPECT_EQ(form_.Placement.Left, row.placement.Left);
  EXPECT_EQ(form_.Placement.Top, row.placement.Top);
  EXPECT_EQ(form_.Placement.Width, row.placement.Width);
  EXPECT_EQ(form_.Placement.Height, row.placement.Height);
  EXPECT_EQ(form_.C(Ctl::EditConfigFolder).Text, row.update);
  EXPECT_EQ(form_.C(Ctl::EditBackupFolder).Text, row.backup);
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_TRUE(platform_.applicationErrors.empty());
}

WindowPlacement Placed(int left, int top, int width, int height) {
  return {left, top, width, height};
}

// Language 5, Top 0x20 and Width abc are read in the scenario shell-settings-applied.
INSTANTIATE_TEST_SUITE_P(
    Rows, LoadSettings,
    testing::Values(
        LoadRow{"NoFileJapaneseLocale", std::nullopt, 1041, 0},
        LoadRow{"NoFileEnglishLocale", std::nullopt, 1033, 1},
        LoadRow{"NoFileChineseLocale", std::nullopt, 2052, 1}, LoadRow{"EmptyFile", "", 1041, 0},
        LoadRow{"LanguageMinusOneFollowsLocale", "[Settings]\r\nLanguage=-1\r\n", 1041, 0},
        LoadRow{"LanguageMinusSevenFollowsLocale", "[Settings]\r\nLanguage=-7\r\n", 1033, 1},
        LoadRow{"LanguageZeroBeatsEnglishLocale", "[Settings]\r\nLanguage=0\r\n", 1033, 0},
        LoadRow{"LanguageNoNumberFollowsLocale", "[Settings]\r\nLanguage=en\r\n", 1041, 0},
        LoadRow{"TopHexadecimalUpperX", "[Settings]\r\nTop=0X20\r\n", 1033, 1,
                Placed(100, 32, 860, 440)},
        LoadRow{"WidthTrailingLetters", "[Settings]\r\nWidth=900px\r\n", 1033, 1},
        LoadRow{"WidthBeyondThirtyTwoBits", "[Settings]\r\nWidth=99999999999\r\n", 1033, 1},
        LoadRow{"LargestHeight", "[Settings]\r\nHeight=2147483647\r\n", 1033, 1,
                Placed(100, 100, 860, 2147483647)},
        LoadRow{"NegativeLeftAppliedAsRead", "[Settings]\r\nLeft=-20\r\n", 1033, 1,
                Placed(-20, 100, 860, 440)},
        LoadRow{"FolderWithBlanksAndJapanese",
                "[Folder]\r\nUPDATE=/d/セット アップ\r\nBACKUP=\"/d/バック アップ\"\r\n", 1033, 1,
                WindowPlacement(), "/d/セット アップ", "/d/バック アップ"},
        LoadRow{"FolderKeptWithoutAddedSeparator", "[Folder]\r\nUPDATE=/d/\r\nBACKUP=/e\r\n", 1033,
                1, WindowPlacement(), "/d/", "/e"},
        LoadRow{"HugeTextCutAt2047Bytes", "[Folder]\r\nUPDATE=" + string(5000, 'u') + "\r\n", 1033,
                1, WindowPlacement(), string(2047, 'u')}),
    RowName());

TEST_F(ShellTest, HugeJapaneseTextIsCutBeforeAHalfCharacter) {
  string value;
  for (int i = 0; i < 1000; ++i) value += "あ";  // three bytes each
  WriteBytes(SettingsFile(), "[Folder]\r\nBACKUP=" + value + "\r\n");
  Show();
  EXPECT_EQ(form_.C(Ctl::EditBackupFolder).Text, value.substr(0, 682 * 3));
}

TEST_F(ShellTest, SettingsPathThatIsAFolderGivesTheDefaults) {
  fs::create_directories(SettingsFile());
  platform_.lcid = 1041;
  Show();
  EXPECT_EQ(form_.LanguageIndex, 0);
  EXPECT_EQ(form_.Placement.Width, 860);
  EXPECT_TRUE(platform_.applicationErrors.empty());
}

struct PathRow {
  const char* name;
  string executable;
  string settings;
};

class SettingsPath : public testing::TestWithParam<PathRow> {};

TEST_P(SettingsPath, ReplacesOnlyTheLastExtension) {
  RecordingPlatform platform;
  platform.executable = GetParam().executable;
  const TForm1 form(platform);
  EXPECT_EQ(form.SettingsPath(), GetParam().settings);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsPath,
    testing::Values(PathRow{"WindowsExecutable", "D:\\Tools\\Setup.exe", "D:\\Tools\\Setup.INI"},
                    PathRow{"TwoExtensions", "/opt/setup.tar.exe", "/opt/setup.tar.INI"},
                    PathRow{"NoExtension", "/opt/wisetup", "/opt/wisetup.INI"},
                    PathRow{"DotInFolderOnly", "/opt/v1.2/wisetup", "/opt/v1.2/wisetup.INI"},
                    PathRow{"DotInWindowsFolderOnly", "C:\\v1.2\\setup", "C:\\v1.2\\setup.INI"}),
    RowName());

// ---- settings: writing ----------------------------------------------------------------------

struct SaveRow {
  const char* name;
  std::optional<string> before;
  string after;
};

class SaveSettings : public ShellTest, public testing::WithParamInterface<SaveRow> {};

// Loads, switches nothing, closes: what the file holds afterwards.
TEST_P(SaveSettings, WritesEveryKeyAndKeepsTheRest) {
  const SaveRow& row = GetParam();
  if (row.before) WriteBytes(SettingsFile(), *row.before);
  platform_.lcid = 1041;
  Show();
  form_.FormClose();
  EXPECT_TRUE(platform_.applicationErrors.empty());
  EXPECT_EQ(ReadBytes(SettingsFile()), row.after);
  std::vector<string> names;
  for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<string>{"wisetup.INI"}) << "a temporary file was left behind";
}

// A line with a NUL and a byte that is no text after the section's one key.
string NulLine() {
  string bytes = "x";
  bytes += '\0';
  bytes += "\xFF\r\n";
  return bytes;
}

// A new file, Language 5, unusable values, a byte order mark and a second [Settings] section are
// saved in the scenarios shell-startup-1041, shell-settings-applied and shell-settings-garbage.
INSTANTIATE_TEST_SUITE_P(
    Rows, SaveSettings,
    testing::Values(
        SaveRow{"FoldersWrittenBackUnchanged",
                "[Folder]\r\nUPDATE=/d/セット アップ\r\nBACKUP=/b/\r\n",
                "[Folder]\r\nUPDATE=/d/セット アップ\r\nBACKUP=/b/\r\n[Settings]\r\nLanguage=0\r\n"
                "Top=100\r\nLeft=100\r\nHeight=440\r\nWidth=860\r\nMaximized=0\r\n"},
        SaveRow{"OtherSectionsKeysAndCommentsKept",
                "; mine\r\n[Other]\r\nA=1\r\n\r\n[settings]\r\nextra = yes\r\nTOP=5\n; end\n",
                "; mine\r\n[Other]\r\nA=1\r\n\r\n[settings]\r\nextra = yes\r\nTOP=5\nLanguage=0\r\n"
                "Left=100\r\nHeight=440\r\nWidth=860\r\nMaximized=0\r\n; "
                "end\n[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        SaveRow{
            "NoFinalLineBreakGetsOne", "[Other]\r\nA=1",
            "[Other]\r\nA=1\r\n[Settings]\r\nLanguage=0\r\nTop=100\r\nLeft=100\r\nHeight=440\r\n"
            "Width=860\r\nMaximized=0\r\n[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        SaveRow{"BinaryLinesKept", "[Settings]\r\nTop=1\r\n" + NulLine(),
                "[Settings]\r\nTop=1\r\nLanguage=0\r\nLeft=100\r\nHeight=440\r\nWidth="
                "860\r\nMaximized=0\r\n" +
                    NulLine() + "[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        // Only once a selections file has been saved or applied is there a folder to remember.
        SaveRow{"SelectionsFolderKept", "[Folder]\r\nSELECTIONS=/line 3/\r\n",
                "[Folder]\r\nSELECTIONS=/line 3/\r\nUPDATE=\r\nBACKUP=\r\n[Settings]\r\n"
                "Language=0\r\nTop=100\r\nLeft=100\r\nHeight=440\r\nWidth=860\r\n"
                "Maximized=0\r\n"}),
    RowName());

TEST_F(ShellTest, UnwritableSettingsRaiseTheErrorWithThePath) {
  fs::create_directories(SettingsFile());
  Show();
  try {
    form_.SaveSettings();
    FAIL() << "no error";
  } catch (const HandlerError& e) {
    EXPECT_EQ(string(e.what()), "Cannot write " + SettingsFile().string() + ".");
  }
}

TEST_F(ShellTest, ReadOnlySettingsFileStaysAsItWas) {
  WriteBytes(SettingsFile(), "[Settings]\r\nLanguage=0\r\n");
  fs::permissions(SettingsFile(), fs::perms::owner_read);
  platform_.lcid = 1033;
  Show();
  form_.EachLanguageClick(1);
  form_.FormClose();
  EXPECT_EQ(platform_.applicationErrors,
            std::vector<string>{"Cannot write " + SettingsFile().string() + "."});
  EXPECT_EQ(ReadBytes(SettingsFile()), "[Settings]\r\nLanguage=0\r\n");
  EXPECT_TRUE(form_.Closed);
}

// Exit saves without closing the window a second time and ends the process even when the save
// fails; a missing folder beside the executable is not made. Closing with an unwritable file is
// the scenario shell-unwritable-close.
TEST_F(ShellTest, ExitEndsWithCodeZeroWhetherOrNotTheSettingsCanBeWritten) {
  for (const char* folder : {"", "no such folder"}) {
    SCOPED_TRACE(folder);
    RecordingPlatform platform;
    platform.executable = (dir_ / folder / "wisetup").string();
    TForm1 form(platform);
    form.FormShow();
    form.ButtonEndClick();
    EXPECT_EQ(platform.exitCode, 0);
    EXPECT_TRUE(form.Terminated);
    EXPECT_FALSE(form.Closed);
    const fs::path settings = dir_ / folder / "wisetup.INI";
    if (string(folder).empty()) {
      EXPECT_TRUE(fs::is_regular_file(settings));
      EXPECT_TRUE(platform.applicationErrors.empty());
    } else {
      EXPECT_EQ(platform.applicationErrors,
                std::vector<string>{"Cannot write " + settings.string() + "."});
      EXPECT_FALSE(fs::exists(dir_ / folder));
    }
  }
}

// ---- construction and reset ---------------------------------------------------------------

TEST_F(ShellTest, ResetKeepsTheRobotSideAndClearsTheChoices) {
  WelderSlot& slot = form_.Slots[2];
  slot.WelderKind = 12;
  slot.TableNumbers.fill(7);
  slot.RobotModeTexts[4] = "kept";
  slot.WpsModel = 3;
  slot.Area = 2;
  slot.SelectedModes.fill(1);
  slot.UseRcWcd = false;
  form_.CurrentWelder = 2;
  form_.ViewMode = true;
  form_.C(Ctl::CheckBoxUseRcWCD).Enabled = true;
  form_.C(Ctl::CheckBoxUseRcWCD).Checked = false;
  form_.C(Ctl::PageControlRejist).ActivePage = 6;

  form_.ResetWelderState();
  EXPECT_EQ(slot.WelderKind, 12);
  EXPECT_EQ(slot.TableNumbers[9], 7);
  EXPECT_EQ(slot.RobotModeTexts[4], "kept");
  EXPECT_EQ(slot.WpsModel, 0);
  EXPECT_EQ(slot.Area, 0);
  EXPECT_EQ(slot.SelectedModes, (std::array<int, 10>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
  EXPECT_TRUE(slot.UseRcWcd);
  EXPECT_EQ(form_.CurrentWelder, 0);
  EXPECT_FALSE(form_.ViewMode);
  EXPECT_FALSE(form_.C(Ctl::CheckBoxUseRcWCD).Enabled);
  EXPECT_FALSE(form_.C(Ctl::CheckBoxUseRcWCD).Checked) << "the reset leaves the check mark";
  EXPECT_EQ(form_.C(Ctl::PageControlRejist).ActivePage, 0);
}

// ---- folder choices -----------------------------------------------------------------------

TEST_F(ShellTest, SetupFolderChoiceFillsTheFieldAndCancelKeepsIt) {
  form_.LanguageIndex = 1;
  platform_.folderAnswers.push_back("/chosen folder/セット");
  form_.ClickSetupFolder();
  EXPECT_EQ(form_.C(Ctl::EditConfigFolder).Text, "/chosen folder/セット");
  form_.ClickSetupFolder();  // cancelled
  EXPECT_EQ(form_.C(Ctl::EditConfigFolder).Text, "/chosen folder/セット");
  ASSERT_EQ(platform_.browsed.size(), 2U);
  EXPECT_EQ(platform_.browsed[0],
            std::make_pair(string("Select the folder (UPDATE) to save setup files."), string()));
  EXPECT_EQ(platform_.browsed[1].second, "/chosen folder/セット");
  EXPECT_FALSE(fs::exists("/chosen folder"));
}

TEST_F(ShellTest, UnknownPurposeShowsNoBrowser) {
  string chosen = "untouched";
  platform_.folderAnswers.push_back("/x");
  EXPECT_FALSE(form_.BrowseForFolder("/", "other_folder", chosen));
  EXPECT_EQ(chosen, "untouched");
  EXPECT_TRUE(platform_.browsed.empty());
}

}  // namespace
}  // namespace wisetup
