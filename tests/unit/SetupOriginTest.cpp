// Where a setup file came from, read from a history made by real transactions.
#include "survey/SetupOrigin.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SetupOriginRuns.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;
using std::string;

TEST_F(SetupOriginTest, TheNewestRunThatWroteTheFileAsItIsAnswers) {
  struct Row {
    const char* name;
    std::function<void(SetupOriginTest&)> after;  // what happens after cell1 then cell2 wrote
    const char* origin;                           // backup folder, or nullptr for unknown
  };
  const std::vector<Row> rows = {
      {"WrittenLast", [](SetupOriginTest&) {}, "cell2"},
      {"ChangedSince", [](SetupOriginTest& t) { test::WriteBytes(t.Setup(), "edited"); }, nullptr},
      {"LastRunUndone",
       [](SetupOriginTest& t) {
         // Undone: the file holds cell1's content again, which cell1's run wrote.
         test::WriteBytes(t.Setup(), "from cell1");
         ASSERT_TRUE(MarkUndone(t.Root() + "/20240102-000002").ok());
       },
       "cell1"},
      {"DamagedManifest",
       [](SetupOriginTest& t) {
         test::WriteBytes(t.Root() + "/20240102-000002/manifest.txt", "wisetup-history 1\nx\n");
       },
       nullptr},
      {"NoHistory", [](SetupOriginTest& t) { fs::remove_all(t.Root()); }, nullptr},
      {"RunOfAnOlderVersion",
       [](SetupOriginTest& t) { fs::remove(t.Root() + "/20240102-000002/run.txt"); }, nullptr},
      {"DamagedRecord",
       [](SetupOriginTest& t) {
         test::WriteBytes(t.Root() + "/20240102-000002/run.txt", "wisetup-run 1\nbackup\n");
       },
       nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(Root());
    fs::remove_all(dir_ / "board");
    fs::create_directories(dir_ / "board");
    Run("20240102-000001", "cell1", "from cell1");
    Run("20240102-000002", "cell2", "from cell2");
    row.after(*this);
    const auto origin = SetupOriginOf(Root(), Setup());
    if (row.origin == nullptr) {
      EXPECT_FALSE(origin) << origin->backup;
      continue;
    }
    ASSERT_TRUE(origin);
    EXPECT_EQ(origin->backup, Path(row.origin));
  }
}

TEST_F(SetupOriginTest, TellsTheDateAndComparesBackupsAsFolders) {
  fs::create_directories(dir_ / "board");
  fs::create_directories(dir_ / "cell1");
  Run("20240102-030405", "cell1", "from cell1");
  const auto origin = SetupOriginOf(Root(), Setup());
  ASSERT_TRUE(origin);
  EXPECT_EQ(origin->when, "2024-01-02 03:04:05");
  EXPECT_FALSE(MadeFromOtherBackup(*origin, Path("cell1")));
  EXPECT_TRUE(MadeFromOtherBackup(*origin, Path("cell2")));
  // A file no run wrote has no origin.
  test::WriteBytes(dir_ / "other" / "ZelSetUp.ini", "x");
  EXPECT_FALSE(SetupOriginOf(Root(), Path("other/ZelSetUp.ini")));
}

}  // namespace
}  // namespace wisetup
