// The profile document: lookups by the classic profile rules, writes that keep every other byte,
// and reading and saving files.
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include "text/IniDocument.h"
#include "text/TextScan.h"

namespace wisetup {
namespace {

using test::Bytes;
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
  optional<string> serialized = nullopt;  // nothing: the content as it was read
};

const string kBom = "\xEF\xBB\xBF";

class IniGet : public testing::TestWithParam<GetRow> {};

TEST_P(IniGet, FindsValueAndKeepsBytes) {
  const GetRow& row = GetParam();
  const IniDocument document = IniDocument::Parse(row.content);
  EXPECT_EQ(document.Get(row.section, row.key), row.expected);
  EXPECT_EQ(document.Serialize(), row.serialized.value_or(row.content));
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
        GetRow{"MissingSection", "[S]\nk=v\n", "T", "k", nullopt},
        // Read as its text, written back 8-bit.
        GetRow{"Utf16Le", Bytes("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0v\0"), "S", "K", "v",
               "[S]\r\nk=v"}),
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

// Values with edge blanks or quotes of their own read back unchanged.
struct QuoteRow {
  const char* name;
  string value;
  string written;
};

class QuoteValue : public testing::TestWithParam<QuoteRow> {};

TEST_P(QuoteValue, IsWrittenSoThatItReadsBackUnchanged) {
  const QuoteRow& row = GetParam();
  EXPECT_EQ(QuoteProfileValue(row.value), row.written);
  IniDocument doc;
  doc.Set("Folder", "UPDATE", QuoteProfileValue(row.value));
  EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("Folder", "UPDATE"), row.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, QuoteValue,
                         testing::Values(QuoteRow{"Empty", "", ""},
                                         QuoteRow{"Plain", "/d/セット アップ", "/d/セット アップ"},
                                         QuoteRow{"TrailingBlank", "/d/set up ", "\"/d/set up \""},
                                         QuoteRow{"LeadingBlank", " /d", "\" /d\""},
                                         QuoteRow{"TrailingTab", "/d\t", "\"/d\t\""},
                                         QuoteRow{"OnlyBlanks", "  ", "\"  \""},
                                         QuoteRow{"OwnDoubleQuotes", "\"/d\"", "\"\"/d\"\""},
                                         QuoteRow{"OwnSingleQuotes", "'/d'", "\"'/d'\""},
                                         QuoteRow{"MismatchedQuotesStayBare", "\"/d'", "\"/d'"},
                                         QuoteRow{"OneQuote", "\"", "\""},
                                         QuoteRow{"QuoteAndBlank", "\"/d ", "\"\"/d \""}),
                         RowName());

using TempDir = test::TempDirTest;

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
  EXPECT_EQ(failed.code, FileCode::CannotWrite);
  EXPECT_FALSE(failed.reason.empty());
}

}  // namespace
}  // namespace wisetup
