// The backup of one cell that the benchmarks load: four RK4 welders (long form, a recipe for every
// registration), ten tables each, numbered welder * 100 + registration.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "demo-data/DemoData.h"

namespace wisetup::bench {

// Writes the backup below `backup` and returns its table files in load order.
inline std::vector<std::filesystem::path> WriteCellBackup(const std::filesystem::path& backup) {
  std::vector<std::filesystem::path> tables;
  std::string config = "[ARC_WELDER]\r\nA_KIND=12,12,12,12\r\n";
  for (int w = 1; w <= 4; ++w) {
    config += "[WELD_PROPERTY" + std::to_string(w) + "]\r\nA_WTBD=";
    for (int r = 1; r <= 10; ++r) {
      const int n = w * 100 + r;
      config += std::to_string(n) + (r < 10 ? "," : "\r\n");
      const std::filesystem::path file =
          backup / "WORK/A_APPLICATION/WELD" / ("$WTBD" + std::to_string(n));
      demo::WriteTableFile(file, demo::MakeTable(TableForm::Long, 1, 12, 3, 4, 0, 350, 300,
                                                 {80, 120, 160, 200, 240, 280, 320}));
      tables.push_back(file);
    }
  }
  demo::WriteTextFile(backup / "WORK/Ac01arcw.CON", config);
  return tables;
}

}  // namespace wisetup::bench
