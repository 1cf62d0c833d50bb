#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include "platform/FileIo.h"
#include "text/IniDocument.h"
#include "platform/PathMap.h"
#include "text/TextScan.h"

namespace wisetup {
namespace {

using test::PrintTo;
using test::RowName;

using std::nullopt;
using std::optional;
using std::string;

// ---- INI reading -------------------------------------------------------------------------------

struct GetRow {
  const char* name;
  string content;
  const char* section;
  const char* key;
  optional<string> expected;
};

const string kBom = "\xEF\xBB\xBF";

// Text with embedded NULs, taken at its full length.

template <std::size_t N>
string Bytes(const char (&text)[N]) {
  return string(text, N - 1);
}

class IniGet : public testing::TestWithParam<GetRow> {};

TEST_P(IniGet, FindsValueAndKeepsBytes) {
  const GetRow& row = GetParam();
  const IniDocument document = IniDocument::Parse(row.content);
  EXPECT_EQ(document.Get(row.section, row.key), row.expected);
  EXPECT_EQ(document.Serialize(), row.content);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniGet,
    testing::Values(
        GetRow{"CrLf", "[S]\r\na=1\r\nb=2\r\n", "S", "b", "2"},
        GetRow{"Lf", "[S]\na=1\nb=2\n", "S", "b", "2"},
        GetRow{"LoneCr", "[S]\ra=1\rb=2", "S", "b", "2"},
        GetRow{"MixedEndings", "[S]\ra=1\r\n\nb=2\n", "S", "b", "2"},
        GetRow{"BlanksTrimmed", " \t[ S ]\t\r\n \tKey \t=  v w \t\r\n", "s", "key", "v w"},
        GetRow{"SectionWithoutBracket", "[S\r\nk=v\r\n", "S", "k", "v"},
        GetRow{"TextAfterBracketIgnored", "[S] junk=1\r\nk=v\r\n", "S", "k", "v"},
        GetRow{"FirstEqualsSplits", "[S]\nk = a=b \n", "S", "k", "a=b"},
        GetRow{"NoInlineComment", "[S]\nk=v ;x\n", "S", "k", "v ;x"},
        GetRow{"CommentNotKey", "[S]\n ;k=v\n", "S", "k", nullopt},
        GetRow{"LineWithoutEquals", "[S]\nk\n", "S", "k", nullopt},
        GetRow{"BeforeFirstSection", "k=v\r\n[S]\r\n", "S", "k", nullopt},
        GetRow{"CaseInsensitive", "[settings]\nTOP=5\n", "SETTINGS", "top", "5"},
        GetRow{"FirstSectionWins", "[S]\na=1\n[s]\na=2\nb=3\n", "S", "a", "1"},
        GetRow{"DuplicateSectionNeverSearched", "[S]\na=1\n[s]\nb=3\n", "S", "b", nullopt},
        GetRow{"FirstKeyWins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        GetRow{"KeyEndsAtNextSection", "[S]\n[T]\nk=1\n", "S", "k", nullopt},
        GetRow{"DoubleQuotes", "[S]\nk= \"a b\" \n", "S", "k", "a b"},
        GetRow{"SingleQuotes", "[S]\nk='a'\n", "S", "k", "a"},
        GetRow{"InnerBlanksKept", "[S]\nk=\" a \"\n", "S", "k", " a "},
        GetRow{"EmptyQuoted", "[S]\nk=\"\"\n", "S", "k", ""},
        GetRow{"LoneQuoteKept", "[S]\nk=\"\n", "S", "k", "\""},
        GetRow{"MismatchedQuotesKept", "[S]\nk=\"a'\n", "S", "k", "\"a'"},
        GetRow{"OnlyOnePairStripped", "[S]\nk=\"\"a\"\"\n", "S", "k", "\"a\""},
        GetRow{"EmptyValue", "[S]\nk=\n", "S", "k", ""},
        GetRow{"BomSkipped", kBom + "[S]\r\nk=v\r\n", "S", "k", "v"},
        GetRow{"BinaryLinesIgnored", Bytes("[S]\n\x01\xff\0=\x80\n\0\0\nk=v"), "S", "k", "v"},
        GetRow{"NulInValue", Bytes("[S]\nk=a\0b\n"), "S", "k", Bytes("a\0b")},
        GetRow{"MissingSection", "[S]\nk=v\n", "T", "k", nullopt}),
    RowName());

TEST(IniDocument, HugeValueAndManyLines) {
  const string huge(1 << 20, 'x');
  string content = "[S]\n";
  for (int i = 0; i < 10000; ++i) content += "junk line without equals\n";
  content += "k=" + huge;
  IniDocument document = IniDocument::Parse(content);
  EXPECT_EQ(document.Get("S", "k"), huge);
  document.Set("S", "k", "short");
  EXPECT_EQ(document.Serialize().size(), content.size() - huge.size() + 5);
}

// ---- INI writing -------------------------------------------------------------------------------

struct SetRow {
  const char* name;
  string before;
  const char* section;
  const char* key;
  string value;
  string after;
};

class IniSet : public testing::TestWithParam<SetRow> {};

TEST_P(IniSet, WritesExpectedBytes) {
  const SetRow& row = GetParam();
  IniDocument document = IniDocument::Parse(row.before);
  document.Set(row.section, row.key, row.value);
  const string written = document.Serialize();
  EXPECT_EQ(written, row.after);
  EXPECT_EQ(IniDocument::Parse(written).Get(row.section, row.key),
            row.value.substr(0, row.value.find_first_of("\r\n")));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniSet,
    testing::Values(
        SetRow{"ReplaceKeepsCrLf", "[S]\r\nK=1\r\nz=1\r\n", "S", "k", "22",
               "[S]\r\nK=22\r\nz=1\r\n"},
        SetRow{"ReplaceKeepsLf", "[S]\nK=1\nz=1\n", "S", "K", "22", "[S]\nK=22\nz=1\n"},
        SetRow{"ReplaceKeepsCr", "[S]\rK=1\rz=1\r", "S", "K", "22", "[S]\rK=22\rz=1\r"},
        SetRow{"ReplaceLastLineWithoutBreak", "[S]\nK=1", "S", "K", "2", "[S]\nK=2"},
        SetRow{"ReplaceKeepsSpelling", "[s]\n \tToP = 1 ;x\t\n", "S", "TOP", "2", "[s]\nToP=2\n"},
        SetRow{"ReplaceFirstOfDuplicates", "[S]\nk=1\nk=2\n", "S", "K", "3", "[S]\nk=3\nk=2\n"},
        SetRow{"NewKeyAfterLastKey", "[S]\nA=1\n\n;c\n[T]\n", "S", "B", "2",
               "[S]\nA=1\nB=2\r\n\n;c\n[T]\n"},
        SetRow{"NewKeyAfterNonKeyLines", "[S]\nA=1\njunk\nC=3\n;c\n", "s", "B", "2",
               "[S]\nA=1\njunk\nC=3\nB=2\r\n;c\n"},
        SetRow{"NewKeyInEmptySection", "[S]\n\n[T]\n", "S", "B", "2", "[S]\nB=2\r\n\n[T]\n"},
        SetRow{"NewKeyAfterHeaderWithoutBreak", "[S]", "S", "B", "2", "[S]\r\nB=2\r\n"},
        SetRow{"NewKeyAfterKeyWithoutBreak", "[S]\nA=1", "S", "B", "2", "[S]\nA=1\r\nB=2\r\n"},
        SetRow{"NewSectionAppended", "[S]\nA=1\n\n", "T", "B", "2", "[S]\nA=1\n\n[T]\r\nB=2\r\n"},
        SetRow{"NewSectionAddsBreak", "[S]\nA=1", "T", "B", "2", "[S]\nA=1\r\n[T]\r\nB=2\r\n"},
        SetRow{"NewSectionAfterLoneCr", "x\r", "T", "B", "2", "x\r[T]\r\nB=2\r\n"},
        SetRow{"NewSectionInEmptyFile", "", "T", "B", "", "[T]\r\nB=\r\n"},
        SetRow{"DuplicateSectionChangesFirst", "[S]\nA=1\n[S]\nB=1\n", "S", "B", "2",
               "[S]\nA=1\nB=2\r\n[S]\nB=1\n"},
        SetRow{"KeyBeforeFirstSectionUntouched", "A=1\n", "S", "A", "2", "A=1\n[S]\r\nA=2\r\n"},
        SetRow{"CommentedKeyNotReplaced", "[S]\n;A=1\n", "S", "A", "2", "[S]\nA=2\r\n;A=1\n"},
        SetRow{"BomKept", kBom + "[S]\r\nA=1\r\n", "S", "A", "2", kBom + "[S]\r\nA=2\r\n"},
        SetRow{"BinaryNeighboursKept", Bytes("\xff\0\r[S]\n\x80=\x81\nA=1\n"), "S", "A", "2",
               Bytes("\xff\0\r[S]\n\x80=\x81\nA=2\n")},
        SetRow{"ValueCutAtLineBreak", "[S]\n", "S", "A", "x\r\n[E]\r\ny=1", "[S]\nA=x\r\n"},
        SetRow{"ValueWrittenAsGiven", "[S]\n", "S", "A", "a=b ;c", "[S]\nA=a=b ;c\r\n"}),
    RowName());

// ---- integers ----------------------------------------------------------------------------------

struct IntRow {
  const char* name;
  const char* text;
  optional<int> settings;
  optional<int> decimal;
};

class IntParsing : public testing::TestWithParam<IntRow> {};

TEST_P(IntParsing, Converts) {
  const IntRow& row = GetParam();
  EXPECT_EQ(ParseSettingsInt(row.text), row.settings);
  EXPECT_EQ(ParseDecimalInt(row.text), row.decimal);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IntParsing,
    testing::Values(
        IntRow{"Negative", "-17", -17, -17}, IntRow{"Plus", "+5", 5, 5},
        IntRow{"LeadingZeros", "007", 7, 7}, IntRow{"Max", "2147483647", 2147483647, 2147483647},
        IntRow{"Min", "-2147483648", -2147483647 - 1, -2147483647 - 1},
        IntRow{"AboveMax", "2147483648", nullopt, nullopt},
        IntRow{"BelowMin", "-2147483649", nullopt, nullopt},
        IntRow{"Huge", "99999999999999999999999", nullopt, nullopt},
        IntRow{"HexLower", "0x20", 32, nullopt}, IntRow{"HexUpper", "0X1F", 31, nullopt},
        IntRow{"HexDollar", "$ff", 255, nullopt},
        IntRow{"HexMax", "0x7FFFFFFF", 2147483647, nullopt},
        IntRow{"HexTooBig", "0x80000000", nullopt, nullopt},
        IntRow{"HexLongZeros", "0x000000000001", 1, nullopt},
        IntRow{"HexWithoutDigits", "0x", nullopt, nullopt},
        IntRow{"DollarAlone", "$", nullopt, nullopt},
        IntRow{"SignedHex", "-0x10", nullopt, nullopt},
        IntRow{"HexBadDigit", "0x1g", nullopt, nullopt}, IntRow{"Empty", "", nullopt, nullopt},
        IntRow{"SignAlone", "-", nullopt, nullopt}, IntRow{"TrailingText", "12a", nullopt, nullopt},
        IntRow{"InnerBlank", "1 2", nullopt, nullopt}),
    RowName());

// A profile file saved as UTF-16LE reads as its text, whatever the code units; nothing is dropped.
TEST(Utf16Le, DecodesToUtf8) {
  struct Row {
    const char* name;
    string bytes, utf8;
  };
  for (const Row& row : {
           Row{"Ascii",
               Bytes("\xFF\xFEk\0=\0"
                     "5\0"),
               "k=5"},
           Row{"Kana", Bytes("\xFF\xFE\x7F\xFF"), "\xEF\xBD\xBF"},  // U+FF7F half-width
           Row{"Pair", Bytes("\xFF\xFE\x3D\xD8\x00\xDE"), "\xF0\x9F\x98\x80"},
           Row{"LoneHigh",
               Bytes("\xFF\xFE\x3D\xD8"
                     "a\0"),
               "\xEF\xBF\xBD"
               "a"},
           Row{"LoneLow", Bytes("\xFF\xFE\x00\xDE"), "\xEF\xBF\xBD"},
           Row{"OddByte",
               Bytes("\xFF\xFE"
                     "a\0b"),
               "a\xEF\xBF\xBD"},
       }) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(IsUtf16Le(row.bytes));
    EXPECT_EQ(Utf16LeToUtf8(row.bytes), row.utf8);
  }
  EXPECT_FALSE(IsUtf16Le("\xFF"));
  const IniDocument doc = IniDocument::Parse(Bytes("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0v\0"));
  EXPECT_EQ(doc.Get("S", "K"), "v");
  EXPECT_EQ(doc.Serialize(), "[S]\r\nk=v");
}

TEST(QuotedValue, CutsAtSixtyFourCharactersNeverInsideOne) {
  const string kanji = "\xE7\x9B\xB4";  // one character, three bytes
  string many;
  for (int i = 0; i < 70; ++i) many += kanji;
  string cut;
  for (int i = 0; i < 64; ++i) cut += kanji;
  EXPECT_EQ(QuotedValue(string(64, 'a')), string(64, 'a'));
  EXPECT_EQ(QuotedValue(string(65, 'a')), string(64, 'a') + "…");
  EXPECT_EQ(QuotedValue(many), cut + "…");
  EXPECT_EQ(QuotedValue(string(100, '\xE7'), 3), string(3, '\xE7') + "…");  // broken sequences
  EXPECT_EQ(QuotedValue(string(10'000'000, '9')).size(), 64 + string("…").size());
}

// Each file format keeps its own blanks; a set taken for another would change what files read.
TEST(Blanks, EachSetHoldsItsCharacters) {
  struct Row {
    char c;
    bool spaceTab, cSpace, controlOrSpace;
  };
  for (const Row& row : {Row{' ', true, true, true}, Row{'\t', true, true, true},
                         Row{'\r', false, true, true}, Row{'\v', false, true, true},
                         Row{'\x01', false, false, true}, Row{'\x7f', false, false, false},
                         Row{'a', false, false, false}, Row{'\xa0', false, false, false}}) {
    SCOPED_TRACE(static_cast<int>(row.c));
    EXPECT_EQ(IsBlank(row.c, Blanks::SpaceTab), row.spaceTab);
    EXPECT_EQ(IsBlank(row.c, Blanks::CSpace), row.cSpace);
    EXPECT_EQ(IsBlank(row.c, Blanks::ControlOrSpace), row.controlOrSpace);
  }
  EXPECT_EQ(TrimBlanks("\v 12\t\f", Blanks::CSpace), "12");
  EXPECT_EQ(TrimBlanks("\v 12\t\f", Blanks::SpaceTab), "\v 12\t\f");
}

// ---- file system fixtures ----------------------------------------------------------------------

class TempDir : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/platformtest-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void MakeFolder(const string& relative) { ASSERT_EQ(mkdir(Path(relative).c_str(), 0755), 0); }
  void MakeFile(const string& relative, const string& content, mode_t mode = 0644) {
    std::ofstream(Path(relative), std::ios::binary) << content;
    ASSERT_EQ(chmod(Path(relative).c_str(), mode), 0);
  }
  string Path(const string& relative) const { return root_ + "/" + relative; }
  string Content(const string& relative) const {
    string content;
    EXPECT_TRUE(ReadWholeFile(Path(relative), content).ok());
    return content;
  }
  mode_t Mode(const string& relative) const {
    struct stat info {};
    EXPECT_EQ(stat(Path(relative).c_str(), &info), 0);
    return info.st_mode & 07777;
  }
  // Entries left behind by an interrupted atomic write.
  int TempFileCount() const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root_)) {
      if (entry.path().filename().string().starts_with(".wisetup-")) ++count;
    }
    return count;
  }

  string root_;
};

