// What a transaction refuses that only this system has (a FIFO): this system's.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "SystemObjects.h"
#include "TestSupport.h"

#include "storage/FileTransaction.h"

namespace wisetup {
namespace {

class TransactionPosix : public test::TempDirTest {};

// Opening a FIFO would wait for a writer; it is refused as no regular file, before anything is
// written.
TEST_F(TransactionPosix, RefusesAFifo) {
  const std::string table = (dir_ / "table").string();
  ASSERT_TRUE(test::MakeFifo(table));
  FileTransaction files;
  EXPECT_FALSE(files.Add(table, true));
  ASSERT_EQ(files.Issues().size(), 1u);
  EXPECT_EQ(files.Issues()[0].code, FileCode::NotRegular);
  EXPECT_EQ(files.Issues()[0].path, table);
  EXPECT_EQ(files.Size(), 0u);
}

}  // namespace
}  // namespace wisetup
