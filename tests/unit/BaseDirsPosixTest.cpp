// The system folders reached through symbolic links: this system's.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "SystemObjects.h"
#include "TestSupport.h"

#include "platform/BaseDirs.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;

using TempDir = test::TempDirTest;

TEST_F(TempDir, ExecutableInASystemFolderIsFoundThroughSymbolicLinks) {
  fs::create_directories(dir_ / "app");
  fs::create_symlink("/usr/bin", dir_ / "bin-link");
  fs::create_symlink("/", dir_ / "root-link");
  fs::create_symlink("/bin/sh", dir_ / "app" / "linked-exe");
  fs::create_symlink(dir_ / "app", dir_ / "home-link");
  struct Row {
    fs::path path;
    bool system;
  };
  const Row rows[] = {
      {dir_ / "app" / "wisetup", false},
      {dir_ / "home-link" / "wisetup", false},
      {dir_ / "no such folder" / "wisetup", false},
      {dir_ / "bin-link" / "wisetup", true},
      {dir_ / "root-link" / "usr" / "lib" / "wisetup" / "wisetup", true},
      {dir_ / "app" / "linked-exe", true},
      {"/usr/bin/no-such-program", true},
  };
  for (const Row& row : rows) EXPECT_EQ(InSystemFolder(row.path.string()), row.system) << row.path;
}

}  // namespace
}  // namespace wisetup
