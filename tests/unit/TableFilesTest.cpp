// The table file routines of TForm1 (backup/TableFiles.cpp): what they read and write, and the
// message each failure shows. They are handlers today, so this program links app.
#include <signal.h>
#include <sys/resource.h>

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

class TableFileTest : public test::TempDirTest {
 protected:
  RecordingPlatform platform_;
  TForm1 form_{platform_};
};

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

class ReadFailure : public TableFileTest, public testing::WithParamInterface<ReadFailureRow> {};

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

class ReadSuccess : public TableFileTest, public testing::WithParamInterface<ReadRow> {};

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

TEST_F(TableFileTest, ReadsThroughBackslashesAndLetterCase) {
  WriteBytes(dir_ / "WORK" / "weld" / "$wtbd3", Pattern(224, 5));
  EXPECT_TRUE(form_.ReadRcWeldTable(dir_.string() + "\\WORK\\WELD\\$WTBD3", true));
  EXPECT_EQ(BytesOf(form_.WorkTable224.Bytes()), Pattern(224, 5));
}

struct WriteRow {
  const char* name;
  bool longForm;
  std::optional<std::size_t> existingSize;  // nothing: a new file
};

class WriteTable : public TableFileTest, public testing::WithParamInterface<WriteRow> {};

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

TEST_F(TableFileTest, TableReadAndWrittenAgainIsByteIdentical) {
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

TEST_F(TableFileTest, WriteGoesBackToTheNameFoundIgnoringCase) {
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

class WriteRefused : public TableFileTest, public testing::WithParamInterface<WriteFailureRow> {
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

class WriteError : public TableFileTest, public testing::WithParamInterface<WriteErrorRow> {};

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
