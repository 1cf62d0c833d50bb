// The fixture of the backup folder lock tests: a backup folder, a folder for the locks, and the
// obstacles placed where the lock's files go.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/FileSystem.h"
#include "platform/LockFile.h"

namespace wisetup {

using test::PrintTo;  // row names for the table-driven cases

class LockTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::filesystem::create_directories(dir_ / "backup");
  }
  std::string Locks() const { return (dir_ / "locks").string(); }
  std::string Backup() const { return (dir_ / "backup").string(); }
  std::filesystem::path OnlyLockFile() const {
    std::filesystem::path found;
    for (const auto& entry : std::filesystem::directory_iterator(dir_ / "locks")) {
      found = entry.path();
    }
    return found;
  }
};

struct ObstacleRow {
  const char* name;
  std::function<void(const std::filesystem::path& locks, const std::filesystem::path& lockFile)>
      place;
};

class LockObstacles : public LockTest, public testing::WithParamInterface<ObstacleRow> {};

}  // namespace wisetup
