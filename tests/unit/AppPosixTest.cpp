// The settings of an executable that a symbolic link places in a system folder: this system's.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SystemObjects.h"
#include "TestSupport.h"
#include "app/Mainunit.h"

namespace wisetup {
namespace {

using std::string;
using test::ReadBytes;
using test::RecordingPlatform;
using test::WriteBytes;
namespace fs = std::filesystem;

// An executable that a symbolic link places in a system folder, with settings beside it that
// root could write: they are read to start from, and saved in the user's configuration folder.
// Without one there is no place to save to, and the system folder is not written either.
class SystemFolderSettings : public test::TempDirTest, public testing::WithParamInterface<bool> {
 protected:
  class UserPlatform : public RecordingPlatform {
   public:
    std::optional<string> config;
    std::optional<string> Environment(const string& name) override {
      return name == "XDG_CONFIG_HOME" ? config : std::nullopt;
    }
  };
};

TEST_P(SystemFolderSettings, AreReadButNeverWrittenThere) {
  const bool userFolder = GetParam();
  fs::create_directories(dir_ / "app");
  fs::create_symlink("/bin/sh", dir_ / "app" / "wisetup");
  const string seed = "[Settings]\r\nLanguage=0\r\nWidth=700\r\n";
  WriteBytes(dir_ / "app" / "wisetup.INI", seed);
  UserPlatform platform;
  platform.executable = (dir_ / "app" / "wisetup").string();
  if (userFolder) platform.config = (dir_ / "config").string();
  TForm1 form(platform);
  const fs::path user = dir_ / "config" / "wisetup" / "wisetup.INI";
  const fs::path beside = dir_ / "app" / "wisetup.INI";
  EXPECT_EQ(form.SettingsLocation(), (userFolder ? user : beside).string());

  form.FormShow();
  EXPECT_EQ(form.LanguageIndex, 0);
  EXPECT_EQ(form.Placement.Width, 700);
  form.FormClose();
  EXPECT_EQ(ReadBytes(beside), seed);
  if (userFolder) {
    EXPECT_TRUE(platform.applicationErrors.empty());
    EXPECT_NE(ReadBytes(user).find("Width=700\r\n"), string::npos);
  } else {
    EXPECT_EQ(platform.applicationErrors,
              std::vector<string>{beside.string() + " に書き込めません"});
    EXPECT_FALSE(fs::exists(dir_ / "config"));
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, SystemFolderSettings, testing::Bool(),
                         [](const auto& row) { return row.param ? "UserFolder" : "NoUserFolder"; });

}  // namespace
}  // namespace wisetup
