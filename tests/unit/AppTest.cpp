// The application shell of TForm1 driven through a recording Platform: the settings file, the
// text table, the folder choices, the end of the run and the table file routines with their
// messages.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/Mainunit.h"
#include "app/UiTexts.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;
using std::string;

struct RowName {
  template <typename Info>
  string operator()(const Info& row) const {
    return row.param.name;
  }
};

// Failing rows print their names, not their bytes.
template <typename Row>
requires requires(const Row& row) {
  row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}

struct Shown {
  MessageKind kind;
  string text;
  string caption;
};

// Records every dialog and answers folder browsers from a queue (cancel when it is empty).
class RecordingPlatform : public Platform {
 public:
  std::vector<Shown> messages;
  std::vector<string> applicationErrors;
  std::vector<std::pair<string, string>> browsed;  // prompt, preselect
  std::deque<std::optional<string>> folderAnswers;
  int lcid = 1033;
  string executable = "/nowhere/wisetup";
  std::optional<int> exitCode;

  MessageAnswer ShowMessage(MessageKind kind, const string& text, const string& caption) override {
    messages.push_back({kind, text, caption});
    return kind == MessageKind::Question ? MessageAnswer::No : MessageAnswer::Ok;
  }
  void ShowApplicationError(const string& text) override { applicationErrors.push_back(text); }
  std::optional<string> BrowseForFolder(const string& prompt, const string& preselect) override {
    browsed.emplace_back(prompt, preselect);
    if (folderAnswers.empty()) return std::nullopt;
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
  }
  std::optional<string> OpenFile(const string&, const string&) override { return std::nullopt; }
  int UserDefaultLcid() override { return lcid; }
  string ExecutablePath() override { return executable; }
  void ExitProcess(int code) override { exitCode = code; }
  // No variables: nothing of the machine's user is read or written, and a settings file that
  // cannot be written beside the executable has no other place to go.
  std::optional<string> Environment(const string&) override { return std::nullopt; }
};

string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const fs::path& path, const string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Bytes that differ from position to position and are never zero.
string Pattern(std::size_t size, unsigned seed) {
  string out(size, '\0');
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<char>(1 + (i * 7 + seed) % 251);
  return out;
}

string BytesOf(std::span<const std::uint8_t> bytes) {
  return string(bytes.begin(), bytes.end());
}

bool AllZero(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t b : bytes) {
    if (b != 0) return false;
  }
  return true;
}

void Fill(std::span<std::uint8_t> bytes, std::uint8_t value) {
  for (std::uint8_t& b : bytes) b = value;
}

// A fresh folder per test, with the pretend executable inside it.
class ShellTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/wisetup-app-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    platform_.executable = (dir_ / "wisetup").string();
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  fs::path SettingsFile() const { return dir_ / "wisetup.INI"; }
  // The start-up of the window up to the backup folder browser, which the platform cancels.
  void Show() { form_.FormShow(); }

  fs::path dir_;
  RecordingPlatform platform_;
  TForm1 form_{platform_};
};

// ---- settings: reading ----------------------------------------------------------------------

