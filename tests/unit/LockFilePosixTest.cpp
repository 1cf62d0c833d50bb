// The backup folder lock met by symbolic links: this system's.
#include <filesystem>
#include <string>

#include "LockTest.h"
#include "SystemObjects.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;

TEST_F(LockTest, SameFolderThroughALinkIsTheSameBackup) {
  FolderLock first;
  ASSERT_EQ(first.Take(Locks(), Backup()), std::nullopt);
  fs::create_directory_symlink(dir_ / "backup", dir_ / "link");
  FolderLock second;
  EXPECT_EQ(second.Take(Locks(), (dir_ / "link").string()), CurrentProcessId());
  EXPECT_FALSE(second.Held());
}

INSTANTIATE_TEST_SUITE_P(
    Links, LockObstacles,
    testing::Values(ObstacleRow{"LockFolderIsALink",
                                [](const fs::path& locks, const fs::path&) {
                                  fs::create_directories(locks.parent_path() / "elsewhere");
                                  fs::create_directory_symlink(locks.parent_path() / "elsewhere",
                                                               locks);
                                }},
                    ObstacleRow{"LockFileIsALink",
                                [](const fs::path& locks, const fs::path& file) {
                                  fs::create_directories(locks);
                                  test::WriteBytes(locks / "target", "");
                                  fs::create_symlink(locks / "target", file);
                                }}),
    test::RowName());

}  // namespace
}  // namespace wisetup