// ---- path mapping ------------------------------------------------------------------------------

struct MapRow {
  const char* name;
  const char* tool;      // appended to the root as the tool does
  const char* expected;  // appended to the root
};

class PathMapping : public TempDir, public testing::WithParamInterface<MapRow> {
 protected:
  void SetUp() override {
    TempDir::SetUp();
    for (const char* folder : {"WORK", "WORK/A_APPLICATION", "WORK/A_APPLICATION/WELD", "DATA",
                               "Data", "data", "\xc3\x84rger"}) {
      MakeFolder(folder);
    }
    MakeFile("WORK/Ac01arcw.CON", "[X]\r\n");
    MakeFile("WORK/A_APPLICATION/WELD/$WTBD12", "t");
  }
};

TEST_P(PathMapping, MapsToExistingSpelling) {
  const MapRow& row = GetParam();
  EXPECT_EQ(MapPath(root_ + row.tool), root_ + row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PathMapping,
    testing::Values(
        MapRow{"ExactName", "\\WORK\\Ac01arcw.CON", "/WORK/Ac01arcw.CON"},
        MapRow{"CaseFolded", "\\work\\AC01ARCW.con", "/WORK/Ac01arcw.CON"},
        MapRow{"DeepPath", "\\Work\\a_application\\weld\\$wtbd12",
               "/WORK/A_APPLICATION/WELD/$WTBD12"},
        MapRow{"FolderEndingInSeparator", "/\\\\WORK//\\Ac01arcw.CON", "/WORK/Ac01arcw.CON"},
        MapRow{"MissingKeepsRestAsWritten", "\\work\\NoSuch\\weld", "/WORK/NoSuch/weld"},
        MapRow{"NewFileKeepsToolName", "\\work\\$WTBD3", "/WORK/$WTBD3"},
        MapRow{"AmbiguousTakesFirstSorted", "\\dAtA", "/DATA"},
        MapRow{"ExactWinsOverSorted", "\\data", "/data"},
        MapRow{"TrailingSeparatorKept", "\\work\\", "/WORK/"},
        MapRow{"OnlyAsciiFolded", "\\\xc3\xa4RGER", "/\xc3\xa4RGER"}),
    RowName());

TEST_F(TempDir, MapPathResolvesRelativeToWorkingFolder) {
  MakeFolder("Sub");
  MakeFile("Sub/File.TXT", "x");
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(root_.c_str()), 0);
  EXPECT_EQ(MapPath("sub\\file.txt"), "Sub/File.TXT");
  EXPECT_EQ(MapPath(".\\SUB\\\\none"), "./Sub/none");
  EXPECT_TRUE(FileExists(MapPath("SUB\\FILE.txt")));
  ASSERT_EQ(chdir(previous), 0);
}

