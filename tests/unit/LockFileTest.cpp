// The backup folder lock: where its files go, who holds it, and that every obstacle in its way only
// means no lock.
#include <map>

#include "LockTest.h"

namespace wisetup {
namespace {

using std::string;
using test::PrintTo;
namespace fs = std::filesystem;

struct FolderRow {
  const char* name;
  std::map<string, string> env;  // "@" stands for the test's folder
  std::optional<string> expected;
};

class LockFolders : public LockTest, public testing::WithParamInterface<FolderRow> {};

TEST_P(LockFolders, PreferTheRuntimeFolderThenTheCache) {
  fs::create_directories(dir_ / "run");
  auto expand = [this](string text) {
    if (const auto at = text.find('@'); at != string::npos) text.replace(at, 1, dir_.string());
    return text;
  };
  const auto lookup = [&](const string& name) -> std::optional<string> {
    const auto it = GetParam().env.find(name);
    if (it == GetParam().env.end()) return std::nullopt;
    return expand(it->second);
  };
  const auto folder = LockFolder(lookup);
  if (GetParam().expected) {
    EXPECT_EQ(folder, expand(*GetParam().expected));
  } else {
    EXPECT_FALSE(folder.has_value());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LockFolders,
    testing::Values(
        FolderRow{"Runtime", {{"XDG_RUNTIME_DIR", "@/run/"}, {"HOME", "/h"}}, "@/run/wisetup"},
        FolderRow{"RuntimeMissing",
                  {{"XDG_RUNTIME_DIR", "@/gone"}, {"XDG_CACHE_HOME", "/c"}},
                  "/c/wisetup"},
        FolderRow{
            "RuntimeRelative", {{"XDG_RUNTIME_DIR", "run"}, {"HOME", "/h"}}, "/h/.cache/wisetup"},
        FolderRow{"CacheRelative", {{"XDG_CACHE_HOME", "c"}, {"HOME", "/"}}, "/.cache/wisetup"},
        FolderRow{"Nothing", {{"HOME", ""}}, std::nullopt}),
    test::RowName());

TEST_F(LockTest, SecondTakerIsToldTheHolderUntilItIsReleased) {
  FolderLock first;
  EXPECT_EQ(first.Take(Locks(), Backup()), std::nullopt);
  ASSERT_TRUE(first.Held());
  // Loading the same folder again keeps the lock.
  EXPECT_EQ(first.Take(Locks(), Backup()), std::nullopt);
  ASSERT_TRUE(first.Held());
  // The same folder with a trailing separator is the same backup.
  FolderLock second;
  for (const string& path : {Backup(), Backup() + "/"}) {
    EXPECT_EQ(second.Take(Locks(), path), CurrentProcessId()) << path;
    EXPECT_FALSE(second.Held());
  }
  fs::create_directories(dir_ / "other");
  first.Take(Locks(), (dir_ / "other").string());
  EXPECT_EQ(second.Take(Locks(), Backup()), std::nullopt);
  EXPECT_TRUE(second.Held());
}

TEST_P(LockObstacles, MeanNoLockAndNoHolder) {
  // Where the lock file goes, learnt from a first lock.
  fs::path lockFile;
  {
    FolderLock probe;
    ASSERT_EQ(probe.Take(Locks(), Backup()), std::nullopt);
    lockFile = OnlyLockFile();
  }
  fs::remove_all(dir_ / "locks");
  GetParam().place(dir_ / "locks", lockFile);
  FolderLock lock;
  EXPECT_EQ(lock.Take(Locks(), Backup()), std::nullopt);
  EXPECT_FALSE(lock.Held());
}

INSTANTIATE_TEST_SUITE_P(Rows, LockObstacles,
                         testing::Values(ObstacleRow{"LockFolderIsAFile",
                                                     [](const fs::path& locks, const fs::path&) {
                                                       test::WriteBytes(locks, "x");
                                                     }},
                                         ObstacleRow{"LockFileIsAFolder",
                                                     [](const fs::path&, const fs::path& file) {
                                                       fs::create_directories(file);
                                                     }},
                                         ObstacleRow{"BackupIsGone",
                                                     [](const fs::path& locks, const fs::path&) {
                                                       fs::remove_all(locks.parent_path() /
                                                                      "backup");
                                                     }}),
                         test::RowName());

}  // namespace
}  // namespace wisetup
