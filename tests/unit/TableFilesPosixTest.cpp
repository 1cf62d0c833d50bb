// The record file reader met by a FIFO, a device and symbolic links: this system's.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SystemObjects.h"
#include "TestSupport.h"
#include "backup/TableFiles.h"

namespace wisetup {
namespace {

using std::string;
using test::BytesOf;
using test::Pattern;
using test::PrintTo;
using test::RowName;
using test::SystemTarget;
using test::WriteBytes;
namespace fs = std::filesystem;

struct FailureRow {
  const char* name;
  SystemTarget target;
  FileCode code;
};

class ReadRecordFailurePosix : public test::TempDirTest,
                               public testing::WithParamInterface<FailureRow> {};

TEST_P(ReadRecordFailurePosix, ReportsTheStatusAndLeavesTheTarget) {
  const string path = test::MakeTarget(GetParam().target, dir_);
  std::vector<std::uint8_t> target(992, 0x5A);
  EXPECT_EQ(ReadRecordFile(path, target).code, GetParam().code);
  EXPECT_EQ(target, std::vector<std::uint8_t>(992, 0x5A));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadRecordFailurePosix,
    // Never blocks, and bytes from a pipe or a device are no record.
    testing::Values(FailureRow{"FifoMode", SystemTarget::Fifo, FileCode::CannotRead},
                    FailureRow{"BrokenLinkMode", SystemTarget::BrokenLink, FileCode::CannotOpen},
                    FailureRow{"LinkToDeviceMode", SystemTarget::DeviceLink, FileCode::CannotRead}),
    RowName());

using ReadRecordPath = test::TempDirTest;

// Catalogues are made with links to shared records; the reader follows them.
TEST_F(ReadRecordPath, ReadsThroughALinkToARegularFile) {
  const fs::path target = dir_ / "shared" / "$WPLS1";
  WriteBytes(target, Pattern(992, 5));
  fs::create_symlink(target, dir_ / "$WPLS2");
  std::vector<std::uint8_t> record(992, 0);
  EXPECT_TRUE(ReadRecordFile((dir_ / "$WPLS2").string(), record).ok());
  EXPECT_EQ(BytesOf(record), Pattern(992, 5));
}

}  // namespace
}  // namespace wisetup
