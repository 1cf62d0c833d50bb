// The places a catalogue is looked for, in order.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/CatalogueFolder.h"

namespace wisetup {
namespace {

using std::optional;
using std::string;
using std::vector;

TEST(CatalogueSearchFolders, ExecutableFolderThenUserDataThenSystemData) {
  struct Row {
    const char* name;
    string executable;
    optional<string> dataHome;
    optional<string> dataDirs;
    optional<string> home;
    vector<string> places;
  };
  const Row rows[] = {
      {"Installed",
       "/usr/bin/wisetup",
       std::nullopt,
       std::nullopt,
       "/home/u",
       {"/usr/bin/WeldingMode", "/home/u/.local/share/wisetup/WeldingMode",
        "/usr/local/share/wisetup/WeldingMode", "/usr/share/wisetup/WeldingMode"}},
      {"VariablesSet",
       "/opt/w/wisetup",
       "/d",
       "/x:/y/",
       std::nullopt,
       {"/opt/w/WeldingMode", "/d/wisetup/WeldingMode", "/x/wisetup/WeldingMode",
        "/y/wisetup/WeldingMode"}},
      {"NoHomeNoDataHome",
       "/opt/w/wisetup",
       std::nullopt,
       "/x",
       std::nullopt,
       {"/opt/w/WeldingMode", "/x/wisetup/WeldingMode"}},
      {"BlanksAndJapanese",
       "/opt/溶接 ツール/wisetup",
       "/データ 置き場",
       "/x",
       std::nullopt,
       {"/opt/溶接 ツール/WeldingMode", "/データ 置き場/wisetup/WeldingMode",
        "/x/wisetup/WeldingMode"}},
      {"ExecutableWithoutFolder",
       "wisetup",
       std::nullopt,
       "/x",
       std::nullopt,
       {"WeldingMode", "/x/wisetup/WeldingMode"}},
  };
  for (const Row& row : rows) {
    const EnvironmentLookup env = [&](const string& name) -> optional<string> {
      if (name == "XDG_DATA_HOME") return row.dataHome;
      if (name == "XDG_DATA_DIRS") return row.dataDirs;
      if (name == "HOME") return row.home;
      return std::nullopt;
    };
    EXPECT_EQ(CatalogueSearchFolders(row.executable, env), row.places) << row.name;
  }
}

}  // namespace
}  // namespace wisetup