struct LoadRow {
  const char* name;
  std::optional<string> content;  // nothing: no settings file
  int lcid;
  int language;
  WindowPlacement placement;
  string update;
  string backup;
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

string WithNul() {
  string bytes = "junk";
  bytes += '\0';
  bytes += "\x01\xFF\xFE binary\r\n[Settings]\r\n\x7F\x80=\x81";
  bytes += '\0';
  bytes += "\r\nTop=5\r\n\x02\x03\r\n[Folder]\r\nBACKUP=/b\r\n";
  return bytes;
}

const WindowPlacement kDefault{};

INSTANTIATE_TEST_SUITE_P(
    Rows, LoadSettings,
    testing::Values(
        LoadRow{"NoFileJapaneseLocale", std::nullopt, 1041, 0, kDefault, "", ""},
        LoadRow{"NoFileEnglishLocale", std::nullopt, 1033, 1, kDefault, "", ""},
        LoadRow{"NoFileChineseLocale", std::nullopt, 2052, 1, kDefault, "", ""},
        LoadRow{"EmptyFile", "", 1041, 0, kDefault, "", ""},
        LoadRow{"LanguageFiveIsEnglish", "[Settings]\r\nLanguage=5\r\n", 1041, 1, kDefault, "", ""},
        LoadRow{"LanguageMinusOneFollowsLocale", "[Settings]\r\nLanguage=-1\r\n", 1041, 0, kDefault,
                "", ""},
        LoadRow{"LanguageMinusSevenFollowsLocale", "[Settings]\r\nLanguage=-7\r\n", 1033, 1,
                kDefault, "", ""},
        LoadRow{"LanguageZeroBeatsEnglishLocale", "[Settings]\r\nLanguage=0\r\n", 1033, 0, kDefault,
                "", ""},
        LoadRow{"LanguageNoNumberFollowsLocale", "[Settings]\r\nLanguage=en\r\n", 1041, 0, kDefault,
                "", ""},
        LoadRow{
            "TopHexadecimal", "[Settings]\r\nTop=0x20\r\n", 1033, 1, {100, 32, 860, 440}, "", ""},
        LoadRow{"TopHexadecimalUpperX",
                "[Settings]\r\nTop=0X20\r\n",
                1033,
                1,
                {100, 32, 860, 440},
                "",
                ""},
        LoadRow{"TopDollarHexadecimal",
                "[Settings]\r\nTop=$1f\r\n",
                1033,
                1,
                {100, 31, 860, 440},
                "",
                ""},
        LoadRow{"WidthNoNumber", "[Settings]\r\nWidth=abc\r\n", 1033, 1, kDefault, "", ""},
        LoadRow{"WidthTrailingLetters", "[Settings]\r\nWidth=900px\r\n", 1033, 1, kDefault, "", ""},
        LoadRow{"WidthBeyondThirtyTwoBits", "[Settings]\r\nWidth=99999999999\r\n", 1033, 1,
                kDefault, "", ""},
        LoadRow{"HexBeyondThirtyTwoBits", "[Settings]\r\nHeight=0x1FFFFFFFF\r\n", 1033, 1, kDefault,
                "", ""},
        LoadRow{"LargestHeight",
                "[Settings]\r\nHeight=2147483647\r\n",
                1033,
                1,
                {100, 100, 860, 2147483647},
                "",
                ""},
        LoadRow{"NegativeLeftAppliedAsRead",
                "[Settings]\r\nLeft=-20\r\n",
                1033,
                1,
                {-20, 100, 860, 440},
                "",
                ""},
        LoadRow{"BlanksAroundValues",
                "[Settings]\r\n  Left =  7 \t\r\n",
                1033,
                1,
                {7, 100, 860, 440},
                "",
                ""},
        LoadRow{"NamesIgnoreLetterCase",
                "[SETTINGS]\nlanguage=0\nTOP=3\n[folder]\nupdate=/u\nBackup=/b\n",
                1033,
                0,
                {100, 3, 860, 440},
                "/u",
                "/b"},
        LoadRow{"ByteOrderMark",
                "\xEF\xBB\xBF[Settings]\r\nLanguage=0\r\nTop=7\r\n",
                1033,
                0,
                {100, 7, 860, 440},
                "",
                ""},
        LoadRow{"LoneCarriageReturns",
                "[Settings]\rTop=9\r[Folder]\rBACKUP=/b",
                1033,
                1,
                {100, 9, 860, 440},
                "",
                "/b"},
        LoadRow{"NoFinalLineBreak", "[Settings]\r\nTop=44", 1033, 1, {100, 44, 860, 440}, "", ""},
        LoadRow{"FirstOfDuplicateSections",
                "[Settings]\r\nTop=1\r\n[Settings]\r\nTop=2\r\nLeft=3\r\n",
                1033,
                1,
                {100, 1, 860, 440},
                "",
                ""},
        LoadRow{"FirstOfDuplicateKeys",
                "[Settings]\r\nTop=1\r\nTop=2\r\n",
                1033,
                1,
                {100, 1, 860, 440},
                "",
                ""},
        LoadRow{"KeysBeforeAnySectionIgnored",
                "Top=1\r\n[Settings]\r\nLeft=2\r\n",
                1033,
                1,
                {2, 100, 860, 440},
                "",
                ""},
        LoadRow{"GarbageAndBinaryLines", WithNul(), 1033, 1, {100, 5, 860, 440}, "", "/b"},
        LoadRow{"FolderWithBlanksAndJapanese",
                "[Folder]\r\nUPDATE=/d/セット アップ\r\nBACKUP=\"/d/バック アップ\"\r\n", 1033, 1,
                kDefault, "/d/セット アップ", "/d/バック アップ"},
        LoadRow{"FolderKeptWithoutAddedSeparator", "[Folder]\r\nUPDATE=/d/\r\nBACKUP=/e\r\n", 1033,
                1, kDefault, "/d/", "/e"},
        LoadRow{"HugeTextCutAt2047Bytes", "[Folder]\r\nUPDATE=" + string(5000, 'u') + "\r\n", 1033,
                1, kDefault, string(2047, 'u'), ""}),
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

TEST_F(ShellTest, StartUpOpensTheBackupBrowserWithTheRememberedFolderAndShowsNoMessage) {
  WriteBytes(SettingsFile(), "[Settings]\r\nLanguage=0\r\n[Folder]\r\nBACKUP=/gone/away\r\n");
  Show();
  ASSERT_EQ(platform_.browsed.size(), 1U);
  EXPECT_EQ(platform_.browsed[0].first,
            "ロボット制御装置から取得したバックアップフォルダを指定してください。");
  EXPECT_EQ(platform_.browsed[0].second, "/gone/away");
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_TRUE(form_.C(Ctl::N6).Checked);
  EXPECT_FALSE(form_.C(Ctl::N5).Checked);
  EXPECT_FALSE(form_.C(Ctl::ComboBoxWelderNo).Enabled);
  EXPECT_TRUE(form_.C(Ctl::ButtonMakeConfig).Enabled);
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

const string kAllDefaultsJapanese =
    "[Settings]\r\nLanguage=0\r\nTop=100\r\nLeft=100\r\nHeight=440\r\nWidth=860\r\nMaximized=0\r\n"
    "[Folder]\r\nUPDATE=\r\nBACKUP=\r\n";

// A line with a NUL and a byte that is no text after the section's one key.
string NulLine() {
  string bytes = "x";
  bytes += '\0';
  bytes += "\xFF\r\n";
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SaveSettings,
    testing::Values(
        SaveRow{"NewFileHoldsAllSevenKeys", std::nullopt, kAllDefaultsJapanese},
        SaveRow{"LanguageFiveSavedAsOne", "[Settings]\r\nLanguage=5\r\n",
                "[Settings]\r\nLanguage=1\r\nTop=100\r\nLeft=100\r\nHeight=440\r\nWidth="
                "860\r\nMaximized=0\r\n"
                "[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        SaveRow{"UnusableValuesReplaced", "[Settings]\r\nTop=0x20\r\nWidth=abc\r\n",
                "[Settings]\r\nTop=32\r\nWidth=860\r\nLanguage=0\r\nLeft=100\r\nHeight="
                "440\r\nMaximized=0\r\n"
                "[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        SaveRow{"FoldersWrittenBackUnchanged",
                "[Folder]\r\nUPDATE=/d/セット アップ\r\nBACKUP=/b/\r\n",
                "[Folder]\r\nUPDATE=/d/セット アップ\r\nBACKUP=/b/\r\n[Settings]\r\nLanguage=0\r\n"
                "Top=100\r\nLeft=100\r\nHeight=440\r\nWidth=860\r\nMaximized=0\r\n"},
        SaveRow{"OtherSectionsKeysAndCommentsKept",
                "; mine\r\n[Other]\r\nA=1\r\n\r\n[settings]\r\nextra = yes\r\nTOP=5\n; end\n",
                "; mine\r\n[Other]\r\nA=1\r\n\r\n[settings]\r\nextra = yes\r\nTOP=5\nLanguage=0\r\n"
                "Left=100\r\nHeight=440\r\nWidth=860\r\nMaximized=0\r\n; "
                "end\n[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        SaveRow{"ByteOrderMarkKept", "\xEF\xBB\xBF[Settings]\r\nLanguage=0\r\n",
                "\xEF\xBB\xBF[Settings]\r\nLanguage=0\r\nTop=100\r\nLeft=100\r\nHeight=440\r\n"
                "Width=860\r\nMaximized=0\r\n[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        SaveRow{
            "NoFinalLineBreakGetsOne", "[Other]\r\nA=1",
            "[Other]\r\nA=1\r\n[Settings]\r\nLanguage=0\r\nTop=100\r\nLeft=100\r\nHeight=440\r\n"
            "Width=860\r\nMaximized=0\r\n[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        SaveRow{"BinaryLinesKept", "[Settings]\r\nTop=1\r\n" + NulLine(),
                "[Settings]\r\nTop=1\r\nLanguage=0\r\nLeft=100\r\nHeight=440\r\nWidth="
                "860\r\nMaximized=0\r\n" +
                    NulLine() + "[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"},
        SaveRow{"SecondSectionOfANameUntouched", "[Settings]\r\nTop=1\r\n[Settings]\r\nTop=2\r\n",
                "[Settings]\r\nTop=1\r\nLanguage=0\r\nLeft=100\r\nHeight=440\r\nWidth="
                "860\r\nMaximized=0\r\n"
                "[Settings]\r\nTop=2\r\n[Folder]\r\nUPDATE=\r\nBACKUP=\r\n"}),
    RowName());

TEST_F(ShellTest, PlacementAndFoldersChangedDuringTheRunAreSaved) {
  platform_.lcid = 1041;
  Show();
  form_.Placement = {-3, 4, 1000, 600};
  platform_.folderAnswers.push_back("/u p");
  form_.ClickSetupFolder();
  form_.EachLanguageClick(1);
  form_.FormClose();
  EXPECT_EQ(
      ReadBytes(SettingsFile()),
      "[Settings]\r\nLanguage=1\r\nTop=4\r\nLeft=-3\r\nHeight=600\r\nWidth=1000\r\nMaximized=0\r\n"
      "[Folder]\r\nUPDATE=/u p\r\nBACKUP=\r\n");
}

TEST_F(ShellTest, ExitWritesTheSettingsAndEndsWithCodeZero) {
  Show();
  form_.ButtonEndClick();
  EXPECT_EQ(platform_.exitCode, 0);
  EXPECT_TRUE(form_.Terminated);
  EXPECT_FALSE(form_.Closed);
  EXPECT_TRUE(fs::is_regular_file(SettingsFile()));
  EXPECT_TRUE(platform_.applicationErrors.empty());
}

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

TEST_F(ShellTest, UnwritableSettingsOnCloseShowTheErrorAndCloseAnyway) {
  fs::create_directories(SettingsFile());
  Show();
  form_.FormClose();
  EXPECT_EQ(platform_.applicationErrors,
            std::vector<string>{"Cannot write " + SettingsFile().string() + "."});
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_TRUE(form_.Closed);
  EXPECT_TRUE(fs::is_directory(SettingsFile()));
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

TEST_F(ShellTest, UnwritableSettingsOnExitShowTheErrorAndExitAnyway) {
  platform_.executable = (dir_ / "no such folder" / "wisetup").string();
  Show();
  form_.ButtonEndClick();
  EXPECT_EQ(platform_.applicationErrors,
            std::vector<string>{"Cannot write " +
                                (dir_ / "no such folder" / "wisetup.INI").string() + "."});
  EXPECT_EQ(platform_.exitCode, 0);
  EXPECT_FALSE(fs::exists(dir_ / "no such folder"));
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

// ---- the text table -------------------------------------------------------------------------

TEST(UiTextTable, EveryRowHasBothLanguages) {
  for (int row = 0; row < kUiTextRows; ++row) {
    EXPECT_FALSE(UiTextOf(row, 0).empty()) << "row " << row;
    EXPECT_FALSE(UiTextOf(row, 1).empty()) << "row " << row;
    EXPECT_NE(UiTextOf(row, 0), UiTextOf(row, 1)) << "row " << row;
  }
}

struct TextRow {
  const char* name;
  int row;
  string japanese;
  string english;
};

class UiTextRows : public testing::TestWithParam<TextRow> {};

TEST_P(UiTextRows, MatchTheQuotedTexts) {
  RecordingPlatform platform;
  TForm1 form(platform);
  form.LanguageIndex = 0;
  EXPECT_EQ(form.UiText(GetParam().row), GetParam().japanese);
  form.LanguageIndex = 1;
  EXPECT_EQ(form.UiText(GetParam().row), GetParam().english);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UiTextRows,
    testing::Values(
        // The blank between the two halves of the title is a full-width one (U+3000).
        TextRow{"Title", 0, "溶接電源インターフェース(デジタル)\xE3\x80\x80セットアップ(Ver.7.0)",
                "Welding Interface(Digital) Setup(Ver.7.0)"},
        TextRow{"MenuSettings", 1, "設定(&S)", "Settings(&S)"},
        TextRow{"MenuBackupFolder", 2, "バックアップフォルダの設定(&B)...",
                "Select Backup folder(&B)..."},
        TextRow{"EnglishItem", 6, "英語(&E)", "English(&E)"},
        TextRow{"TabTen", 24, "登録１０", "Register10"},
        TextRow{"CheckBox", 31, "特性データを引き継ぐ", "Use welding char."},
        TextRow{"OpenFailure", 32, "%s が開けません。", "Cannot open %s."},
        TextRow{"ReadFailure", 33, "%s が読み出せません。", "Cannot read %s."},
        TextRow{"WriteFailure", 34, "%s が書き込めません。", "Cannot write %s."},
        TextRow{"MethodsDifferKeepsItsBlank", 45,
                "関連付ける溶接法が一致しません。\n適切な溶接法を選択してください。",
                "Welding method of characteristic data are different. \nPlease select the "
                "appropriate destination."},
        TextRow{"BackupFolderWrong", 46,
                "バックアップフォルダの指定が不適切です。\n再設定してください。",
                "Wrong RC backup folder is selected.\nPlease select correct folder."},
        TextRow{"BackupFolderWrongCaption", 47, "フォルダ選択異常", "Wrong folder selected"},
        TextRow{"CaptionOfTwoMessages", 40, "設定異常", "Wrong configuration"},
        TextRow{"BackupPrompt", 51,
                "ロボット制御装置から取得したバックアップフォルダを指定してください。",
                "Select the folder containing backup data from RC."},
        TextRow{"SetupPrompt", 52,
                "セットアップファイルを保存するフォルダ(UPDATE)を指定してください。",
                "Select the folder (UPDATE) to save setup files."}),
    RowName());

TEST(UiTextTable, AnyLanguageOtherThanZeroIsEnglishAndRowsOutsideAreEmpty) {
  EXPECT_EQ(UiTextOf(30, 5), "Exit");
  EXPECT_EQ(UiTextOf(30, 0), "終了");
  EXPECT_EQ(UiTextOf(-1, 0), "");
  EXPECT_EQ(UiTextOf(kUiTextRows, 1), "");
}

TEST(UiTextTable, AsiaIsWrittenInHalfWidthKatakana) {
  EXPECT_EQ(string(AreaItems[3].japanese), "\xEF\xBD\xB1\xEF\xBD\xBC\xEF\xBE\x9E\xEF\xBD\xB1");
  EXPECT_EQ(string(WelderNoItems[3].japanese), "溶接機\xEF\xBC\x94");  // full-width 4
}

// ---- table file routines ----------------------------------------------------------------------

enum class Routine { ReadLong, ReadShort, ReadMode };

bool CallRoutine(TForm1& form, Routine routine, const string& path) {
  switch (routine) {
    case Routine::ReadLong:
      return form.ReadRcWeldTable(path, true);
    case Routine::ReadShort:
      return form.ReadRcWeldTable(path, false);
    case Routine::ReadMode:
      return form.ReadWpsModeRecord(path);
  }
  return false;
}

enum class Target { Missing, Folder, Empty, Short, EmptyPath };

struct ReadFailureRow {
  const char* name;
  Routine routine;
  Target target;
  int language;
  string textBefore;  // the message text around the path
  string textAfter;
  string caption;
};

class ReadFailure : public ShellTest, public testing::WithParamInterface<ReadFailureRow> {};

TEST_P(ReadFailure, ShowsItsMessageAndLeavesZeroedBuffers) {
  const ReadFailureRow& row = GetParam();
  string path = (dir_ / "テーブル 1" / "$WTBD7").string();
  switch (row.target) {
    case Target::Missing:
      break;
    case Target::Folder:
      fs::create_directories(path);
      break;
    case Target::Empty:
      WriteBytes(path, "");
      break;
    case Target::Short:
      // One byte less than the record the routine reads.
      WriteBytes(path, Pattern(row.routine == Routine::ReadLong    ? 223
                               : row.routine == Routine::ReadShort ? 147
                                                                   : 991,
                               3));
      break;
    case Target::EmptyPath:
      path.clear();
      break;
  }
  Fill(form_.WorkTable148.MutableBytes(), 0x5A);
  Fill(form_.WorkTable224.MutableBytes(), 0x5A);
  Fill(form_.WorkModeRecord.MutableBytes(), 0x5A);
  form_.LanguageIndex = row.language;

  EXPECT_FALSE(CallRoutine(form_, row.routine, path));
  ASSERT_EQ(platform_.messages.size(), 1U);
  EXPECT_EQ(platform_.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(platform_.messages[0].text, row.textBefore + path + row.textAfter);
  EXPECT_EQ(platform_.messages[0].caption, row.caption);
  if (row.routine == Routine::ReadMode) {
    EXPECT_TRUE(AllZero(form_.WorkModeRecord.Bytes()));
    EXPECT_FALSE(AllZero(form_.WorkTable148.Bytes())) << "the table buffers are not the mode's";
    EXPECT_FALSE(AllZero(form_.WorkTable224.Bytes()));
  } else {
    EXPECT_TRUE(AllZero(form_.WorkTable148.Bytes()));
    EXPECT_TRUE(AllZero(form_.WorkTable224.Bytes()));
    EXPECT_FALSE(AllZero(form_.WorkModeRecord.Bytes()));
  }
}

const string kOpenJa = " が開けません。";
const string kReadJa = " が読み出せません。";

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadFailure,
    testing::Values(ReadFailureRow{"MissingLongEnglish", Routine::ReadLong, Target::Missing, 1,
                                   "Cannot open ", ".", "File Open Error"},
                    ReadFailureRow{"MissingShortJapanese", Routine::ReadShort, Target::Missing, 0,
                                   "", kOpenJa, "File Open Error"},
                    ReadFailureRow{"MissingModeJapanese", Routine::ReadMode, Target::Missing, 0, "",
                                   kOpenJa, "File Open Error"},
                    ReadFailureRow{"FolderEnglish", Routine::ReadLong, Target::Folder, 1,
                                   "Cannot open ", ".", "File Open Error"},
                    ReadFailureRow{"FolderModeJapanese", Routine::ReadMode, Target::Folder, 0, "",
                                   kOpenJa, "File Open Error"},
                    ReadFailureRow{"EmptyPathEnglish", Routine::ReadShort, Target::EmptyPath, 1,
                                   "Cannot open ", ".", "File Open Error"},
                    ReadFailureRow{"EmptyFileLongEnglish", Routine::ReadLong, Target::Empty, 1,
                                   "Cannot read ", ".", "File Read Error"},
                    ReadFailureRow{"EmptyFileShortJapanese", Routine::ReadShort, Target::Empty, 0,
                                   "", kReadJa, "File Read Error"},
                    ReadFailureRow{"ShortFileLongJapanese", Routine::ReadLong, Target::Short, 0, "",
                                   kReadJa, "File Read Error"},
                    ReadFailureRow{"ShortFileShortEnglish", Routine::ReadShort, Target::Short, 1,
                                   "Cannot read ", ".", "File Read Error"},
                    ReadFailureRow{"ShortFileModeEnglish", Routine::ReadMode, Target::Short, 1,
                                   "Cannot read ", ".", "File Read Error"}),
    RowName());

struct ReadRow {
  const char* name;
  Routine routine;
  std::size_t fileSize;
};

class ReadSuccess : public ShellTest, public testing::WithParamInterface<ReadRow> {};

TEST_P(ReadSuccess, UsesTheFirstBytesAndClearsTheOtherTableBuffer) {
  const ReadRow& row = GetParam();
  const fs::path path = dir_ / "folder with blanks" / "日本語" / "$WTBD12";
  const string content = Pattern(row.fileSize, 11);
  WriteBytes(path, content);
  Fill(form_.WorkTable148.MutableBytes(), 0x5A);
  Fill(form_.WorkTable224.MutableBytes(), 0x5A);
  Fill(form_.WorkModeRecord.MutableBytes(), 0x5A);

  EXPECT_TRUE(CallRoutine(form_, row.routine, path.string()));
  EXPECT_TRUE(platform_.messages.empty());
  switch (row.routine) {
    case Routine::ReadLong:
      EXPECT_EQ(BytesOf(form_.WorkTable224.Bytes()), content.substr(0, 224));
      EXPECT_TRUE(AllZero(form_.WorkTable148.Bytes()));
      break;
    case Routine::ReadShort:
      EXPECT_EQ(BytesOf(form_.WorkTable148.Bytes()), content.substr(0, 148));
      EXPECT_TRUE(AllZero(form_.WorkTable224.Bytes()));
      break;
    case Routine::ReadMode:
      EXPECT_EQ(BytesOf(form_.WorkModeRecord.Bytes()), content.substr(0, 992));
      EXPECT_FALSE(AllZero(form_.WorkTable148.Bytes()));
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadSuccess,
                         testing::Values(ReadRow{"LongFromExactFile", Routine::ReadLong, 224},
                                         ReadRow{"LongFrom300Bytes", Routine::ReadLong, 300},
                                         ReadRow{"ShortFromExactFile", Routine::ReadShort, 148},
                                         ReadRow{"ShortFrom300Bytes", Routine::ReadShort, 300},
                                         ReadRow{"ShortFromLongFile", Routine::ReadShort, 224},
                                         ReadRow{"ModeFromExactFile", Routine::ReadMode, 992},
                                         ReadRow{"ModeFromLongerFile", Routine::ReadMode, 1500}),
                         RowName());

TEST_F(ShellTest, ReadsThroughBackslashesAndLetterCase) {
  WriteBytes(dir_ / "WORK" / "weld" / "$wtbd3", Pattern(224, 5));
  EXPECT_TRUE(form_.ReadRcWeldTable(dir_.string() + "\\WORK\\WELD\\$WTBD3", true));
  EXPECT_EQ(BytesOf(form_.WorkTable224.Bytes()), Pattern(224, 5));
}

struct WriteRow {
  const char* name;
  bool longForm;
  std::optional<std::size_t> existingSize;  // nothing: a new file
};

class WriteTable : public ShellTest, public testing::WithParamInterface<WriteRow> {};

TEST_P(WriteTable, PutsTheRecordFirstAndKeepsWhatFollowedIt) {
  const WriteRow& row = GetParam();
  const fs::path path = dir_ / "バック アップ" / "$WTBD40";
  const string existing = row.existingSize ? Pattern(*row.existingSize, 17) : string();
  if (row.existingSize) WriteBytes(path, existing);
  fs::create_directories(path.parent_path());
  RobotWeldTable& work = row.longForm ? form_.WorkTable224 : form_.WorkTable148;
  const string record = Pattern(work.Size(), 23);
  std::copy(record.begin(), record.end(), work.MutableBytes().begin());

  EXPECT_TRUE(form_.WriteRcWeldTable(path.string(), row.longForm));
  EXPECT_TRUE(platform_.messages.empty());
  const string tail = existing.size() > record.size() ? existing.substr(record.size()) : "";
  EXPECT_EQ(ReadBytes(path), record + tail);
  EXPECT_EQ(BytesOf(work.Bytes()), record) << "the work buffer stays as it was";
  std::vector<string> names;
  for (const auto& entry : fs::directory_iterator(path.parent_path()))
    names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<string>{"$WTBD40"});
}

INSTANTIATE_TEST_SUITE_P(Rows, WriteTable,
                         testing::Values(WriteRow{"NewShort", false, std::nullopt},
                                         WriteRow{"NewLong", true, std::nullopt},
                                         WriteRow{"ShortOverLong", false, 224},
                                         WriteRow{"LongOver300Bytes", true, 300},
                                         WriteRow{"LongOverShort", true, 148},
                                         WriteRow{"ShortOverEmpty", false, 0}),
                         RowName());

TEST_F(ShellTest, TableReadAndWrittenAgainIsByteIdentical) {
  for (const bool longForm : {false, true}) {
    const fs::path path = dir_ / (longForm ? "$WTBD2" : "$WTBD1");
    const string content = Pattern(longForm ? 224 : 148, longForm ? 2 : 1);
    WriteBytes(path, content);
    ASSERT_TRUE(form_.ReadRcWeldTable(path.string(), longForm));
    ASSERT_TRUE(form_.WriteRcWeldTable((dir_ / "copy").string(), longForm));
    ASSERT_TRUE(form_.WriteRcWeldTable(path.string(), longForm));
    EXPECT_EQ(ReadBytes(path), content);
    EXPECT_EQ(ReadBytes(dir_ / "copy"), content);
  }
}

TEST_F(ShellTest, WriteGoesBackToTheNameFoundIgnoringCase) {
  WriteBytes(dir_ / "weld" / "$wtbd5", Pattern(224, 1));
  Fill(form_.WorkTable224.MutableBytes(), 0x33);
  EXPECT_TRUE(form_.WriteRcWeldTable(dir_.string() + "\\WELD\\$WTBD5", true));
  EXPECT_EQ(ReadBytes(dir_ / "weld" / "$wtbd5"), string(224, '\x33'));
  EXPECT_FALSE(fs::exists(dir_ / "WELD"));
}

struct WriteFailureRow {
  const char* name;
  int language;
  string textBefore;
  string textAfter;
};

class WriteRefused : public ShellTest, public testing::WithParamInterface<WriteFailureRow> {
 protected:
  void ExpectOpenFailure(const string& path) {
    ASSERT_EQ(platform_.messages.size(), 1U);
    EXPECT_EQ(platform_.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(platform_.messages[0].text, GetParam().textBefore + path + GetParam().textAfter);
    EXPECT_EQ(platform_.messages[0].caption, "File Open Error");
  }
};

TEST_P(WriteRefused, ReadOnlyTargetStaysUntouched) {
  const fs::path path = dir_ / "$WTBD9";
  WriteBytes(path, Pattern(224, 9));
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  form_.LanguageIndex = GetParam().language;
  Fill(form_.WorkTable148.MutableBytes(), 0x44);
  EXPECT_FALSE(form_.WriteRcWeldTable(path.string(), false));
  ExpectOpenFailure(path.string());
  EXPECT_EQ(ReadBytes(path), Pattern(224, 9));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_P(WriteRefused, FolderOfThatNameStaysAFolder) {
  const fs::path path = dir_ / "$WTBD9";
  fs::create_directories(path);
  form_.LanguageIndex = GetParam().language;
  EXPECT_FALSE(form_.WriteRcWeldTable(path.string(), true));
  ExpectOpenFailure(path.string());
  EXPECT_TRUE(fs::is_directory(path));
}

TEST_P(WriteRefused, MissingFolderCreatesNothing) {
  const fs::path path = dir_ / "gone" / "$WTBD9";
  form_.LanguageIndex = GetParam().language;
  EXPECT_FALSE(form_.WriteRcWeldTable(path.string(), true));
  ExpectOpenFailure(path.string());
  EXPECT_FALSE(fs::exists(dir_ / "gone"));
}

TEST_P(WriteRefused, EmptyPath) {
  form_.LanguageIndex = GetParam().language;
  EXPECT_FALSE(form_.WriteRcWeldTable("", true));
  ExpectOpenFailure("");
}

INSTANTIATE_TEST_SUITE_P(Rows, WriteRefused,
                         testing::Values(WriteFailureRow{"Japanese", 0, "", kOpenJa},
                                         WriteFailureRow{"English", 1, "Cannot open ", "."}),
                         RowName());

// A file size limit below the record makes the write itself fail part way, as a full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

struct WriteErrorRow {
  const char* name;
  int language;
  string textBefore;
  string textAfter;
};

class WriteError : public ShellTest, public testing::WithParamInterface<WriteErrorRow> {};

TEST_P(WriteError, ShowsTheWriteFailureAndKeepsTheOldFile) {
  const fs::path path = dir_ / "$WTBD8";
  WriteBytes(path, Pattern(224, 8));
  form_.LanguageIndex = GetParam().language;
  Fill(form_.WorkTable224.MutableBytes(), 0x66);
  bool written = true;
  {
    const FileSizeLimit limit(100);
    written = form_.WriteRcWeldTable(path.string(), true);
  }
  EXPECT_FALSE(written);
  ASSERT_EQ(platform_.messages.size(), 1U);
  EXPECT_EQ(platform_.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(platform_.messages[0].text,
            GetParam().textBefore + path.string() + GetParam().textAfter);
  EXPECT_EQ(platform_.messages[0].caption, "File Write Error");
  EXPECT_EQ(ReadBytes(path), Pattern(224, 8));
  std::vector<string> names;
  for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<string>{"$WTBD8"});
}

INSTANTIATE_TEST_SUITE_P(Rows, WriteError,
                         testing::Values(WriteErrorRow{"Japanese", 0, "", " が書き込めません。"},
                                         WriteErrorRow{"English", 1, "Cannot write ", "."}),
                         RowName());

}  // namespace
}  // namespace wisetup
