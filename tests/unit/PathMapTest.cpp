// Mapping the tool's path literals onto the file system, and the existence checks.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include "platform/PathMap.h"

namespace wisetup {
namespace {

using test::Bytes;
using test::PrintTo;
using test::RowName;

using std::nullopt;
using std::optional;
using std::string;
namespace fs = std::filesystem;

using TempDir = test::TempDirTest;

// "@T@" in a row stands for the test's folder.
string At(const string& dir, string text) {
  for (std::size_t at = 0; (at = text.find("@T@", at)) != string::npos; at += dir.size()) {
    text.replace(at, 3, dir);
  }
  return text;
}

// ---- path mapping ------------------------------------------------------------------------------

struct MapRow {
  const char* name;
  const char* tool;      // appended to the root as the tool does
  const char* expected;  // appended to the root
};

class PathMapping : public TempDir, public testing::WithParamInterface<MapRow> {
 protected:
  void SetUp() override {
    TempDir::SetUp();
    for (const char* folder : {"WORK", "WORK/A_APPLICATION", "WORK/A_APPLICATION/WELD", "DATA",
                               "Data", "data", "\xc3\x84rger"}) {
      MakeFolder(folder);
    }
    MakeFile("WORK/Ac01arcw.CON", "[X]\r\n");
    MakeFile("WORK/A_APPLICATION/WELD/$WTBD12", "t");
  }
};

TEST_P(PathMapping, MapsToExistingSpelling) {
  const MapRow& row = GetParam();
  EXPECT_EQ(MapPath(dir_.string() + row.tool), dir_.string() + row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PathMapping,
    testing::Values(
        MapRow{"ExactName", "\\WORK\\Ac01arcw.CON", "/WORK/Ac01arcw.CON"},
        MapRow{"CaseFolded", "\\work\\AC01ARCW.con", "/WORK/Ac01arcw.CON"},
        MapRow{"DeepPath", "\\Work\\a_application\\weld\\$wtbd12",
               "/WORK/A_APPLICATION/WELD/$WTBD12"},
        MapRow{"FolderEndingInSeparator", "/\\\\WORK//\\Ac01arcw.CON", "/WORK/Ac01arcw.CON"},
        MapRow{"MissingKeepsRestAsWritten", "\\work\\NoSuch\\weld", "/WORK/NoSuch/weld"},
        MapRow{"NewFileKeepsToolName", "\\work\\$WTBD3", "/WORK/$WTBD3"},
        MapRow{"AmbiguousTakesFirstSorted", "\\dAtA", "/DATA"},
        MapRow{"ExactWinsOverSorted", "\\data", "/data"},
        MapRow{"TrailingSeparatorKept", "\\work\\", "/WORK/"},
        MapRow{"OnlyAsciiFolded", "\\\xc3\xa4RGER", "/\xc3\xa4RGER"}),
    RowName());

TEST_F(TempDir, MapPathResolvesRelativeToWorkingFolder) {
  MakeFolder("Sub");
  MakeFile("Sub/File.TXT", "x");
  const fs::path previous = fs::current_path();
  fs::current_path(dir_);
  EXPECT_EQ(MapPath("sub\\file.txt"), "Sub/File.TXT");
  EXPECT_EQ(MapPath(".\\SUB\\\\none"), "./Sub/none");
  EXPECT_TRUE(FileExists(MapPath("SUB\\FILE.txt")));
  fs::current_path(previous);
}

TEST_F(TempDir, ExistenceChecksTakeNativePaths) {
  MakeFolder("Work");
  MakeFile("Work/A.con", "x");
  EXPECT_TRUE(FileExists(dir_.string() + "/Work/A.con"));
  EXPECT_FALSE(FileExists(dir_.string() + "/Work"));
  EXPECT_TRUE(FolderExists(dir_.string() + "/Work"));
  EXPECT_FALSE(FolderExists(dir_.string() + "/Work/A.con"));
  // No mapping: another letter case or a backslash is another name.
  EXPECT_FALSE(FileExists(dir_.string() + "/work/a.con"));
  EXPECT_FALSE(FileExists(dir_.string() + "\\Work\\A.con"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir_.string() + Bytes("/Work/A.con\0")));
  EXPECT_FALSE(FolderExists(""));
}

// A chosen folder is used as it stands, whatever bytes its name holds (Shift-JIS names whose second
// byte is 0x5C among them); only the tool's literal is mapped.
TEST_F(TempDir, ChosenFolderIsTakenAsItStands) {
  const std::string folder = "so\\x83\\\\back";  // "\x83\\" ends in a backslash byte
  MakeFolder(folder);
  MakeFolder(folder + "/Work");
  MakeFile(folder + "/Work/A.con", "x");
  const std::string chosen = Path(folder);
  EXPECT_EQ(MapPath(chosen, "\\WORK\\a.CON"), chosen + "/Work/A.con");
  EXPECT_EQ(MapPath(chosen + "/", "\\WORK\\"), chosen + "/Work/");
  EXPECT_EQ(MapPath(chosen, "\\WORK\\none"), chosen + "/Work/none");
  EXPECT_EQ(MapPath("", "\\x"), "/x");
  EXPECT_EQ(MapName(chosen + "/Work", "a.CON"), "A.con");
  EXPECT_EQ(MapName(chosen + "/Work", "b.con"), "b.con");
}

// What a medium that ignores case lists is the name a replaced file keeps; an exact entry wins.
TEST_F(TempDir, NameOnDiskTakesTheListedSpelling) {
  struct Row {
    std::vector<string> entries;
    const char* asked;
    const char* kept;
  };
  const Row rows[] = {
      {{"ZELSETUP.INI"}, "ZelSetUp.ini", "ZELSETUP.INI"},
      {{"ZELSETUP.INI", "ZelSetUp.ini"}, "ZelSetUp.ini", "ZelSetUp.ini"},
      {{"other.ini"}, "ZelSetUp.ini", "ZelSetUp.ini"},
      {{}, "ZelSetUp.ini", "ZelSetUp.ini"},
  };
  int folder = 0;
  for (const Row& row : rows) {
    const string sub = "f" + std::to_string(++folder);
    MakeFolder(sub);
    for (const string& entry : row.entries) MakeFile(sub + "/" + entry, "x");
    EXPECT_EQ(NameOnDisk(Path(sub + "/" + row.asked)), Path(sub + "/" + row.kept)) << row.asked;
  }
  EXPECT_EQ(NameOnDisk("nofolder"), "nofolder");
  EXPECT_EQ(NameOnDisk(Path("f1/")), Path("f1/"));
}

TEST_F(TempDir, ShownPathIsNativeAndSpeltAsOnDisk) {
  fs::create_directories(dir_ / "Work" / "A_Application" / "Weld");
  std::ofstream(dir_ / "Work" / "A_Application" / "Weld" / "$wtbd1") << "x";
  struct Row {
    string toolPath;
    string shown;
  };
  const Row rows[] = {
      {"@T@\\WORK\\A_APPLICATION\\WELD\\$WTBD1", "@T@/Work/A_Application/Weld/$wtbd1"},
      {"@T@\\WORK\\A_APPLICATION\\WELD\\$WTBD2", "@T@/Work/A_Application/Weld/$WTBD2"},
      {"@T@/\\WORK\\MISSING\\File", "@T@/Work/MISSING/File"},
      {"@T@/nothing\\WORK\\x", "@T@/nothing/WORK/x"},
      {"@T@\\", "@T@/"},
  };
  for (const Row& row : rows) {
    const string shown = ShownPath(At(dir_.string(), row.toolPath));
    EXPECT_EQ(shown, At(dir_.string(), row.shown)) << row.toolPath;
    EXPECT_EQ(shown.find('\\'), string::npos) << row.toolPath;
  }
}

}  // namespace
}  // namespace wisetup
