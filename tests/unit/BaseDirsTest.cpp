// The XDG base directories and the system folders that never take the tool's own files.
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include "platform/BaseDirs.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;
using std::nullopt;
using std::optional;
using std::string;
using std::vector;

using test::PrintTo;
using test::RowName;

void ReplaceAll(string& text, const string& from, const string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
}

// A fresh folder per test; "@T@" in a row stands for it.
class Places : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::ofstream(dir_ / "file") << "x";
  }
  string At(string text) const {
    ReplaceAll(text, "@T@", dir_.string());
    return text;
  }
};

// ---- base directories ---------------------------------------------------------------------------

struct BaseRow {
  const char* name;
  std::map<string, string> env;  // values may name "@T@/file", an existing file
  optional<string> config;
  optional<string> data;
  vector<string> dirs;
};

const vector<string> kDefaultDirs = {"/usr/local/share", "/usr/share"};

class BaseDirs : public Places, public testing::WithParamInterface<BaseRow> {};

TEST_P(BaseDirs, FollowTheVariablesAndFallBack) {
  const BaseRow& row = GetParam();
  const EnvironmentLookup env = [&](const string& name) -> optional<string> {
    const auto it = row.env.find(name);
    if (it == row.env.end()) return nullopt;
    return At(it->second);
  };
  auto at = [&](const optional<string>& value) -> optional<string> {
    return value ? optional<string>(At(*value)) : nullopt;
  };
  EXPECT_EQ(ConfigHome(env), at(row.config));
  EXPECT_EQ(DataHome(env), at(row.data));
  vector<string> dirs;
  for (const string& d : row.dirs) dirs.push_back(At(d));
  EXPECT_EQ(DataDirs(env), dirs);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BaseDirs,
    testing::Values(BaseRow{"OnlyHome",
                            {{"HOME", "/home/u"}},
                            "/home/u/.config",
                            "/home/u/.local/share",
                            kDefaultDirs},
                    BaseRow{"AllSetWithTrailingSeparators",
                            {{"HOME", "/home/u"},
                             {"XDG_CONFIG_HOME", "/c/"},
                             {"XDG_DATA_HOME", "/d//"},
                             {"XDG_DATA_DIRS", "/a/:/b"}},
                            "/c",
                            "/d",
                            {"/a", "/b"}},
                    BaseRow{"EmptyValuesFallBack",
                            {{"HOME", "/home/u/"},
                             {"XDG_CONFIG_HOME", ""},
                             {"XDG_DATA_HOME", ""},
                             {"XDG_DATA_DIRS", ""}},
                            "/home/u/.config",
                            "/home/u/.local/share",
                            kDefaultDirs},
                    BaseRow{"RelativeValuesIgnored",
                            {{"HOME", "/h"},
                             {"XDG_CONFIG_HOME", "cfg"},
                             {"XDG_DATA_HOME", "./data"},
                             {"XDG_DATA_DIRS", "rel:/a::share"}},
                            "/h/.config",
                            "/h/.local/share",
                            {"/a"}},
                    BaseRow{"ValuesNamingAFileIgnored",
                            {{"HOME", "/h"},
                             {"XDG_CONFIG_HOME", "@T@/file"},
                             {"XDG_DATA_HOME", "@T@/file"},
                             {"XDG_DATA_DIRS", "@T@/file:@T@"}},
                            "/h/.config",
                            "/h/.local/share",
                            {"@T@"}},
                    BaseRow{"MissingFoldersAreFine",
                            {{"XDG_CONFIG_HOME", "@T@/new"}, {"XDG_DATA_HOME", "@T@/new/data"}},
                            "@T@/new",
                            "@T@/new/data",
                            kDefaultDirs},
                    BaseRow{"NoUsableDataDirGivesTheDefaults",
                            {{"HOME", "/h"}, {"XDG_DATA_DIRS", "rel::@T@/file"}},
                            "/h/.config",
                            "/h/.local/share",
                            kDefaultDirs},
                    BaseRow{"NoHome", {}, nullopt, nullopt, kDefaultDirs},
                    BaseRow{"RelativeHome", {{"HOME", "home"}}, nullopt, nullopt, kDefaultDirs},
                    BaseRow{
                        "RootHome", {{"HOME", "/"}}, "/.config", "/.local/share", kDefaultDirs}),
    RowName());

// ---- system folders -----------------------------------------------------------------------------

TEST(SystemPath, IsJudgedByWholeLeadingComponents) {
  struct Row {
    const char* path;
    bool system;
  };
  const Row rows[] = {
      {"/usr/bin/wisetup", true},
      {"/usr/local/bin/wisetup", true},
      {"/bin/wisetup", true},
      {"/sbin/wisetup", true},
      {"/opt/wisetup/bin/x", true},
      {"/snap/wisetup/current/bin/x", true},
      {"/usr", true},
      {"//usr//bin/x", true},
      {"/home/../usr/bin/x", true},
      {"/usrlocal/x", false},
      {"/optical/x", false},
      {"/home/u/usr/bin/x", false},
      {"/usr/../home/u/x", false},
      {"usr/bin/x", false},
      {"/", false},
      {"", false},
  };
  for (const Row& row : rows) EXPECT_EQ(IsSystemPath(row.path), row.system) << row.path;
}

// ---- files that may be read and written ---------------------------------------------------------

}  // namespace
}  // namespace wisetup
