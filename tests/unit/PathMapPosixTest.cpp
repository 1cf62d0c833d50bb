// The existence checks that meet a symbolic link: this system's.
#include <filesystem>

#include <gtest/gtest.h>

#include "SystemObjects.h"
#include "TestSupport.h"

#include "platform/PathMap.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;

using TempDir = test::TempDirTest;

TEST_F(TempDir, ExistenceChecksFollowALinkToAFile) {
  MakeFolder("Work");
  MakeFile("Work/A.con", "x");
  fs::create_symlink(Path("Work/A.con"), Path("Link"));
  EXPECT_TRUE(FileExists(dir_.string() + "/Link"));
}

}  // namespace
}  // namespace wisetup
