// The record file handlers of TForm1 (app/TableFileHandlers.cpp): the work buffers they fill or
// clear, and the message each failure shows. The bytes read are tested in TableFilesTest.cpp.
#include <cstdint>
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
using test::RecordingPlatform;
using test::RowName;
using test::Shown;
using test::WriteBytes;

class TableFileTest : public test::TempDirTest {
 protected:
  // Every work buffer holds something, so that one left alone is told from one cleared.
  void FillBuffers() {
    Fill(form_.WorkTable148.MutableBytes(), 0x5A);
    Fill(form_.WorkTable224.MutableBytes(), 0x5A);
    Fill(form_.WorkModeRecord.MutableBytes(), 0x5A);
  }

  RecordingPlatform platform_;
  TForm1 form_{platform_};
};

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

using test::Target;

enum class Box { Open, Read };

// The box of a failure in the language of the window: the path inside the sentence, one caption
// for both languages.
Shown BoxOf(Box box, int language, const string& path) {
  const bool open = box == Box::Open;
  const string text = language == 0 ? path + (open ? " が開けません。" : " が読み出せません。")
                                    : (open ? "Cannot open " : "Cannot read ") + path + ".";
  return {MessageKind::Error, text, open ? "File Open Error" : "File Read Error"};
}

struct ReadFailureRow {
  const char* name;
  Routine routine;
  Target target;
  int language;
  Box box;
};

class ReadFailure : public TableFileTest, public testing::WithParamInterface<ReadFailureRow> {};

TEST_P(ReadFailure, ShowsItsMessageAndLeavesZeroedBuffers) {
  const ReadFailureRow& row = GetParam();
  const std::size_t recordSize = row.routine == Routine::ReadLong    ? 224
                                 : row.routine == Routine::ReadShort ? 148
                                                                     : 992;
  const string path = test::MakeTarget(row.target, dir_, recordSize);
  FillBuffers();
  form_.LanguageIndex = row.language;

  EXPECT_FALSE(CallRoutine(form_, row.routine, path));
  ASSERT_EQ(platform_.messages.size(), 1U);
  const Shown expected = BoxOf(row.box, row.language, path);
  EXPECT_EQ(platform_.messages[0].kind, expected.kind);
  EXPECT_EQ(platform_.messages[0].text, expected.text);
  EXPECT_EQ(platform_.messages[0].caption, expected.caption);
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

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadFailure,
    testing::Values(
        ReadFailureRow{"MissingLongEnglish", Routine::ReadLong, Target::Missing, 1, Box::Open},
        ReadFailureRow{"MissingShortJapanese", Routine::ReadShort, Target::Missing, 0, Box::Open},
        ReadFailureRow{"MissingModeJapanese", Routine::ReadMode, Target::Missing, 0, Box::Open},
        ReadFailureRow{"FolderEnglish", Routine::ReadLong, Target::Folder, 1, Box::Open},
        ReadFailureRow{"FolderModeJapanese", Routine::ReadMode, Target::Folder, 0, Box::Open},
        ReadFailureRow{"EmptyPathEnglish", Routine::ReadShort, Target::EmptyPath, 1, Box::Open},
        ReadFailureRow{"EmptyFileLongEnglish", Routine::ReadLong, Target::Empty, 1, Box::Read},
        ReadFailureRow{"EmptyFileShortJapanese", Routine::ReadShort, Target::Empty, 0, Box::Read},
        ReadFailureRow{"ShortFileLongJapanese", Routine::ReadLong, Target::Short, 0, Box::Read},
        ReadFailureRow{"ShortFileShortEnglish", Routine::ReadShort, Target::Short, 1, Box::Read},
        ReadFailureRow{"ShortFileModeEnglish", Routine::ReadMode, Target::Short, 1, Box::Read}),
    RowName());

struct ReadRow {
  const char* name;
  Routine routine;
  std::size_t fileSize;
};

class ReadSuccess : public TableFileTest, public testing::WithParamInterface<ReadRow> {};

TEST_P(ReadSuccess, UsesTheFirstBytesAndClearsTheOtherTableBuffer) {
  const ReadRow& row = GetParam();
  const fs::path path = dir_ / "folder with blanks" / "日本語" / "$WTBD12";
  const string content = Pattern(row.fileSize, 11);
  WriteBytes(path, content);
  FillBuffers();

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

}  // namespace
}  // namespace wisetup