TEST_F(TempDir, ExistenceChecksTakeNativePaths) {
  MakeFolder("Work");
  MakeFile("Work/A.con", "x");
  ASSERT_EQ(symlink(Path("Work/A.con").c_str(), Path("Link").c_str()), 0);
  EXPECT_TRUE(FileExists(root_ + "/Work/A.con"));
  EXPECT_TRUE(FileExists(root_ + "/Link"));
  EXPECT_FALSE(FileExists(root_ + "/Work"));
  EXPECT_TRUE(FolderExists(root_ + "/Work"));
  EXPECT_FALSE(FolderExists(root_ + "/Work/A.con"));
  // No mapping: another letter case or a backslash is another name.
  EXPECT_FALSE(FileExists(root_ + "/work/a.con"));
  EXPECT_FALSE(FileExists(root_ + "\\Work\\A.con"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(root_ + Bytes("/Work/A.con\0")));
  EXPECT_FALSE(FolderExists(""));
}

// A chosen folder is used as it stands, whatever bytes its name holds (Shift-JIS names whose second
// byte is 0x5C among them); only the tool's literal is mapped.
TEST_F(TempDir, ChosenFolderIsTakenAsItStands) {
  const std::string folder = "so\\x83\\\\back";  // "\x83\\" ends in a backslash byte
  MakeFolder(folder);
  MakeFolder(folder + "/Work");
  MakeFile(folder + "/Work/A.con", "x");
  const std::string chosen = Path(folder);
  EXPECT_EQ(MapPath(chosen, "\\WORK\\a.CON"), chosen + "/Work/A.con");
  EXPECT_EQ(MapPath(chosen + "/", "\\WORK\\"), chosen + "/Work/");
  EXPECT_EQ(MapPath(chosen, "\\WORK\\none"), chosen + "/Work/none");
  EXPECT_EQ(MapPath("", "\\x"), "/x");
  EXPECT_EQ(MapName(chosen + "/Work", "a.CON"), "A.con");
  EXPECT_EQ(MapName(chosen + "/Work", "b.con"), "b.con");
}

// ---- file reading and atomic writing -----------------------------------------------------------

TEST_F(TempDir, ReadFilePrefixReadsExactlyOrFails) {
  MakeFile("ten", "0123456789");
  MakeFolder("folder");
  std::vector<std::uint8_t> out;
  EXPECT_EQ(ReadFilePrefix(Path("ten"), 4, out).code, FileCode::Ok);
  EXPECT_EQ(string(out.begin(), out.end()), "0123");
  EXPECT_EQ(ReadFilePrefix(Path("ten"), 10, out).code, FileCode::Ok);
  const FileStatus tooShort = ReadFilePrefix(Path("ten"), 11, out);
  EXPECT_EQ(tooShort.code, FileCode::ReadFailed);
  EXPECT_NE(tooShort.reason.find("fewer than 11 bytes"), string::npos) << tooShort.reason;
  EXPECT_EQ(ReadFilePrefix(Path("ten"), SIZE_MAX, out).code, FileCode::ReadFailed);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(ReadFilePrefix(Path("folder"), 1, out).code, FileCode::OpenFailed);
  const FileStatus missing = ReadFilePrefix(Path("missing"), 1, out);
  EXPECT_EQ(missing.code, FileCode::OpenFailed);
  EXPECT_NE(missing.reason.find("No such file"), string::npos) << missing.reason;
  EXPECT_EQ(ReadFilePrefix("", 0, out).code, FileCode::OpenFailed);
}

struct WriteRow {
  const char* name;
  optional<string> existing;  // nothing: no file; "/": a folder
  mode_t mode;
  FileCode code;
  optional<string> after;
  mode_t modeAfter;
};

class AtomicWrite : public TempDir, public testing::WithParamInterface<WriteRow> {};

TEST_P(AtomicWrite, ReplacesTheFileOrLeavesIt) {
  const WriteRow& row = GetParam();
  if (row.existing == "/") {
    MakeFolder("target");
  } else if (row.existing) {
    MakeFile("target", *row.existing, row.mode);
  }
  const FileStatus status = WriteFileAtomically(Path("target"), "ab");
  EXPECT_EQ(status.code, row.code);
  EXPECT_EQ(status.reason.empty(), status.ok()) << status.reason;
  if (row.after) {
    EXPECT_EQ(Content("target"), *row.after);
    EXPECT_EQ(Mode("target"), row.modeAfter);
  }
  EXPECT_EQ(TempFileCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AtomicWrite,
    testing::Values(WriteRow{"ModeKept", "0123456789", 0640, FileCode::Ok, "ab", 0640},
                    WriteRow{"MissingFileCreated", nullopt, 0, FileCode::Ok, "ab", 0644},
                    WriteRow{"ReadOnlyUntouched", "0123", 0444, FileCode::OpenFailed, "0123", 0444},
                    WriteRow{"FolderTarget", "/", 0, FileCode::OpenFailed, nullopt, 0}),
    RowName());

TEST_F(TempDir, ReadWholeFileSaysWhyItFails) {
  MakeFolder("folder");
  string out = "stale";
  const FileStatus folder = ReadWholeFile(Path("folder"), out);
  EXPECT_EQ(folder.code, FileCode::OpenFailed);
  EXPECT_NE(folder.reason.find("Is a directory"), string::npos) << folder.reason;
  EXPECT_TRUE(out.empty());
  const FileStatus missing = ReadWholeFile(Path("missing"), out);
  EXPECT_EQ(missing.code, FileCode::OpenFailed);
  EXPECT_NE(missing.reason.find("No such file"), string::npos) << missing.reason;
}

TEST_F(TempDir, AtomicWritesRefuseBadTargets) {
  MakeFile("ro", "keep", 0444);
  FileStatus status = WriteFileAtomically(Path("ro"), "new");
  EXPECT_EQ(status.code, FileCode::OpenFailed);
  EXPECT_NE(status.reason.find("read-only"), string::npos);
  EXPECT_EQ(Content("ro"), "keep");
  status = WriteFileAtomically(Path("missing/file"), "new");
  EXPECT_EQ(status.code, FileCode::OpenFailed);
  EXPECT_NE(status.reason.find("No such file"), string::npos) << status.reason;
  EXPECT_EQ(WriteFileAtomically("", "new").code, FileCode::OpenFailed);
  EXPECT_EQ(TempFileCount(), 0);
}

TEST_F(TempDir, AtomicWriteThroughLinkKeepsLink) {
  MakeFile("real", "old", 0600);
  ASSERT_EQ(symlink("real", Path("link").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(Path("link"), "new").ok());
  struct stat info {};
  ASSERT_EQ(lstat(Path("link").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(Content("real"), "new");
  EXPECT_EQ(Mode("real"), 0600U);
}

// A file size limit makes the write fail part way, as a full disk would.
TEST_F(TempDir, FailedWriteLeavesTargetAndNoTempFile) {
  MakeFile("target", "old");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const FileStatus status = WriteFileAtomically(Path("target"), string(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(status.code, FileCode::WriteFailed);
  EXPECT_NE(status.reason.find("cannot"), string::npos) << status.reason;
  EXPECT_EQ(Content("target"), "old");
  EXPECT_EQ(TempFileCount(), 0);
}

TEST_F(TempDir, DocumentSaveAndLoad) {
  EXPECT_EQ(IniDocument::Load(Path("none.INI")).Serialize(), "");
  IniDocument document;
  document.Set("Settings", "Top", "0x20");
  document.Set("Folder", "UPDATE", "");
  ASSERT_TRUE(document.Save(Path("s.INI")).ok());
  EXPECT_EQ(Content("s.INI"), "[Settings]\r\nTop=0x20\r\n[Folder]\r\nUPDATE=\r\n");
  const IniDocument loaded = IniDocument::Load(Path("s.INI"));
  EXPECT_EQ(ParseSettingsInt(loaded.GetString("settings", "top", "")), 32);
  EXPECT_EQ(loaded.GetString("Folder", "BACKUP", "none"), "none");
  const FileStatus failed = document.Save(Path("missing/s.INI"));
  EXPECT_EQ(failed.code, FileCode::OpenFailed);
  EXPECT_FALSE(failed.reason.empty());
}

}  // namespace
}  // namespace wisetup
