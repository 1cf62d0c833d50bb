// What a transaction refuses that only this system has (a FIFO, symbolic links): this system's.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "SystemObjects.h"
#include "TestSupport.h"

#include "storage/FileTransaction.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;

class TransactionPosix : public test::TempDirTest {
 protected:
  // Refused with `problem`, before anything is written.
  static void ExpectRefused(const std::string& target, bool mustExist, FileCode problem) {
    FileTransaction files;
    EXPECT_FALSE(files.Add(target, mustExist));
    ASSERT_EQ(files.Issues().size(), 1u);
    EXPECT_EQ(files.Issues()[0].code, problem);
    EXPECT_EQ(files.Issues()[0].path, target);
    EXPECT_EQ(files.Size(), 0u);
  }
};

// Opening a FIFO would wait for a writer; it is refused as no regular file.
TEST_F(TransactionPosix, RefusesAFifo) {
  const std::string table = (dir_ / "table").string();
  ASSERT_TRUE(test::MakeFifo(table));
  ExpectRefused(table, true, FileCode::NotRegular);
}

// A link, whether its target is there or not.
TEST_F(TransactionPosix, RefusesASymbolicLink) {
  test::WriteBytes(dir_ / "real", "x");
  for (const char* target : {"real", "none"}) {
    SCOPED_TRACE(target);
    fs::remove(dir_ / "link");
    fs::create_symlink(dir_ / target, dir_ / "link");
    ExpectRefused((dir_ / "link").string(), false, FileCode::SymbolicLink);
  }
}

}  // namespace
}  // namespace wisetup
