// Where a setup file came from, with the board and the backup reached through symbolic links: this
// system's.
#include "survey/SetupOrigin.h"

#include <filesystem>

#include "SetupOriginRuns.h"
#include "SystemObjects.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;

// The board and the backup reached through other names are the same folders.
TEST_F(SetupOriginTest, FollowsLinksToTheBoardAndTheBackup) {
  fs::create_directories(dir_ / "board");
  fs::create_directories(dir_ / "cell1");
  fs::create_directory_symlink(dir_ / "cell1", dir_ / "also-cell1");
  Run("20240102-030405", "cell1", "from cell1");
  fs::create_directory_symlink(dir_ / "board", dir_ / "board-link");
  const auto origin = SetupOriginOf(Root(), Path("board-link/ZelSetUp.ini"));
  ASSERT_TRUE(origin);
  EXPECT_EQ(origin->when, "2024-01-02 03:04:05");
  EXPECT_FALSE(MadeFromOtherBackup(*origin, Path("also-cell1")));
}

}  // namespace
}  // namespace wisetup
