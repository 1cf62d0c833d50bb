// The fixture of the setup origin tests: runs of real transactions that write a board's setup file
// and keep its history.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "storage/FileTransaction.h"
#include "storage/History.h"

namespace wisetup {

class SetupOriginTest : public test::TempDirTest {
 public:
  std::string Root() const { return Path("history"); }
  std::string Setup() const { return Path("board/ZelSetUp.ini"); }

  // A run of `backup` that writes `content` into the board's setup file; its folder.
  std::string Run(const std::string& stamp, const std::string& backup, const std::string& content,
                  bool record = true) {
    FileTransaction files;
    const auto entry = files.Add(Setup(), false);
    EXPECT_TRUE(entry);
    files.SetContent(*entry, content);
    const RunRecord made{Path(backup), Path("board"), ""};
    EXPECT_TRUE(files.KeepOriginals(Root(), stamp, record ? made : RunRecord{}));
    EXPECT_TRUE(files.Commit().ok);
    return files.KeptFolder();
  }
  std::filesystem::path Dir() const { return dir_; }
};

}  // namespace wisetup
