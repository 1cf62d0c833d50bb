// The record file reader (backup/TableFiles.h): the bytes it takes and the status of each failure.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "backup/TableFiles.h"

namespace wisetup {
namespace {

using std::string;
using test::BytesOf;
using test::Pattern;
using test::PrintTo;
using test::RowName;
using test::WriteBytes;
namespace fs = std::filesystem;

using test::Target;

struct FailureRow {
  const char* name;
  std::size_t recordSize;
  Target target;
  FileCode code;
};

class ReadRecordFailure : public test::TempDirTest,
                          public testing::WithParamInterface<FailureRow> {};

TEST_P(ReadRecordFailure, ReportsTheStatusAndLeavesTheTarget) {
  const FailureRow& row = GetParam();
  const string path = test::MakeTarget(row.target, dir_, row.recordSize);
  std::vector<std::uint8_t> target(row.recordSize, 0x5A);
  EXPECT_EQ(ReadRecordFile(path, target).code, row.code);
  EXPECT_EQ(target, std::vector<std::uint8_t>(row.recordSize, 0x5A));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadRecordFailure,
    testing::Values(FailureRow{"MissingLong", 224, Target::Missing, FileCode::CannotOpen},
                    FailureRow{"MissingMode", 992, Target::Missing, FileCode::CannotOpen},
                    FailureRow{"Folder", 224, Target::Folder, FileCode::CannotOpen},
                    FailureRow{"EmptyPath", 148, Target::EmptyPath, FileCode::CannotOpen},
                    FailureRow{"EmptyFileLong", 224, Target::Empty, FileCode::CannotRead},
                    FailureRow{"EmptyFileShort", 148, Target::Empty, FileCode::CannotRead},
                    FailureRow{"ShortFileLong", 224, Target::Short, FileCode::CannotRead},
                    FailureRow{"ShortFileShort", 148, Target::Short, FileCode::CannotRead},
                    FailureRow{"ShortFileMode", 992, Target::Short, FileCode::CannotRead}),
    RowName());

struct ReadRow {
  const char* name;
  std::size_t recordSize;
  std::size_t fileSize;
};

class ReadRecord : public test::TempDirTest, public testing::WithParamInterface<ReadRow> {};

TEST_P(ReadRecord, TakesTheFirstBytes) {
  const ReadRow& row = GetParam();
  const fs::path path = dir_ / "folder with blanks" / "日本語" / "$WTBD12";
  const string content = Pattern(row.fileSize, 11);
  WriteBytes(path, content);
  std::vector<std::uint8_t> target(row.recordSize, 0x5A);
  EXPECT_TRUE(ReadRecordFile(path.string(), target).ok());
  EXPECT_EQ(BytesOf(target), content.substr(0, row.recordSize));
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadRecord,
                         testing::Values(ReadRow{"LongFromExactFile", 224, 224},
                                         ReadRow{"LongFrom300Bytes", 224, 300},
                                         ReadRow{"ShortFromExactFile", 148, 148},
                                         ReadRow{"ShortFromLongFile", 148, 224},
                                         ReadRow{"ModeFromExactFile", 992, 992},
                                         ReadRow{"ModeFromLongerFile", 992, 1500}),
                         RowName());

using ReadRecordPath = test::TempDirTest;

TEST_F(ReadRecordPath, FindsTheFileNameInAnyLetterCase) {
  WriteBytes(dir_ / "WORK" / "A_application" / "weld" / "$wtbd3", Pattern(224, 5));
  std::vector<std::uint8_t> target(224);
  const std::string weld = WeldFolderPath(dir_.string());
  EXPECT_EQ(weld, dir_.string() + "/WORK/A_application/weld");
  EXPECT_TRUE(ReadRecordFile(weld + "/" + TableFileName(3), target).ok());
  EXPECT_EQ(BytesOf(target), Pattern(224, 5));
  EXPECT_EQ(ReadRecordFile(weld + "/$WTBD4", target).code, FileCode::CannotOpen);
}

}  // namespace
}  // namespace wisetup
