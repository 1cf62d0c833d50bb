// A line of 20 cells (BenchBackup.h) on disk with a catalogue of ten templates and one selections
// file for them all, the arguments of `apply` over it, and the files a bare loop reads.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BenchBackup.h"
#include "BenchPlatform.h"
#include "app/Mainunit.h"
#include "demo-data/DemoData.h"
#include "selections/Selections.h"

namespace wisetup::bench {

namespace fs = std::filesystem;

inline constexpr int kBackups = 20;
inline constexpr int kTemplates = 10;

struct Line {
  fs::path root;
  std::vector<std::string> arguments;  // the headless command, without --overwrite
  std::vector<fs::path> tables;        // of every backup
  std::vector<fs::path> catalogue;

  Line() {
    char pattern[] = "/tmp/wisetup-line-bench-XXXXXX";
    root = ::mkdtemp(pattern);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    for (int b = 0; b < kBackups; ++b) {
      const std::vector<fs::path> cell = WriteCellBackup(root / ("cell" + std::to_string(b)));
      tables.insert(tables.end(), cell.begin(), cell.end());
      fs::create_directories(root / ("setup" + std::to_string(b)));
    }
    const fs::path folder = root / "data/wisetup/WeldingMode/HXRL/JPN";
    for (int i = 0; i < kTemplates; ++i) {
      const std::string number = std::to_string(10 + i);
      demo::WriteTableFile(folder / ("$WTBD" + number),
                           demo::MakeTable(TableForm::Long, 1, 12, 3, 4, 0, 350, 315, {100, 150},
                                           demo::kTemplatePattern));
      demo::WriteModeFile(folder / ("$WPLS" + number),
                          demo::MakeModeRecord(static_cast<std::uint16_t>(i)));
      catalogue.push_back(folder / ("$WTBD" + number));
      catalogue.push_back(folder / ("$WPLS" + number));
    }
    WriteSelections();
    arguments = {"apply", "--selections", (root / "line.selections.ini").string()};
    for (int b = 0; b < kBackups; ++b) {
      arguments.insert(arguments.end(),
                       {"--backup", (root / ("cell" + std::to_string(b))).string(), "--setup",
                        (root / ("setup" + std::to_string(b))).string()});
    }
  }
  ~Line() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  // HX-R350L/R400L for every welder, the first template for every registration.
  void WriteSelections() {
    BenchPlatform platform;
    platform.folder = (root / "cell0").string();
    platform.appDir = (root / "app").string();
    platform.dataHome = (root / "data").string();
    TForm1 form(platform);
    form.ClickBackupFolder();
    for (int w = 0; w < kWelders; ++w) {
      form.C(Ctl::ComboBoxWelderNo).ItemIndex = w;
      form.ComboBoxWelderNoChange();
      form.C(Ctl::ComboBoxWpsWelder).ItemIndex = 3;
      form.ComboBoxWpsWelderChange();
      form.Slots[static_cast<std::size_t>(w)].SelectedModes.fill(0);
    }
    demo::WriteTextFile(root / "line.selections.ini", FormatSelections(form.CurrentSelections()));
  }
};

}  // namespace wisetup::bench
