// The demo data must be what the loader and the catalogue listing expect: the configuration and the
// table files agree, every catalogue folder of the model table exists, and the one missing
// companion is the documented one.
#include <gtest/gtest.h>

#include "TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "backup/ConfigList.h"
#include "demo-data/DemoData.h"
#include "text/IniDocument.h"

namespace wisetup::demo {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint16_t Le16(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

// A folder of its own per test: test programs of several build trees may run at once.
using DemoDataTest = test::TempDirTest;

TEST_F(DemoDataTest, BackupTableFilesMatchConfigurationAndKindForm) {
  WriteDemoBackup(dir_);
  std::string con;
  {
    const auto bytes = ReadAll(dir_ / "WORK" / "Ac01arcw.CON");
    con.assign(bytes.begin(), bytes.end());
  }
  const IniDocument ini = IniDocument::Parse(con);
  std::vector<int> kinds;
  for (const auto& item : SplitConfigList(ini.GetString("ARC_WELDER", "A_KIND", "")))
    kinds.push_back(ParseDecimalInt(item).value());
  ASSERT_EQ(kinds, (std::vector<int>{5, 12, 9, 13}));

  struct Row {
    const char* name;
    int welder;
    std::size_t size;
  };
  const Row rows[] = {
      {"Rk1Short", 1, 148}, {"Rk4Long", 2, 224}, {"Rk3Short", 3, 148}, {"Rk5Long", 4, 224}};
  std::set<std::string> expectedFiles;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto list =
        SplitConfigList(ini.GetString("WELD_PROPERTY" + std::to_string(row.welder), "A_WTBD", ""));
    ASSERT_EQ(list.size(), 10u);
    int registered = 0;
    for (const auto& item : list) {
      const int number = ParseDecimalInt(item).value();
      if (number == -1) continue;
      ++registered;
      const std::string name = "$WTBD" + std::to_string(number);
      expectedFiles.insert(name);
      EXPECT_EQ(fs::file_size(dir_ / "WORK" / "A_APPLICATION" / "WELD" / name), row.size) << name;
    }
    EXPECT_GE(registered, 2);
  }
  std::set<std::string> actualFiles;
  for (const auto& entry : fs::directory_iterator(dir_ / "WORK" / "A_APPLICATION" / "WELD"))
    actualFiles.insert(entry.path().filename().string());
  EXPECT_EQ(actualFiles, expectedFiles);
  EXPECT_NE(con.find("\r\n"), std::string::npos);
  EXPECT_EQ(con.find('\n'), con.find("\r\n") + 1);
}

TEST_F(DemoDataTest, BackupTablesCarryNonZeroUninterpretedBytes) {
  WriteDemoBackup(dir_);
  const auto weld = dir_ / "WORK" / "A_APPLICATION" / "WELD";
  const auto shortTable = ReadAll(weld / "$WTBD21");
  const auto longTable = ReadAll(weld / "$WTBD31");
  for (std::size_t offset : {0u, 73u, 82u, 108u, 110u, 134u, 146u})
    EXPECT_NE(Le16(shortTable, offset), 0) << "short form offset " << offset;
  for (std::size_t offset : {0u, 111u, 120u, 146u, 148u, 184u, 186u, 216u, 222u})
    EXPECT_NE(Le16(longTable, offset), 0) << "long form offset " << offset;
  EXPECT_EQ(Le16(shortTable, 86), 350);  // lets an HX-S350/S400 be paired with the RK3 welder
}

TEST_F(DemoDataTest, EveryFamilyAreaFolderOfTheModelTableExists) {
  WriteDemoCatalogue(dir_);
  const char* const folders[] = {"HXR/JPN",  "HXR/USA",  "HXR/EU",   "HXRL/JPN",  "HXRL/USA",
                                 "HXRL/EU",  "HXS/JPN",  "HXS/USA",  "HXS/EU",    "HXS/ASIA",
                                 "HXSL/JPN", "HXSL/USA", "HXSL/EU",  "HXSL/ASIA", "HXT/JPN",
                                 "HXT/USA",  "HXT/EU",   "HXT/ASIA", "HXU/JPN"};
  for (const char* folder : folders) {
    EXPECT_TRUE(fs::is_directory(dir_ / "WeldingMode" / folder)) << folder;
    EXPECT_GE(std::distance(fs::directory_iterator(dir_ / "WeldingMode" / folder),
                            fs::directory_iterator()),
              6)
        << folder;
  }
}

TEST_F(DemoDataTest, ExactlyTheDocumentedCompanionIsMissingAndPointsAscend) {
  WriteDemoCatalogue(dir_);
  std::vector<std::string> missing;
  for (const auto& entry : fs::recursive_directory_iterator(dir_ / "WeldingMode")) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file() || name.rfind("$WTBD", 0) != 0) continue;
    EXPECT_EQ(entry.file_size(), 224u) << entry.path();
    const fs::path companion = entry.path().parent_path() / ("$WPLS" + name.substr(5));
    if (!fs::exists(companion)) {
      missing.push_back(fs::relative(companion, dir_).generic_string());
      continue;
    }
    const auto record = ReadAll(companion);
    ASSERT_EQ(record.size(), 992u) << companion;
    for (std::size_t offset = 6; offset < 32; offset += 2)
      EXPECT_LT(Le16(record, offset - 2), Le16(record, offset)) << companion;
  }
  EXPECT_EQ(missing, (std::vector<std::string>{"WeldingMode/HXT/USA/$WPLS23"}));
}

TEST_F(DemoDataTest, EachModelFindsMatchingAndNonMatchingTemplates) {
  WriteDemoCatalogue(dir_);
  // Folder and rated current of a model in an area, as the catalogue listing chooses them.
  struct Row {
    const char* name;
    const char* folder;
    std::uint16_t rated;
  };
  const Row rows[] = {{"HxR350InJapan", "HXR/JPN", 350},   {"HxR500InEu", "HXR/EU", 500},
                      {"HxR350LInEu", "HXRL/EU", 400},     {"HxS350InUsa", "HXS/USA", 400},
                      {"HxS350LInAsia", "HXSL/ASIA", 400}, {"HxS500LInAsia", "HXSL/JPN", 500},
                      {"HxT350InJapan", "HXT/JPN", 350}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    int matching = 0;
    int other = 0;
    for (const auto& entry : fs::directory_iterator(dir_ / "WeldingMode" / row.folder)) {
      if (entry.path().filename().string().rfind("$WTBD", 0) != 0) continue;
      (Le16(ReadAll(entry.path()), 124) == row.rated ? matching : other) += 1;
    }
    EXPECT_GE(matching, 3);
    EXPECT_GE(other, 1);
  }
}

TEST_F(DemoDataTest, WritingIntoAFileInsteadOfAFolderFails) {
  WriteTextFile(dir_ / "occupied", "x");
  EXPECT_ANY_THROW(WriteDemoBackup(dir_ / "occupied"));
}

}  // namespace
}  // namespace wisetup::demo
